// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/contact.h"
#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

#include <vector>

namespace pw {
namespace {

// How each family stores a contact's values is tested beside the family (tests/codeplug/tyt, rdb,
// d868); these are the rules every contact follows whatever its format.

const std::vector<FormatId> AllFormats = {Md380Format, Md2017Format, Md9600Format, RdbV1Format,
                                          RdbV11Format, RdbV2Format, D868Format};

TEST(Contact, AllCallSetsTheAllCallIdInEveryFormat)
{
    for (const FormatId format : AllFormats) {
        Contact contact = newContact(format);
        contact.setDmrId(3100);
        contact.setCallType(CallType::AllCall);
        EXPECT_EQ(contact.dmrId(), 16777215u) << std::hex << format;
        EXPECT_EQ(contact.callType(), CallType::AllCall) << std::hex << format;
    }
}

TEST(Contact, DmrIdKeepsTwentyFourBitsInEveryFormat)
{
    for (const FormatId format : AllFormats) {
        Contact contact = newContact(format);
        contact.setDmrId(0x01020304);
        EXPECT_EQ(contact.dmrId(), 0x020304u) << std::hex << format;
    }
}

TEST(ContactLine, WritesNineQuotedFields)
{
    Contact contact = newContact(Md380Format);
    contact.setDmrId(2041234);
    contact.setName("PA3XYZ Jan");
    contact.setCallType(CallType::PrivateCall);
    EXPECT_EQ(contact.toLine(), R"("2041234","PA3XYZ Jan","Private Call","No","","","","","")");
    Contact d868 = newContact(D868Format);
    d868.setDmrId(91);
    d868.setName("World");
    d868.setCallType(CallType::GroupCall);
    d868.setAlertTone(true);
    d868.setCity("Anywhere");
    EXPECT_EQ(d868.toLine(), R"("91","World","Group Call","Yes","","Anywhere","","","")");
}

TEST(ContactLine, ReadsFieldsInOrderSoAllCallOverridesTheId)
{
    Contact contact = newContact(Md380Format);
    ASSERT_EQ(contact.fromLine(R"("3100","USA","all","y")"), ContactLineRead::Read);
    EXPECT_EQ(contact.dmrId(), 16777215u);
    EXPECT_EQ(contact.callType(), CallType::AllCall);
    EXPECT_TRUE(contact.alertTone());
}

TEST(ContactLine, RejectsShortLinesMissingFieldsAndNonNumericIds)
{
    Contact contact = newContact(Md380Format);
    EXPECT_EQ(contact.fromLine(R"("1","a")"), ContactLineRead::TooShort);
    EXPECT_EQ(contact.fromLine(R"("12345","Name","Group")"), ContactLineRead::TooFewFields);
    for (const char* id : {"x123", "-1", "+5", " 12 ", "0x10", "1e5", "12abc", ""})
        EXPECT_EQ(contact.fromLine(std::string("\"") + id + R"(","Name","Group","No")"), ContactLineRead::IdNotANumber) << id;
    EXPECT_EQ(contact.fromLine(R"("16777216","Name","Group","No")"), ContactLineRead::IdOutOfRange);
    EXPECT_EQ(contact.fromLine(R"("12345","Name","Group","No")"), ContactLineRead::Read);
    EXPECT_EQ(contact.callType(), CallType::GroupCall);
}

TEST(ContactLine, RoundTripsEveryFieldThroughD868)
{
    Contact original = newContact(D868Format);
    original.setDmrId(2041234);
    original.setName("Jan");
    original.setCallType(CallType::PrivateCall);
    original.setCallsign("PA3XYZ");
    original.setCity("Delft");
    original.setState("ZH");
    original.setCountry("Netherlands");
    original.setRemarks("DMR");
    Contact copy = newContact(D868Format);
    ASSERT_EQ(copy.fromLine(original.toLine()), ContactLineRead::Read);
    EXPECT_EQ(copy.toLine(), original.toLine());
}

} // namespace
} // namespace pw
