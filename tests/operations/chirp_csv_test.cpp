// SPDX-License-Identifier: GPL-3.0-or-later
// CHIRP's generic CSV file: the analog channels written, and memories read back as channels.

#include "operations/chirp_csv.h"

#include "operations/structure_fixture.h"
#include "operations/text_lines.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

struct FmChannel {
    const char* name;
    double rx;
    double tx;
    const char* encode;
    const char* decode;
    Bandwidth bandwidth;
    PowerLevel power;
    bool rxOnly = false;
};

constexpr FmChannel Channels[] = {
    {"Simplex", 146.52, 146.52, "NONE", "NONE", Bandwidth::Narrow12k5, PowerLevel::High},
    {"Rpt, plus", 147.0, 147.6, "100.0", "NONE", Bandwidth::Wide25k, PowerLevel::Low},
    {"Minus \"TSQL\"", 442.0, 437.0, "123.0", "123.0", Bandwidth::Wide25k, PowerLevel::High},
    {"DCS", 443.5, 443.5, "D023N", "D023I", Bandwidth::Narrow12k5, PowerLevel::Low},
    {"Decode only", 439.1, 439.1, "NONE", "D754N", Bandwidth::Narrow12k5, PowerLevel::Low},
    {"Cross band", 145.8, 435.0, "088.5", "100.0", Bandwidth::Wide25k, PowerLevel::High},
    {"Listen", 162.55, 162.55, "NONE", "NONE", Bandwidth::Wide25k, PowerLevel::Low, true},
};

// As CHIRP writes each of them.
constexpr const char* Written[] = {
    "1,Simplex,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,,5.0W,,,,,",
    "2,\"Rpt, plus\",147.000000,+,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,1.0W,,,,,",
    "3,\"Minus \"\"TSQL\"\"\",442.000000,-,5.000000,TSQL,123.0,123.0,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,",
    "4,DCS,443.500000,,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,NFM,5.00,,1.0W,,,,,",
    "5,Decode only,439.100000,,0.000000,Cross,88.5,88.5,023,NN,754,->DTCS,NFM,5.00,,1.0W,,,,,",
    "6,Cross band,145.800000,split,435.000000,Cross,88.5,100.0,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,",
    "7,Listen,162.550000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,1.0W,,,,,",
};

Channel fmChannel(const Codeplug& codeplug, const FmChannel& c)
{
    Channel channel = test::makeChannel(codeplug, c.name, false, c.rx);
    channel.setTxFrequency(c.tx);
    channel.setCtcssEncode(ToneCode::fromText(c.encode));
    channel.setCtcssDecode(ToneCode::fromText(c.decode));
    channel.setBandwidth(c.bandwidth);
    channel.setPower(c.power);
    channel.setRxOnly(c.rxOnly);
    return channel;
}

std::string fieldsOf(const Channel& channel)
{
    return channel.name() + "|" + Channel::frequencyText(channel.rxFrequency()) + "|" +
           Channel::frequencyText(channel.txFrequency()) + "|" + channel.ctcssEncodeText() + "|" +
           channel.ctcssDecodeText() + "|" + channel.bandwidthText() + "|" + channel.powerText() + "|" +
           std::to_string(channel.rxOnly());
}

class Chirp : public testing::Test {
protected:
    Codeplug& open(FormatId format)
    {
        plugs_.push_back(test::openEmpty(dir_, format, "plug" + std::to_string(plugs_.size())));
        return *plugs_.back();
    }

    Codeplug& withChannels(FormatId format)
    {
        auto& codeplug = open(format);
        for (const auto& c : Channels)
            EXPECT_EQ(codeplug.addChannel(fmChannel(codeplug, c)), AddResult::Added) << c.name;
        EXPECT_EQ(codeplug.addChannel(test::makeChannel(codeplug, "Digital", true)), AddResult::Added);
        return codeplug;
    }

    ChirpImport import(Codeplug& codeplug, const std::string& text)
    {
        const auto path = dir_.file("chirp" + std::to_string(files_++) + ".csv");
        test::writeText(path, text);
        TextLineReader lines(path);
        return importChirpCsv(codeplug, lines);
    }

    TempDir dir_;
    std::vector<std::unique_ptr<Codeplug>> plugs_;
    int files_ = 0;
};

TEST_F(Chirp, WritesTheAnalogChannelsAsChirpWritesItsMemories)
{
    std::string expected = std::string(ChirpCsvHeader) + "\r\n";
    for (const char* line : Written)
        expected += std::string(line) + "\r\n";
    EXPECT_EQ(chirpCsv(withChannels(Md2017Format)), expected);
}

TEST_F(Chirp, ReadsBackWhatItWroteIntoEveryFamily)
{
    const auto text = chirpCsv(withChannels(Md2017Format));
    for (const FormatId format : {Md380Format, Md9600Format, RdbV1Format, RdbV2Format, D868Format}) {
        SCOPED_TRACE(format);
        auto& codeplug = open(format);
        const auto imported = import(codeplug, text);
        ASSERT_TRUE(imported.read) << imported.refusal;
        // The MD-380 file names the radio's one band, 400-480 MHz; the others have none and take both.
        const bool uhfOnly = format == Md380Format;
        EXPECT_EQ(imported.imported, uhfOnly ? 3 : 7);
        EXPECT_EQ(imported.outOfBand, uhfOnly ? 4 : 0);
        EXPECT_TRUE(codeplug.changed());
        for (const auto& c : Channels) {
            const Channel* channel = codeplug.channelAt(codeplug.findChannelByName(c.name));
            if (uhfOnly && (c.rx < 400 || c.tx < 400)) {
                EXPECT_EQ(channel, nullptr) << c.name;
                continue;
            }
            ASSERT_NE(channel, nullptr) << c.name;
            EXPECT_EQ(fieldsOf(*channel), fieldsOf(fmChannel(codeplug, c)));
            EXPECT_FALSE(channel->isDigital());
        }
    }
}

