// SPDX-License-Identifier: GPL-3.0-or-later
// qdmr's YAML codeplug: what is written, and that it comes back by name into any format.

#include "operations/qdmr_codeplug.h"

#include "operations/structure_fixture.h"

#include <gtest/gtest.h>
#include <yaml-cpp/yaml.h>

namespace pw {
namespace {

using test::TempDir;

// The values of a channel that the YAML carries, references by name; the TOT as `tot` gives it
// (the D868 family keeps none).
std::string yamlFields(const Codeplug& codeplug, const Channel& channel, int tot)
{
    std::string fields = channel.name() + "|" + channel.modeText() + "|" + Channel::frequencyText(channel.rxFrequency()) +
                         "|" + Channel::frequencyText(channel.txFrequency()) + "|" + channel.powerText() + "|" +
                         std::to_string(tot) + "|" + std::to_string(channel.rxOnly()) + "|" +
                         test::scanListNameAt(codeplug, channel.scanList());
    if (channel.isDigital())
        return fields + "|" + std::to_string(channel.colorCode()) + "|" + std::to_string(channel.timeSlot()) + "|" +
               test::rxGroupNameAt(codeplug, channel.rxGroupList()) + "|" + test::channelContactName(codeplug, channel);
    return fields + "|" + channel.bandwidthText() + "|" + channel.ctcssDecodeText() + "|" + channel.ctcssEncodeText();
}

// Gives the populated channels values that differ from the defaults, so that a value lost on the
// way shows.
void vary(Codeplug& codeplug)
{
    Codeplug::EditScope edit(codeplug);
    int i = 0;
    for (const auto& channel : codeplug.channels()) {
        ++i;
        channel->setPower(i % 2 ? PowerLevel::High : PowerLevel::Low);
        channel->setTot(i * 2);
        channel->setRxOnly(i == 3);
        channel->setTxFrequency(channel->rxFrequency() + (i % 2 ? 5.0 : -7.6));
        if (channel->isDigital()) {
            channel->setColorCode(i + 2);
            channel->setTimeSlot(i % 2 ? 2 : 1);
        } else {
            channel->setBandwidth(i % 2 ? Bandwidth::Narrow12k5 : Bandwidth::Wide25k);
            channel->setCtcssDecode(i % 2 ? ToneCode::fromText("D754I") : ToneCode::fromText("088.5"));
            channel->setCtcssEncode(i % 2 ? ToneCode::fromText("D023N") : ToneCode::fromText("123.0"));
        }
    }
    edit.changed();
}

class Qdmr : public testing::Test {
protected:
    Codeplug& open(FormatId format)
    {
        plugs_.push_back(test::openEmpty(dir_, format, "plug" + std::to_string(plugs_.size())));
        return *plugs_.back();
    }

