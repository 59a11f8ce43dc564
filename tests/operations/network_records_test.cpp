// SPDX-License-Identifier: GPL-3.0-or-later
// Talkgroups and repeaters of the networks as records of a codeplug of each family: what is
// added, how it is named, what is refused and counted, and that it survives a save.

#include "maintenance_fixture.h"
#include "operations/repeater_channels.h"
#include "operations/talkgroup_contacts.h"
#include "support/network_lists_generator.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::MaintenanceFixture;

class NetworkRecords : public ::testing::TestWithParam<FormatId> {
protected:
    // What a contact or channel of the family stores of a name.
    std::string storedContactName(const std::string& name)
    {
        Contact contact = fixture.codeplug.newContact();
        contact.setName(name);
        return contact.name();
    }
    std::string storedChannelName(const std::string& name)
    {
        Channel channel = fixture.codeplug.newChannel();
        channel.setName(name);
        return channel.name();
    }
    // Saves and opens the codeplug anew, as the next program run would see it.
    void reopen()
    {
        const auto path = fixture.dir.file("saved.bin");
        ASSERT_TRUE(fixture.codeplug.save(path)) << fixture.codeplug.saveFailureReason();
        ASSERT_EQ(fixture.codeplug.open(path), GetParam());
        ASSERT_TRUE(fixture.codeplug.decode());
    }

    MaintenanceFixture fixture{GetParam()};
};

TEST_P(NetworkRecords, ChosenTalkgroupsBecomeNamedGroupCallsAndAnRxGroupList)
{
    auto& codeplug = fixture.codeplug;
    const TalkgroupCatalogue catalogue(test::generateTalkgroups(2000));
    fixture.addChannels(1);
    fixture.addContacts(1);
    codeplug.contactAt(0)->setDmrId(262);
    TalkgroupChoice choice;
    choice.ids = *parseTalkgroupIds("91,262,3100-3199,99999");
    std::vector<Talkgroup> expected;
    for (const auto& talkgroup : catalogue.talkgroups())
        if (talkgroup.id == 91 || (talkgroup.id >= 3100 && talkgroup.id <= 3199))
            expected.push_back(talkgroup);

    const auto plan = planTalkgroupContacts(codeplug, catalogue, choice, "Favourites");
    const auto preview = talkgroupPlanPreview(plan);
    EXPECT_EQ(preview.substr(0, preview.find("\r\n")),
              std::to_string(expected.size()) + " talkgroup contacts to add; 1 already present.");
    const auto result = addTalkgroupContacts(codeplug, plan);
    const int limit = codeplug.newRxGroupList().memberLimit();
    const int wanted = static_cast<int>(expected.size()) + 1;
    EXPECT_EQ(result.message, std::to_string(expected.size()) + " talkgroup contacts added; 1 already present.\r\n"
                              "1 not in the talkgroup list.\r\n"
                              "RX group list 'Favourites' (new): " + std::to_string(limit) + " members added.\r\n" +
                              std::to_string(wanted - limit) + " not added to it: an RX group list holds at most " +
                              std::to_string(limit));
    EXPECT_TRUE(result.leftOut);
    reopen();
    ASSERT_EQ(codeplug.contacts().count(), wanted);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Contact& contact = *codeplug.contactAt(static_cast<int>(i) + 1);
        EXPECT_EQ(contact.dmrId(), expected[i].id);
        EXPECT_EQ(contact.callType(), CallType::GroupCall);
        EXPECT_EQ(contact.name(), storedContactName(expected[i].name)) << expected[i].name;
    }
    ASSERT_EQ(codeplug.rxGroupLists().count(), 1);
    EXPECT_EQ(codeplug.rxGroupListAt(0)->members(), test::range(1, limit));

    // Asked again, everything is there already.
    const auto again = planTalkgroupContacts(codeplug, catalogue, choice);
    EXPECT_TRUE(again.additions.empty());
    EXPECT_EQ(again.present.size(), expected.size() + 1);
}

TEST_P(NetworkRecords, UsedRenamesOnlyGroupCallsNamedByTheirNumber)
{
    auto& codeplug = fixture.codeplug;
    const TalkgroupCatalogue catalogue({{91, "Worldwide"}, {262, "Germany"}, {2621, "Bayern"}, {9, "Local"}, {93, "NA"}});
    const struct {
        std::uint32_t id;
        const char* name;
        CallType type;
        const char* after;
    } contacts[] = {
        {91, "TG 91", CallType::GroupCall, "Worldwide"}, {262, "262", CallType::GroupCall, "Germany"},
        {2621, "tg-2621", CallType::GroupCall, "Bayern"}, {9, "9", CallType::PrivateCall, "9"},
        {93, "My TG 93", CallType::GroupCall, "My TG 93"}, {7777, "TG 7777", CallType::GroupCall, "TG 7777"},
    };
    for (const auto& c : contacts) {
        Contact contact = codeplug.newContact();
        contact.setDmrId(c.id);
        contact.setName(c.name);
        contact.setCallType(c.type);
        ASSERT_EQ(codeplug.addContact(contact), AddResult::Added);
    }
    fixture.addChannels(1);
    codeplug.channelAt(0)->setTxContact(1);
    codeplug.channelAt(0)->refreshContactName(codeplug.contacts());
    TalkgroupChoice used;
    used.kind = TalkgroupChoice::Kind::Used;
    const auto result = addTalkgroupContacts(codeplug, planTalkgroupContacts(codeplug, catalogue, used));
    EXPECT_EQ(result.message, "3 talkgroup contacts renamed.");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(codeplug.contactAt(i)->name(), storedContactName(contacts[i].after));
    EXPECT_EQ(codeplug.channelAt(0)->contactNameCache(), storedContactName("Worldwide"));
}

