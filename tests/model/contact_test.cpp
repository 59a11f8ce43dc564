#include "model/contact.h"
#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

#include <vector>

namespace pw {
namespace {

const std::vector<FormatId> AllFormats = {Md380Format, Md2017Format, Md9600Format, RdbV1Format,
                                          RdbV11Format, RdbV2Format, D868Format};

TEST(Contact, NewTytAndRdbContactsReadAsUnsetPrivateCalls)
{
    for (const FormatId format : {Md380Format, RdbV2Format}) {
        Contact contact = newContact(format);
        EXPECT_EQ(contact.dmrId(), 16777215u);
        EXPECT_EQ(contact.name(), "");
        EXPECT_EQ(contact.callType(), CallType::PrivateCall);
        EXPECT_FALSE(contact.alertTone());
    }
    Contact tyt = newContact(Md380Format);
    EXPECT_EQ(tyt.tytRecord()[3], 0xC0);
    Contact d868 = newContact(D868Format);
    EXPECT_EQ(d868.dmrId(), 1u);
    EXPECT_EQ(d868.d868RecordNumber(), 1u);
}

TEST(Contact, TytRecordHoldsIdFlagsAndUtf16Name)
{
    Contact contact = newContact(Md380Format);
    contact.setDmrId(0x123456);
    contact.setName("AB");
    contact.setCallType(CallType::GroupCall);
    contact.setAlertTone(true);
    const auto& r = contact.tytRecord();
    EXPECT_EQ(r[0], 0x56);
    EXPECT_EQ(r[1], 0x34);
    EXPECT_EQ(r[2], 0x12);
    EXPECT_EQ(r[3], 0xE1);  // 0xC1 group call with bit 5 alert
    EXPECT_EQ(r[4], 'A');
    EXPECT_EQ(r[5], 0);
    EXPECT_EQ(r[6], 'B');
    for (std::size_t i = 8; i < 36; ++i)
        EXPECT_EQ(r[i], 0) << i;
}

TEST(Contact, TytCallTypeBitsZeroReadAsPrivateCall)
{
    Contact contact = newContact(Md380Format);
    contact.tytRecord()[3] = 0xC0;
    EXPECT_EQ(contact.callType(), CallType::PrivateCall);
    contact.tytRecord()[3] = 0xC3;
    EXPECT_EQ(contact.callType(), CallType::AllCall);
}

TEST(Contact, RdbRecordHoldsSixBitNameAndFlags)
{
    Contact contact = newContact(RdbV1Format);
    contact.setName("A-B");
    EXPECT_EQ(contact.name(), "A.B");  // a hyphen is not in the six-bit alphabet
    contact.setCallType(CallType::AllCall);
    EXPECT_EQ(contact.rdbRecord()[15] & 3, 2);
    contact.setAlertTone(true);
    EXPECT_EQ(contact.rdbRecord()[15], 0x0A);
    contact.rdbRecord()[15] = 3;
    EXPECT_EQ(contact.callType(), CallType::PrivateCall);
    contact.setName("ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(contact.name(), "ABCDEFGHIJKLMNOP");
}

TEST(Contact, AllCallSetsTheAllCallIdInEveryFamily)
{
    for (const FormatId format : AllFormats) {
        Contact contact = newContact(format);
        contact.setDmrId(3100);
        contact.setCallType(CallType::AllCall);
        EXPECT_EQ(contact.dmrId(), 16777215u) << std::hex << format;
        EXPECT_EQ(contact.callType(), CallType::AllCall) << std::hex << format;
    }
}

TEST(Contact, CallTypeKeepsOnlyTheAlertBit)
{
    Contact tyt = newContact(Md380Format);
    tyt.tytRecord()[3] = 0xFF;
    tyt.setCallType(CallType::PrivateCall);
    EXPECT_EQ(tyt.tytRecord()[3], 0xE2);
    Contact rdb = newContact(RdbV2Format);
    rdb.rdbRecord()[15] = 0xFF;
    rdb.setCallType(CallType::PrivateCall);
    EXPECT_EQ(rdb.rdbRecord()[15], 0x08);
}

TEST(Contact, SettersOfIdAndNameWriteEveryBlock)
{
    Contact contact = newContact(Md380Format);
    contact.setDmrId(0x01020304);  // 24-bit everywhere
    contact.setName("Net");
    EXPECT_EQ(contact.dmrId(), 0x020304u);
    EXPECT_EQ(contact.rdbRecord()[2], 0x02);
    EXPECT_EQ(contact.d868Block()[42], 0x04);
    EXPECT_EQ(contact.d868Block()[45], 0x00);
    EXPECT_EQ(contact.d868Block()[8], 'N');
}

TEST(Contact, D868NameShowsControlCharactersAsHyphens)
{
    Contact contact = newContact(D868Format);
    contact.setName(std::string("a\tb"));
    EXPECT_EQ(contact.name(), "a-b");
    contact.setName("\xC4" "rger");  // Latin-1 is kept
    EXPECT_EQ(contact.name(), "\xC4" "rger");
}

TEST(Contact, D868TextsAreCutToTheirFields)
{
    Contact contact = newContact(D868Format);
    contact.setCallsign("PA3XYZABCD");
    contact.setCity("Amsterdam-Zuidoost-X");
    contact.setCountry("Netherlands");
    EXPECT_EQ(contact.callsign(), "PA3XYZAB");
    EXPECT_EQ(contact.city(), "Amsterdam-Zuido");
    EXPECT_EQ(contact.country(), "Netherlands");
    Contact tyt = newContact(Md380Format);
    tyt.setCity("Utrecht");
    EXPECT_EQ(tyt.city(), "");  // only the D868 family shows them
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
    ASSERT_EQ(contact.fromLine(R"("3100","USA","all","y")"), 1);
    EXPECT_EQ(contact.dmrId(), 16777215u);
    EXPECT_EQ(contact.callType(), CallType::AllCall);
    EXPECT_TRUE(contact.alertTone());
}

TEST(ContactLine, RejectsShortLinesMissingFieldsAndNonNumericIds)
{
    Contact contact = newContact(Md380Format);
    EXPECT_EQ(contact.fromLine(R"("1","a")"), 0);                     // under 10 characters
    EXPECT_EQ(contact.fromLine(R"("12345","Name","Group")"), -2);     // three fields
    EXPECT_EQ(contact.fromLine(R"("x123","Name","Group","No")"), 0);  // not a number
    EXPECT_EQ(contact.fromLine(R"("12345","Name","Group","No")"), 1);
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
    ASSERT_EQ(copy.fromLine(original.toLine()), 1);
    EXPECT_EQ(copy.toLine(), original.toLine());
}

} // namespace
} // namespace pw
