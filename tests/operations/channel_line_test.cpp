// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/channel_line.h"
#include "codeplug/record_factory.h"
#include "operations/channel_transfer.h"
#include "operations/contact_transfer.h"

#include "codeplug/byte_field.h"
#include "model/field_readers.h"
#include "operations/transfer_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace pw {
namespace {

using test::TempDir;

constexpr int Tyt = 1, Rdb = 2, D868 = 4;

int familyBit(FormatId format)
{
    switch (familyOf(format)) {
    case FormatFamily::TytFamily: return Tyt;
    case FormatFamily::RdbFamily: return Rdb;
    default: return D868;
    }
}

// The records that the test channels refer to, made alike in every codeplug.
void addReferencedRecords(Codeplug& codeplug, bool withContacts = true)
{
    if (withContacts) {
        ASSERT_EQ(codeplug.addContact(test::makeContact(codeplug.formatId(), 100, "Alpha")), AddResult::Added);
        ASSERT_EQ(codeplug.addContact(test::makeContact(codeplug.formatId(), 3100, "Club", CallType::GroupCall)), AddResult::Added);
    }
    for (const char* name : {"SL One", "SL Two"}) {
        ScanList list = newScanList(codeplug.formatId());
        list.setName(name);
        ASSERT_TRUE(codeplug.addScanList(list));
    }
    ASSERT_TRUE(codeplug.newRxGroupList("RG One"));
    ASSERT_TRUE(codeplug.newRxGroupList("RG Two"));
    if (codeplug.family() == FormatFamily::TytFamily) {
        for (const char* name : {"ES One", "ES Two"}) {
            std::vector<std::uint8_t> record(40, 0);
            setUtf16Name(record, 0, 16, name);
            codeplug.emergencySystems().append(std::make_unique<EmergencySystem>(name, std::move(record)));
        }
    }
}

std::function<int(std::string_view)> finder(const Codeplug& codeplug)
{
    return [&codeplug](std::string_view name) { return codeplug.findContactByName(name); };
}

Channel digitalChannel(const Codeplug& codeplug, const std::string& name = "Net 7")
{
    Channel channel = newChannel(codeplug.formatId());
    channel.setName(name);
    channel.setMode(ChannelMode::Dmr);
    channel.setBandwidth(Bandwidth::Narrow12k5);
    channel.setRxFrequency(438.5125);
    channel.setTxFrequency(430.9125);
    channel.setScanList(2);
    channel.setRxGroupList(2);
    channel.setTxContactByName("Club", finder(codeplug));
    channel.setAdmitFromText("Channel Free");
    channel.setRxRefFrequency(RefFrequency::Medium);
    channel.setTxRefFrequency(RefFrequency::High);
    channel.setTot(5);
    channel.setTotRekeyDelay(7);
    channel.setPower(PowerLevel::High);
    channel.setAutoScan(true);
    channel.setRxOnly(true);
    channel.setLoneWorker(true);
    channel.setVox(true);
    channel.setTalkaround(false);
    channel.setColorCode(9);
    channel.setTimeSlot(2);
    channel.setPrivacy(true);
    channel.setPrivacyType(PrivacyType::Basic);
    channel.setPrivacyCode(5);
    channel.setPrivateCallConfirmed(true);
    channel.setEmergencyAlarmAck(true);
    channel.setDataCallConfirmed(true);
    channel.setEmergencySystem(2);
    return channel;
}

Channel analogChannel(const Codeplug& codeplug, const std::string& name = "Simplex 2")
{
    Channel channel = newChannel(codeplug.formatId());
    channel.setName(name);
    channel.setMode(ChannelMode::Fm);
    channel.setBandwidth(Bandwidth::Wide25k);
    channel.setRxFrequency(145.6);
    channel.setTxFrequency(145.0);
    channel.setScanList(1);
    channel.setRxGroupList(1);
    channel.setSquelch(Squelch::Tight);
    channel.setAdmitFromText("Channel Free");
    channel.setRxRefFrequency(RefFrequency::High);
    channel.setTxRefFrequency(RefFrequency::Medium);
    channel.setTot(8);
    channel.setTotRekeyDelay(3);
    channel.setPower(PowerLevel::Low);
    channel.setAutoScan(true);
    channel.setLoneWorker(true);
    channel.setTalkaround(true);
    channel.setCtcssDecode(ToneCode(0x0885));
    channel.setCtcssEncode(ToneCode(0x8023));
    channel.setQtReverse(120);
    channel.setRxSignalingSystem(2);
    channel.setTxSignalingSystem(3);
    channel.setAnalogOption(true);
    channel.setDecodeSwitches(0xA5);
    channel.setEmergencySystem(2);
    return channel;
}

// A field, the families that keep it, and its value as a text.
struct FieldCheck {
    const char* name;
    int families;
    std::function<std::string(const Channel&, const Codeplug&)> value;
    bool digitalOnly = false;
    bool analogOnly = false;
    // The field names a record of a table that only the family's own codeplugs share.
    bool sameFamilyOnly = false;
};

template <typename List>
std::string nameAt(const List& list, int position)
{
    const auto* record = list.at(position - 1);
    return record ? record->name() : "(none " + std::to_string(position) + ")";
}

const std::vector<FieldCheck>& fieldChecks()
{
    static const std::vector<FieldCheck> checks = {
        {"name", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return c.name(); }},
        {"mode", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return c.modeText(); }},
        {"bandwidth", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return c.bandwidthText(); }},
        {"rxFrequency", Tyt | Rdb | D868,
         [](const Channel& c, const Codeplug&) { return Channel::frequencyText(c.rxFrequency()); }},
        {"txFrequency", Tyt | Rdb | D868,
         [](const Channel& c, const Codeplug&) { return Channel::frequencyText(c.txFrequency()); }},
        {"scanList", Tyt | Rdb | D868,
         [](const Channel& c, const Codeplug& p) { return nameAt(p.scanLists(), c.scanList()); }},
        {"rxGroupList", Tyt | Rdb | D868,
         [](const Channel& c, const Codeplug& p) { return nameAt(p.rxGroupLists(), c.rxGroupList()); }},
        {"txContact", Tyt | Rdb | D868,
         [](const Channel& c, const Codeplug& p) {
             const auto* contact = p.contactAt(c.txContact() - 1);
             return contact ? contact->name() + "/" + std::to_string(contact->dmrId()) : std::string("none");
         },
         true},
        {"squelch", Tyt, [](const Channel& c, const Codeplug&) { return c.squelchText(); }},
        {"admit", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return c.admitText(); }},
        {"rxRefFrequency", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return c.rxRefFrequencyText(); }},
        {"txRefFrequency", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return c.txRefFrequencyText(); }},
        {"tot", Tyt | Rdb, [](const Channel& c, const Codeplug&) { return c.totText(); }},
        {"totRekeyDelay", Tyt | Rdb | D868,
         [](const Channel& c, const Codeplug&) { return std::to_string(c.totRekeyDelay()); }},
        {"power", Tyt | Rdb | D868,
         [](const Channel& c, const Codeplug& p) { return c.powerText(p.radioModelName()); }},
        {"autoScan", Tyt | Rdb, [](const Channel& c, const Codeplug&) { return Channel::switchText(c.autoScan()); }},
        {"rxOnly", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return Channel::switchText(c.rxOnly()); }},
        {"loneWorker", Tyt | Rdb | D868,
         [](const Channel& c, const Codeplug&) { return Channel::switchText(c.loneWorker()); }},
        {"vox", Tyt | Rdb, [](const Channel& c, const Codeplug&) { return Channel::switchText(c.vox()); }},
        {"talkaround", Tyt | Rdb | D868,
         [](const Channel& c, const Codeplug&) { return Channel::switchText(c.talkaround()); }},
        {"ctcssDecode", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return c.ctcssDecodeText(); }, false,
         true},
        {"ctcssEncode", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return c.ctcssEncodeText(); }, false,
         true},
        {"qtReverse", Tyt | Rdb, [](const Channel& c, const Codeplug&) { return c.qtReverseText(); }, false, true},
        {"rxSignalingSystem", Tyt, [](const Channel& c, const Codeplug&) { return c.rxSignalingText(); }},
        {"txSignalingSystem", Tyt, [](const Channel& c, const Codeplug&) { return c.txSignalingText(); }},
        {"analogOption", Tyt | Rdb, [](const Channel& c, const Codeplug&) { return Channel::switchText(c.analogOption()); },
         false, true},
        {"decodeSwitches", Tyt, [](const Channel& c, const Codeplug&) { return std::to_string(c.decodeSwitches()); }},
        {"privateCallConfirmed", Tyt | Rdb,
         [](const Channel& c, const Codeplug&) { return Channel::switchText(c.privateCallConfirmed()); }, true},
        {"emergencyAlarmAck", Tyt | Rdb | D868,
         [](const Channel& c, const Codeplug&) { return Channel::switchText(c.emergencyAlarmAck()); }, true},
        {"dataCallConfirmed", Tyt | Rdb,
         [](const Channel& c, const Codeplug&) { return Channel::switchText(c.dataCallConfirmed()); }, true},
        {"emergencySystem", Tyt | Rdb,
         [](const Channel& c, const Codeplug& p) {
             return p.family() == FormatFamily::TytFamily ? nameAt(p.emergencySystems(), c.emergencySystem())
                                                          : std::to_string(c.emergencySystem());
         },
         false, false, true},
        {"colorCode", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return std::to_string(c.colorCode()); },
         true},
        {"timeSlot", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return std::to_string(c.timeSlot()); },
         true},
        {"privacy", Tyt | Rdb | D868, [](const Channel& c, const Codeplug&) { return Channel::switchText(c.privacy()); }},
        {"privacyCode", Tyt | Rdb | D868,
         [](const Channel& c, const Codeplug&) { return std::to_string(c.privacyCode()); }},
    };
    return checks;
}