// The MD-380's table of 1,000 contacts is the one a test can fill.
TEST(NetworkRecordsRoom, AFullContactTableLeavesTalkgroupsOutAndSaysSo)
{
    MaintenanceFixture fixture(Md380Format);
    auto& codeplug = fixture.codeplug;
    const int capacity = codeplug.codec().capacities().contacts;
    fixture.addContacts(capacity - 2);
    TalkgroupChoice choice;
    choice.kind = TalkgroupChoice::Kind::Match;
    choice.match = "WORLD";
    const auto result = addTalkgroupContacts(
        codeplug, planTalkgroupContacts(codeplug, TalkgroupCatalogue({{91, "Worldwide"}, {92, "World 2"}, {93, "World 3"}}),
                                        choice));
    EXPECT_EQ(result.added, 2);
    EXPECT_TRUE(result.leftOut);
    EXPECT_NE(result.message.find("\r\n1 not added: the contact table holds at most "), std::string::npos)
        << result.message;
}

Repeater repeater(std::string callsign, std::string city, double output, double offset, std::optional<int> colorCode,
                  std::vector<RepeaterTalkgroup> talkgroups = {})
{
    Repeater r;
    r.callsign = std::move(callsign);
    r.city = std::move(city);
    r.state = "Bayern";
    r.status = "on-air";
    r.outputMhz = output;
    r.offsetMhz = offset;
    r.colorCode = colorCode;
    r.talkgroups = std::move(talkgroups);
    return r;
}

TEST_P(NetworkRecords, RepeatersBecomeChannelsWithTheirFrequenciesColourCodesAndContacts)
{
    auto& codeplug = fixture.codeplug;
    const TalkgroupCatalogue catalogue({{91, "Worldwide"}, {262, "Germany"}, {9, "Local"}});
    fixture.addContacts(1);
    codeplug.contactAt(0)->setDmrId(262);
    codeplug.contactAt(0)->setCallType(CallType::GroupCall);
    const std::vector<Repeater> repeaters = {
        repeater("DB0AA", "M\xC3\xBCnchen", 438.8, -7.6, 1),
        repeater("DB0BB", "Augsburg", 439.5625, -7.6, 7, {{91, 1, "WW"}, {262, 1, "DE"}, {9, 2, ""}, {3100, 2, "Texas"}}),
        repeater("DB0CC", "Ten", 29.68, -0.1, 1),
        repeater("DB0DD", "Nowhere", 438.2, -7.6, std::nullopt),
        repeater("DB0LONGCALL", "Garmisch-Partenkirchen", 438.5, -7.6, 3),
        repeater("DB0LONGCALL", "Garmisch-Partenkirchen", 438.5125, -7.6, 3),
    };
    RepeaterChannelRequest request;
    request.zoneName = "Bayern";
    request.scanList = true;
    request.catalogue = &catalogue;
    const auto plan = planRepeaterChannels(codeplug, repeaters, request);
    const auto result = addRepeaterChannels(codeplug, plan);
    EXPECT_EQ(result.message.substr(0, result.message.find("\r\nZone")),
              "7 channels added for 4 repeaters; 0 already present.\r\n3 talkgroup contacts added.");
    EXPECT_NE(result.message.find("\r\n2 repeaters refused: frequency outside the radio's bands (1), no colour code (1)"),
              std::string::npos)
        << result.message;
    reopen();

    const struct {
        std::string name;
        double rx, tx;
        int colorCode, slot;
        std::uint32_t contact;
    } expected[] = {
        {"DB0AA M\xC3\xBCnchen", 438.8, 431.2, 1, 1, 0},     {"DB0BB Worldwide", 439.5625, 431.9625, 7, 1, 91},
        {"DB0BB Germany", 439.5625, 431.9625, 7, 1, 262},    {"DB0BB Local", 439.5625, 431.9625, 7, 2, 9},
        {"DB0BB Texas", 439.5625, 431.9625, 7, 2, 3100},     {"DB0LONGCALL Garm", 438.5, 430.9, 3, 1, 0},
        {"DB0LONGCALL Ga 2", 438.5125, 430.9125, 3, 1, 0},
    };
    ASSERT_EQ(codeplug.channels().count(), 7);
    for (int i = 0; i < 7; ++i) {
        const Channel& channel = *codeplug.channelAt(i);
        const auto& want = expected[i];
        EXPECT_EQ(channel.name(), storedChannelName(want.name));
        EXPECT_TRUE(channel.isDigital());
        EXPECT_NEAR(channel.rxFrequency(), want.rx, 1e-6) << want.name;
        EXPECT_NEAR(channel.txFrequency(), want.tx, 1e-6) << want.name;
        EXPECT_EQ(channel.colorCode(), want.colorCode);
        EXPECT_EQ(channel.timeSlot(), want.slot);
        EXPECT_EQ(channel.admitText(), "Color Code Free");
        EXPECT_EQ(channel.scanList(), 1);
        // A D868 channel always names a talkgroup: one given none names the first.
        const Contact* contact = codeplug.contactAt(channel.txContact() - 1);
        if (want.contact != 0 || codeplug.family() != FormatFamily::D868Family) {
            EXPECT_EQ(contact ? contact->dmrId() : 0u, want.contact) << want.name;
        }
    }
    // Named from the catalogue, else from the repeater's list.
    EXPECT_EQ(codeplug.contactAt(1)->name(), storedContactName("Worldwide"));
    EXPECT_EQ(codeplug.contactAt(3)->name(), storedContactName("Texas"));
    Zone& zone = *codeplug.zones().at(0);
    EXPECT_EQ(zone.name(), "Bayern");
    EXPECT_EQ(test::bankChannels(zone, 1, codeplug), test::range(0, 7));
    EXPECT_EQ(test::listChannels(*codeplug.scanListAt(0), codeplug), test::range(0, 7));

    // The same repeaters again add nothing, and the zone already holds them.
    const auto again = planRepeaterChannels(codeplug, repeaters, request);
    EXPECT_TRUE(again.additions.empty());
    EXPECT_EQ(again.present.size(), 7u);
    EXPECT_FALSE(again.changesSomething());
}