TEST_F(Chirp, ImportsAFileAsChirpWritesItAndCountsWhatItLeavesOut)
{
    auto& codeplug = open(Md2017Format);
    ASSERT_EQ(codeplug.addChannel(test::makeChannel(codeplug, "Present", false, 145.0)), AddResult::Added);
    const auto imported = import(
        codeplug,
        std::string("\xEF\xBB\xBF") + ChirpCsvHeader +
            "\r\n"
            "# a comment\r\n"
            "0,N0CALL,146.940000,-,0.600000,Tone,103.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,W6 repeater,,,,\r\n"
            "1,,446.000000,,5.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,12.50,S,2.5W,,,,,\r\n"
            "2,DCS,443.500000,+,5.000000,DTCS,88.5,88.5,132,RN,023,Tone->Tone,FM,5.00,,Low,,,,,\r\n"
            "3,Crossed,145.500000,split,435.000000,Cross,88.5,100.0,071,NN,754,Tone->DTCS,FM,5.00,,5.0W,,,,,\r\n"
            "4,Air,121.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,25.00,,50W,,,,,\r\n"
            "5,Six metres,52.525000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,,,,,\r\n"
            "6,present,147.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,,,,,\r\n"
            "7,Bad tone,146.500000,,0.000000,Tone,99.9x,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,,,,,\r\n"
            "8,Reverse,146.500000,,0.000000,TSQL-R,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,,,,,\r\n"
            "9,Short,146.0\r\n");
    ASSERT_TRUE(imported.read);
    EXPECT_EQ(imported.imported, 4);
    EXPECT_EQ(imported.namePresent, 1);
    EXPECT_EQ(imported.outOfBand, 1);
    EXPECT_EQ(imported.notFm, 1);
    EXPECT_EQ(imported.unreadable, 3);
    ASSERT_EQ(codeplug.channels().count(), 5);
    EXPECT_EQ(fieldsOf(*codeplug.channelAt(1)), "N0CALL|146.94000|146.34000|103.5|NONE|25|HIGH|0");
    EXPECT_EQ(fieldsOf(*codeplug.channelAt(2)), "446.00000|446.00000|446.00000|100.0|100.0|12.5|MID|0");
    EXPECT_EQ(fieldsOf(*codeplug.channelAt(3)), "DCS|443.50000|448.50000|D132I|D132N|25|LOW|0");
    EXPECT_EQ(fieldsOf(*codeplug.channelAt(4)), "Crossed|145.50000|435.00000|088.5|D754N|25|HIGH|0");
    EXPECT_EQ(chirpImportReport(codeplug, imported),
              "4 channels imported.\r\n1 skipped: a channel of that name is present.\r\n1 refused: outside the "
              "radio's bands (136-174, 400-480 MHz).\r\n1 refused: not FM memories.\r\n3 refused: values that do "
              "not read or that the radio cannot hold.");
}

TEST_F(Chirp, PowerBecomesTheNearestLevelTheFormatStores)
{
    const struct {
        FormatId format;
        const char* power;
        const char* stored;
    } cases[] = {
        {Md2017Format, "2.5W", "MID"}, {Md380Format, "2.5W", "LOW"}, {Md380Format, "3.1W", "HIGH"},
        {Md380Format, "0.5W", "LOW"},  {D868Format, "Mid", "MID"},   {D868Format, "", "HIGH"},
        {Md2017Format, "1500", "HIGH"},
    };
    for (const auto& c : cases) {
        auto& codeplug = open(c.format);
        const auto imported = import(codeplug, std::string(ChirpCsvHeader) +
                                                   "\r\n1,P,439.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,"
                                                   "FM,5.00,," + c.power + ",,,,,\r\n");
        ASSERT_EQ(imported.imported, 1) << c.power;
        EXPECT_EQ(codeplug.channelAt(0)->powerText(), c.stored) << c.format << " " << c.power;
    }
}

TEST_F(Chirp, FullTableLeavesTheRestOutAndAFileWithoutHeaderIsRefused)
{
    auto& codeplug = open(Md380Format);
    for (int i = 0; i < 998; ++i)
        ASSERT_EQ(codeplug.addChannel(test::makeChannel(codeplug, "C" + std::to_string(i), false, 439.0)), AddResult::Added);
    std::string text = std::string(ChirpCsvHeader) + "\r\n";
    for (const char* name : {"U1", "U2", "U3"})
        text += std::string("1,") + name + ",439.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n";
    const auto full = import(codeplug, text);
    EXPECT_EQ(full.imported, 1);
    EXPECT_EQ(full.tableFull, 2);
    EXPECT_EQ(codeplug.channels().count(), 999);

    for (const char* refusedText : {"", "1,Simplex,146.520000\r\n", "Location,Name\r\n"}) {
        const auto refused = import(codeplug, refusedText);
        EXPECT_FALSE(refused.read);
        EXPECT_EQ(refused.refusal, "not a CHIRP CSV file: its first line names no Frequency column");
    }
}

} // namespace
} // namespace pw