// Compares every field that both families keep.
void expectSameFields(const Channel& from, const Codeplug& source, const Channel& to, const Codeplug& target)
{
    const int both = familyBit(source.formatId()) & familyBit(target.formatId());
    for (const auto& check : fieldChecks()) {
        if ((check.families & both) == 0)
            continue;
        if (check.sameFamilyOnly && source.family() != target.family())
            continue;
        if ((check.digitalOnly && !from.isDigital()) || (check.analogOnly && from.isDigital()))
            continue;
        EXPECT_EQ(check.value(to, target), check.value(from, source)) << check.name;
    }
}

std::string formatName(FormatId format)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04x", static_cast<unsigned>(format));
    return text;
}

// ---- Writing ----

TEST(ChannelLine, WritesFortyTwoQuotedFieldsWithTheirTextForms)
{
    TempDir dir;
    auto plug = test::openEmpty(dir, Md380Format);
    addReferencedRecords(*plug);
    // A new TYT channel's bytes 0-31 are 0xFF, so the analog option and the decode switches of a
    // digital channel read on.
    const auto line = ChannelLine::write(digitalChannel(*plug), *plug);
    EXPECT_EQ(line,
              "\"Net 7\", \"DMR\", \"12.5\", \"430.912500\", \"438.512500\", \"SL Two\", \"NORMAL\", "
              "\"Channel Free\", \"Medium\", \"High\", \"75\", \"7\", \"HIGH\", \"Yes\", \"Yes\", \"Yes\", \"Yes\", "
              "\"No\", \"NONE\", \"NONE\", \"180\", \"Off\", \"Off\", \"YES\", \"YES\", \"YES\", \"YES\", \"YES\", \"YES\", "
              "\"YES\", \"YES\", \"YES\", \"YES\", \"YES\", \"YES\", \"ES Two\", \"Club\", \"RG Two\", \"9\", \"BASIC\", "
              "\"5\", \"2\"");
}