    TempDir dir_;
    std::vector<std::unique_ptr<Codeplug>> plugs_;
};

TEST_F(Qdmr, WritesEveryRecordWithItsReferencesAsIds)
{
    auto& codeplug = open(Md2017Format);
    test::populate(codeplug);
    codeplug.setRadioName("MyRadio");
    codeplug.setRadioDmrId(2620001);
    const auto root = YAML::Load(qdmrYaml(codeplug));

    EXPECT_EQ(root["radioIDs"][0]["dmr"]["name"].as<std::string>(), "MyRadio");
    EXPECT_EQ(root["radioIDs"][0]["dmr"]["number"].as<int>(), 2620001);
    EXPECT_EQ(root["settings"]["defaultID"].as<std::string>(), "id1");
    const auto contact = root["contacts"][1]["dmr"];
    EXPECT_EQ(contact["id"].as<std::string>(), "cont2");
    EXPECT_EQ(contact["name"].as<std::string>(), "TG World");
    EXPECT_EQ(contact["type"].as<std::string>(), "GroupCall");
    EXPECT_EQ(contact["number"].as<int>(), 91);
    EXPECT_TRUE(contact["ring"].as<bool>());
    EXPECT_EQ(root["contacts"][2]["dmr"]["type"].as<std::string>(), "AllCall");
    EXPECT_EQ(root["groupLists"][0]["contacts"].as<std::vector<std::string>>(),
              (std::vector<std::string>{"cont1", "cont2"}));
    // A private call has no place in qdmr's group lists.
    codeplug.rxGroupListAt(1)->addMember(4);
    EXPECT_EQ(YAML::Load(qdmrYaml(codeplug))["groupLists"][1]["contacts"].as<std::vector<std::string>>(),
              (std::vector<std::string>{"cont2"}));

    const auto digital = root["channels"][0]["digital"];
    EXPECT_EQ(digital["id"].as<std::string>(), "ch1");
    EXPECT_EQ(digital["name"].as<std::string>(), "DMR One");
    EXPECT_EQ(digital["rxFrequency"].as<std::string>(), "430");
    EXPECT_EQ(digital["contact"].as<std::string>(), "cont1");
    EXPECT_EQ(digital["groupList"].as<std::string>(), "grp1");
    EXPECT_EQ(digital["scanList"].as<std::string>(), "scan1");
    EXPECT_EQ(digital["timeSlot"].as<std::string>(), "TS1");
    const auto analog = root["channels"][3]["analog"];
    EXPECT_EQ(analog["rxFrequency"].as<std::string>(), "430.0375");
    EXPECT_EQ(analog["bandwidth"].as<std::string>(), codeplug.channelAt(3)->bandwidth() == Bandwidth::Wide25k
                                                         ? "Wide"
                                                         : "Narrow");
    // Settings the codeplug does not hold in qdmr's terms are not invented.
    for (const char* absent : {"vox", "squelch", "roaming", "aprs", "radioID"})
        EXPECT_FALSE(analog[absent].IsDefined()) << absent;

    EXPECT_EQ(root["zones"][0]["A"].as<std::vector<std::string>>(), (std::vector<std::string>{"ch1", "ch2", "ch4"}));
    EXPECT_EQ(root["zones"][0]["B"].as<std::vector<std::string>>(), (std::vector<std::string>{"ch5", "ch3"}));
    EXPECT_EQ(root["scanLists"][1]["channels"].as<std::vector<std::string>>(),
              (std::vector<std::string>{"ch2", "ch5", "ch3"}));

    // Tones: CTCSS in hertz, DCS as its digits, negative when inverted; the TOT in seconds.
    vary(codeplug);
    const auto varied = YAML::Load(qdmrYaml(codeplug));
    const auto fmOne = varied["channels"][3]["analog"];
    const auto fmTwo = varied["channels"][4]["analog"];
    EXPECT_EQ(fmOne["rxTone"]["ctcss"].as<std::string>(), "88.5");
    EXPECT_EQ(fmOne["txTone"]["ctcss"].as<std::string>(), "123");
    EXPECT_EQ(fmTwo["rxTone"]["dcs"].as<int>(), -754);
    EXPECT_EQ(fmTwo["txTone"]["dcs"].as<int>(), 23);
    EXPECT_EQ(fmTwo["timeout"].as<int>(), 150);
}

TEST_F(Qdmr, WrittenCodeplugComesBackByNameIntoEveryFamily)
{
    for (const FormatId from : {Md2017Format, RdbV2Format, D868Format}) {
        auto& source = open(from);
        test::populate(source);
        vary(source);
        const auto yaml = qdmrYaml(source);
        for (const FormatId into : {Md380Format, Md9600Format, RdbV11Format, D868Format}) {
            SCOPED_TRACE(std::to_string(from) + " into " + std::to_string(into));
            auto& working = open(into);
            const auto imported = importQdmrYaml(working, yaml);
            ASSERT_TRUE(imported.read) << imported.refusal;
            EXPECT_EQ(imported.leftOut, 0);
            EXPECT_EQ(imported.counts.contacts, 5);
            EXPECT_EQ(imported.counts.rxGroups, 2);
            EXPECT_EQ(imported.counts.channels, 5);
            EXPECT_EQ(imported.counts.scanLists, 2);
            EXPECT_EQ(imported.counts.zones, 2);
            EXPECT_TRUE(working.changed());
            test::expectSameReferencesByName(working, source);
            for (const auto& channel : source.channels()) {
                const Channel* copy = working.channelAt(working.findChannelByName(channel->name()));
                ASSERT_NE(copy, nullptr);
                // The D868 family gives every digital channel a contact: the first when it has none.
                if (working.family() == FormatFamily::D868Family && channel->isDigital() && channel->txContact() == 0)
                    continue;
                Channel stored = working.newChannel();
                stored.setTot(channel->tot());
                EXPECT_EQ(yamlFields(working, *copy, copy->tot()), yamlFields(source, *channel, stored.tot()));
            }
        }
    }
}

TEST_F(Qdmr, ReadsEitherChannelKeyIgnoresWhatItDoesNotKnowAndLeavesOutWhatDoesNotFit)
{
    auto& working = open(Md380Format);
    const auto imported = importQdmrYaml(working, R"(version: 0.12.0
settings: {introLine1: Hello, tyt: {monitorType: Open}}
contacts:
  - dmr: {id: ww, name: World wide talk group name, type: GroupCall, number: 91}
  - dtmf: {id: d1, name: Echo, number: "#123"}
  - dmr: {id: again, name: Same ID, type: GroupCall, number: 91}
groupLists:
  - {id: g1, name: Groups, contacts: [ww, again, nowhere]}
channels:
  - dmr: {id: c1, name: Repeater, rxFrequency: 439.5625, txFrequency: 431.9625, power: Max, timeout: !default,
          vox: !default, admit: ColorCode, colorCode: 3, timeSlot: TS2, contact: again, groupList: g1, roaming: !default}
  - fm: {id: c2, name: Simplex, rxFrequency: 145.5, power: Min, timeout: 30, admit: Tone, bandwidth: Narrow,
         squelch: 3, rxTone: {dcs: -23}, txTone: {ctcss: 67}}
  - analog: {id: c3, name: Six metres, rxFrequency: 50.5, txFrequency: 50.5}
  - m17: {id: c4, name: M17, rxFrequency: 433.0}
  - digital: {id: c5, name: Repeater, rxFrequency: 438.0}
  - digital: {id: c6, name: Unreadable, rxFrequency: not a number}
zones:
  - {id: z1, name: Zone, A: [c1, c2, c3, c9], B: [c2]}
scanLists:
  - {id: s1, name: Scan, channels: [c2, c1]}
)");
    ASSERT_TRUE(imported.read) << imported.refusal;
    // 50.5 MHz is below what a TYT record holds; a second "Repeater" and a frequency that is no number.
    EXPECT_EQ(imported.leftOut, 3);
    ASSERT_EQ(working.contacts().count(), 1);
    EXPECT_EQ(working.contacts().at(0)->name(), "World wide talk ");
    ASSERT_EQ(working.channels().count(), 2);
    const Channel& repeater = *working.channelAt(0);
    // A tagged value (!default) leaves the channel's own: the TOT of a new channel.
    EXPECT_EQ(repeater.tot(), working.newChannel().tot());
    EXPECT_EQ(yamlFields(working, repeater, 0), "Repeater|DMR|439.56250|431.96250|HIGH|0|0|-|3|2|Groups|World wide talk ");
    EXPECT_EQ(repeater.admitText(), "Color Code Free");
    const Channel& simplex = *working.channelAt(1);
    EXPECT_EQ(yamlFields(working, simplex, simplex.tot()), "Simplex|FM|145.50000|145.50000|LOW|2|0|-|12.5|D023I|067.0");
    EXPECT_EQ(simplex.admitText(), "Correct PL");
    // Bank B has no place in a one-bank zone; a member that names no channel is left out.
    ASSERT_EQ(working.zones().count(), 1);
    EXPECT_EQ(test::memberNames(working, *working.zones().at(0)), (std::vector<std::string>{"Repeater", "Simplex"}));
    EXPECT_EQ(test::memberNames(working, *working.scanLists().at(0)), (std::vector<std::string>{"Simplex", "Repeater"}));
    EXPECT_EQ(test::memberNames(working, *working.rxGroupLists().at(0)), (std::vector<std::string>{"World wide talk "}));
}

TEST_F(Qdmr, RefusesWhatIsNoQdmrCodeplug)
{
    auto& working = open(D868Format);
    const struct {
        const char* text;
        const char* refusal;
    } cases[] = {
        {"channels: [unclosed", "not a YAML document: end of sequence flow not found (line 1)"},
        {"- just\n- a list\n", "not a qdmr codeplug: no channels, contacts or zones"},
        {"settings: {defaultID: id1}\n", "not a qdmr codeplug: no channels, contacts or zones"},
        {"", "not a qdmr codeplug: no channels, contacts or zones"},
    };
    for (const auto& c : cases) {
        const auto imported = importQdmrYaml(working, c.text);
        EXPECT_FALSE(imported.read);
        EXPECT_EQ(imported.refusal, c.refusal) << c.text;
    }
    EXPECT_FALSE(working.changed());
}

TEST_F(Qdmr, ReportIsTheStructuralImportsWithTheRecordsLeftOut)
{
    QdmrImport imported;
    imported.read = true;
    imported.counts = {3, 1, 7, 2, 4};
    EXPECT_EQ(qdmrImportReport("plug.yaml", imported),
              "Results of import from plug.yaml:\r\n\r\n3 contacts imported.\r\n1 Rx Groups imported.\r\n7 channels "
              "imported.\r\n2 scan lists imported.\r\n4 zones imported.\r\n");
    const auto report = qdmrImportReport("plug.yaml", imported);
    imported.leftOut = 2;
    EXPECT_EQ(qdmrImportReport("plug.yaml", imported),
              report + "2 records of the file left out: their values do not fit this codeplug.\r\n");
}

} // namespace
} // namespace pw