TEST_P(NetworkRecords, AZoneTooSmallForTheAreaIsSplitIntoNumberedZones)
{
    auto& codeplug = fixture.codeplug;
    const int perZone = codeplug.newZone().capacity();
    const int count = perZone + 4;
    std::vector<Repeater> repeaters;
    for (int i = 0; i < count; ++i)
        repeaters.push_back(repeater("DB0R" + std::to_string(i), "Town", 438.0 + 0.0125 * i, -7.6, 1));
    RepeaterChannelRequest request;
    request.zoneName = "Oberbayern-Nord";
    const auto result = addRepeaterChannels(codeplug, planRepeaterChannels(codeplug, repeaters, request));
    ASSERT_EQ(codeplug.zones().count(), 2) << result.message;
    EXPECT_EQ(codeplug.zones().at(0)->name(), "Oberbayern-Nor 1");
    EXPECT_EQ(codeplug.zones().at(1)->name(), "Oberbayern-Nor 2");
    EXPECT_EQ(test::bankChannels(*codeplug.zones().at(0), 1, codeplug), test::range(0, perZone));
    EXPECT_EQ(test::bankChannels(*codeplug.zones().at(1), 1, codeplug), test::range(perZone, 4));
}

TEST_P(NetworkRecords, RepeatersOutsideTheRadiosBandsAreRefused)
{
    // The MD-380 file names its band, 400-480 MHz; the others take the usual VHF and UHF bands.
    const std::vector<double> outputs = {29.68, 145.6, 438.8, 1298.5};
    const std::vector<double> taken = GetParam() == Md380Format ? std::vector<double>{438.8}
                                                                : std::vector<double>{145.6, 438.8};
    std::vector<Repeater> repeaters;
    for (const double output : outputs)
        repeaters.push_back(repeater("DB0X" + std::to_string(repeaters.size()), "Town", output, output > 400 ? -7.6 : -0.6, 1));
    const auto plan = planRepeaterChannels(fixture.codeplug, repeaters, {});
    std::vector<double> planned;
    for (const auto& channel : plan.additions)
        planned.push_back(channel.rxMhz);
    EXPECT_EQ(planned, taken);
    EXPECT_EQ(plan.refused.at(OutsideBands), static_cast<int>(outputs.size() - taken.size()));
}

INSTANTIATE_TEST_SUITE_P(EachFamily, NetworkRecords, ::testing::Values(Md380Format, RdbV1Format, D868Format),
                         [](const auto& param) { return "Format" + std::to_string(param.param); });

TEST(TalkgroupNames, PlaceholdersAreNumbersAloneOrTgAndANumber)
{
    for (const char* name : {"91", "TG 91", "TG91", "tg-2621", "Tg_9", "TG.262"})
        EXPECT_TRUE(isPlaceholderName(name)) << name;
    for (const char* name : {"", "TG", "TG 9a", "My TG 9", "91 WW", "TG  91"})
        EXPECT_FALSE(isPlaceholderName(name)) << name;
}

} // namespace
} // namespace pw