TEST(ChannelLine, NamesThatPointNowhereAreWrittenAsTheLineSays)
{
    TempDir dir;
    auto plug = test::openEmpty(dir, Md380Format);
    Channel channel = newChannel(Md380Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setScanList(3);
    channel.setRxGroupList(4);
    channel.setEmergencySystem(5);
    channel.setTxContact(6);
    std::vector<std::string> fields;
    const auto line = ChannelLine::write(channel, *plug);
    for (const int n : {5, 35, 36, 37})
        fields.push_back(CsvFieldReader::field(line, n));
    EXPECT_EQ(fields, (std::vector<std::string>{"Error", "Error", "", "Error"}));

    channel.setScanList(0);
    channel.setRxGroupList(0);
    channel.setEmergencySystem(0);
    channel.setMode(ChannelMode::Fm);
    const auto none = ChannelLine::write(channel, *plug);
    fields.clear();
    for (const int n : {5, 35, 36, 37, 39})
        fields.push_back(CsvFieldReader::field(none, n));
    EXPECT_EQ(fields, (std::vector<std::string>{"-NULL-", "NONE", "NONE", "NONE", "NONE"}));
}

// ---- Reading ----

TEST(ChannelLine, ReadingNeedsACodeplugAndAllFortyTwoFields)
{
    TempDir dir;
    auto plug = test::openEmpty(dir, Md380Format);
    addReferencedRecords(*plug);
    const auto line = ChannelLine::write(digitalChannel(*plug), *plug);
    Channel channel = newChannel(Md380Format);
    EXPECT_EQ(ChannelLine::read(line, channel, nullptr), ChannelLineRead::Incomplete);
    EXPECT_EQ(ChannelLine::read(line, channel, plug.get()), ChannelLineRead::Read);
    const auto cut = line.substr(0, line.rfind(", "));
    EXPECT_EQ(ChannelLine::read(cut, channel, plug.get()), ChannelLineRead::Incomplete);
    EXPECT_EQ(ChannelLine::read("", channel, plug.get()), ChannelLineRead::Incomplete);
}

TEST(ChannelLine, AHeaderOfFortyTwoFieldsIsRefusedForItsFrequencyText)
{
    TempDir dir;
    auto plug = test::openEmpty(dir, RdbV2Format);
    std::string header = "\"Name\"";
    for (int i = 1; i < ChannelLine::FieldCount; ++i)
        header += ", \"Column " + std::to_string(i) + "\"";
    Channel channel = newChannel(RdbV2Format);
    std::string refusal;
    ASSERT_EQ(ChannelLine::read(header, channel, plug.get(), nullptr, &refusal), ChannelLineRead::ValueRefused);
    EXPECT_EQ(refusal, "frequency not a number");
}

TEST(ChannelLine, DecodeSwitchColumnsReadBackIntoTheirBits)
{
    TempDir dir;
    auto plug = test::openEmpty(dir, Md2017Format);
    for (int bits = 0; bits < 256; ++bits) {
        Channel channel = newChannel(Md2017Format);
        channel.setDecodeSwitches(bits);
        Channel back = newChannel(Md2017Format);
        ASSERT_EQ(ChannelLine::read(ChannelLine::write(channel, *plug), back, plug.get()), ChannelLineRead::Read);
        ASSERT_EQ(back.decodeSwitches(), bits);
    }
    // Only the whole word YES, in any case, sets a switch.
    Channel cleared = newChannel(Md2017Format);
    cleared.setDecodeSwitches(0);
    const std::string line = ChannelLine::write(cleared, *plug);
    Channel channel = newChannel(Md2017Format);
    std::string edited;
    for (int n = 0; n < ChannelLine::FieldCount; ++n) {
        const char* replacement = n == 24 ? "yes" : n == 25 ? "Y" : n == 26 ? "YESS" : n == 27 ? "Yes" : nullptr;
        edited += (n ? ", \"" : "\"") + std::string(replacement ? replacement : CsvFieldReader::field(line, n)) + "\"";
    }
    ASSERT_EQ(ChannelLine::read(edited, channel, plug.get()), ChannelLineRead::Read);
    EXPECT_EQ(channel.decodeSwitches(), 0b1001);
}

TEST(ChannelLine, ReadingSetsTheMarkBytesOfTheFormat)
{
    TempDir dir;
    for (const auto format : {Md380Format, Md2017Format, Md9600Format}) {
        auto plug = test::openEmpty(dir, format, formatName(format));
        Channel channel = newChannel(format);
        channel.familyRecord()[5] = 0x20;
        ASSERT_EQ(ChannelLine::read(ChannelLine::write(newChannel(format), *plug), channel, plug.get()), ChannelLineRead::Read);
        EXPECT_EQ(channel.familyRecord()[3] & 0xE0, 0xE0);
        if (format == Md380Format) {
            EXPECT_EQ(channel.familyRecord()[5], 0);
            EXPECT_EQ(channel.familyRecord()[31], 0);
        } else {
            EXPECT_EQ(channel.familyRecord()[5], 0x10);
            EXPECT_EQ(channel.familyRecord()[31], 255);
        }
    }
}

TEST(ChannelLine, D868OffsetComesFromBothFrequencies)
{
    TempDir dir;
    auto plug = test::openEmpty(dir, D868Format);
    const struct {
        double tx, rx;
        int direction;
        double offset;
    } cases[] = {{146.6, 146.0, 1, 0.6}, {145.0, 145.6, 2, 0.6}, {146.005, 146.0, 0, 0.0}};
    for (const auto& c : cases) {
        Channel source = newChannel(D868Format);
        source.setRxFrequency(c.rx);
        source.setTxFrequency(c.tx);
        Channel channel = newChannel(D868Format);
        ASSERT_EQ(ChannelLine::read(ChannelLine::write(source, *plug), channel, plug.get()), ChannelLineRead::Read);
        // The D868 record keeps the offset direction in word 12 and the offset in the double at 14.
        EXPECT_EQ(getU16Le(channel.familyRecord(), 12), c.direction) << c.tx;
        EXPECT_NEAR(getF64Le(channel.familyRecord(), 14), c.offset, 1e-9) << c.tx;
        EXPECT_NEAR(channel.rxFrequency(), c.rx, 1e-9);
    }
}

TEST(ChannelLine, FrequenciesThatAreNoNumberOrCannotBeStoredAreRefused)
{
    TempDir dir;
    const std::string tyt = "frequency outside 100 to 999.99999 MHz";
    const std::string rdb = "frequency outside 0.000001 to 4294.967295 MHz";
    const std::string d868 = "frequency outside 0.00001 to 9999.99999 MHz";
    const std::string notNumber = "frequency not a number";
    const struct {
        const char* number;
        std::string tyt, rdb, d868;
    } cases[] = {
        {"nan", notNumber, notNumber, notNumber},
        {"inf", notNumber, notNumber, notNumber},
        {"abc", notNumber, notNumber, notNumber},
        {"", notNumber, notNumber, notNumber},
        {"0x1p9", notNumber, notNumber, notNumber},
        {"146.52 MHz", notNumber, notNumber, notNumber},
        {"-1e400", notNumber, notNumber, notNumber},
        {"99999999999999999999999999999", tyt, rdb, d868},
        {"99999.5", tyt, rdb, d868},
        {"50", tyt, "", ""},
        {"5000", tyt, rdb, ""},
        // Only the plain form of a number: no exponent, sign or blanks.
        {"1e23", notNumber, notNumber, notNumber},
        {"1.4652e2", notNumber, notNumber, notNumber},
        {"-441", notNumber, notNumber, notNumber},
        {"+146.52", notNumber, notNumber, notNumber},
        {" 146.52 ", notNumber, notNumber, notNumber},
        {"146.", notNumber, notNumber, notNumber},
        {"146.52", "", "", ""},
    };
    for (const auto format : test::AllFormats) {
        auto plug = test::openEmpty(dir, format, formatName(format));
        for (const auto& c : cases) {
            const auto& expected = familyOf(format) == FormatFamily::TytFamily ? c.tyt
                                 : familyOf(format) == FormatFamily::RdbFamily ? c.rdb
                                                                              : c.d868;
            // The transmit frequency, then the receive frequency.
            for (const bool tx : {true, false}) {
                std::string line = "\"N\", \"DMR\", \"25\"";
                line += std::string(", \"") + (tx ? c.number : "146.52") + "\", \"" + (tx ? "146.52" : c.number) + "\"";
                for (int n = 5; n < ChannelLine::FieldCount; ++n)
                    line += ", \"0\"";
                Channel channel = newChannel(format);
                std::string refusal;
                const ChannelLineRead read = ChannelLine::read(line, channel, plug.get(), nullptr, &refusal);
                EXPECT_EQ(read, expected.empty() ? ChannelLineRead::Read : ChannelLineRead::ValueRefused) << c.number << formatName(format);
                EXPECT_EQ(refusal, expected) << c.number << formatName(format);
            }
        }
    }
}

TEST(ChannelLine, LongFrequenciesReadBackExactly)
{
    // Digits beyond the sixteenth once were only scaled, so a written frequency read back as
    // another value and the line never settled.
    TempDir dir;
    for (const auto format : test::AllFormats) {
        auto plug = test::openEmpty(dir, format, formatName(format));
        Channel source = newChannel(format);
        source.setRxFrequency(146.0);
        source.setTxFrequency(444.12345678901234567890123);
        const auto first = ChannelLine::write(source, *plug);
        Channel once = newChannel(format);
        ASSERT_EQ(ChannelLine::read(first, once, plug.get()), ChannelLineRead::Read);
        const auto second = ChannelLine::write(once, *plug);
        Channel twice = newChannel(format);
        ASSERT_EQ(ChannelLine::read(second, twice, plug.get()), ChannelLineRead::Read);
        EXPECT_EQ(twice.txFrequency(), once.txFrequency()) << formatName(format);
        EXPECT_EQ(twice.rxFrequency(), once.rxFrequency()) << formatName(format);
    }
}

// ---- Across families ----

class ChannelAcrossFamilies : public testing::TestWithParam<std::tuple<FormatId, FormatId>> {};

TEST_P(ChannelAcrossFamilies, KeepsEveryFieldBothFamiliesHoldThroughLineCsvAndImport)
{
    const auto [from, to] = GetParam();
    TempDir dir;
    auto source = test::openEmpty(dir, from, "source");
    addReferencedRecords(*source);
    for (const bool digital : {true, false}) {
        SCOPED_TRACE(digital ? "digital" : "analog");
        const auto channel = digital ? digitalChannel(*source) : analogChannel(*source);
        source->channels().deleteAll();
        ASSERT_EQ(source->addChannel(channel), AddResult::Added);

        // The bare line.
        {
            auto target = test::openEmpty(dir, to, "line");
            addReferencedRecords(*target);
            Channel read = newChannel(to);
            ASSERT_EQ(ChannelLine::read(ChannelLine::write(channel, *source), read, target.get()), ChannelLineRead::Read);
            SCOPED_TRACE("line");
            expectSameFields(channel, *source, read, *target);
        }
        // A CSV file.
        {
            auto target = test::openEmpty(dir, to, "csv");
            addReferencedRecords(*target);
            ASSERT_TRUE(exportChannelsCsv(*source, dir.file("channels.csv")));
            const auto counts = importChannelsCsv(*target, dir.file("channels.csv"));
            ASSERT_EQ(counts.added, 1);
            SCOPED_TRACE("csv");
            expectSameFields(channel, *source, *target->channelAt(0), *target);
        }
        // The import from a codeplug, which brings the contact along.
        {
            auto target = test::openEmpty(dir, to, "import");
            addReferencedRecords(*target, false);
            const auto counts = importChannelsFromCodeplug(*target, *source);
            ASSERT_EQ(counts.added, 1);
            EXPECT_EQ(counts.supportingContacts, digital ? 1 : 0);
            SCOPED_TRACE("import");
            expectSameFields(channel, *source, *target->channelAt(0), *target);
        }
    }
}

std::string pairName(const testing::TestParamInfo<ChannelAcrossFamilies::ParamType>& param)
{
    return "From" + formatName(std::get<0>(param.param)).substr(2) + "To" + formatName(std::get<1>(param.param)).substr(2);
}

INSTANTIATE_TEST_SUITE_P(EveryPair, ChannelAcrossFamilies,
                         testing::Combine(testing::ValuesIn(test::AllFormats), testing::ValuesIn(test::AllFormats)),
                         pairName);

} // namespace
} // namespace pw
