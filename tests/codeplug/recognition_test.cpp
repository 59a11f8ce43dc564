// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/codeplug.h"
#include "codeplug/rdb/rdb_codec.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pw {
namespace {

using test::buildFixture;
using test::TempDir;
using test::writeBytes;

FormatId openBytes(const TempDir& dir, const std::vector<std::uint8_t>& bytes, Codeplug& codeplug)
{
    const auto path = dir.file("file.rdt");
    writeBytes(path, bytes);
    return codeplug.open(path);
}

struct FormatCase {
    FormatId format;
    std::uint32_t features;
};

class EveryFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(EveryFormat, FixtureOpensWithItsFormatAndFeatures)
{
    TempDir dir;
    Codeplug codeplug;
    EXPECT_EQ(openBytes(dir, buildFixture(GetParam().format), codeplug), GetParam().format);
    EXPECT_TRUE(codeplug.loaded());
    EXPECT_EQ(codeplug.featureFlags(), GetParam().features);
    EXPECT_TRUE(codeplug.decode());
    EXPECT_FALSE(codeplug.changed());
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat,
                         testing::Values(FormatCase{Md380Format, 0x1BF}, FormatCase{Md2017Format, 0x13F},
                                         FormatCase{Md9600Format, 0x13F}, FormatCase{RdbV1Format, 0x13F},
                                         FormatCase{RdbV11Format, 0x13F}, FormatCase{RdbV2Format, 0x13F},
                                         FormatCase{D868Format, 0x13F}));

TEST(Recognition, ModelTextDecidesBetweenTheLargeTytFormats)
{
    TempDir dir;
    test::FixtureOptions options;
    for (const char* model : {"MD9600", "MD-UV380", "MD-UV390"}) {
        options.modelText = model;
        Codeplug codeplug;
        EXPECT_EQ(openBytes(dir, buildFixture(Md9600Format, options), codeplug), Md9600Format) << model;
        EXPECT_EQ(codeplug.radioTypeText(), model);
    }
    Codeplug md2017;
    EXPECT_EQ(openBytes(dir, buildFixture(Md2017Format), md2017), Md2017Format);
    EXPECT_EQ(md2017.radioTypeText(), "MD2017");

}

// Radios built on the MD-UV380 write their own model text; at the MD-UV380's size (or one byte
// short, as vendor software writes it) any text reads with its layout and shows as the radio type.
TEST(Recognition, UvSizeFileWithOtherModelTextHasTheUvLayoutAndRoundTrips)
{
    TempDir dir;
    test::FixtureOptions options;
    for (const char* model : {"DM-1701", "MD-UV999", "md9600", ""}) {
        options.modelText = model;
        auto bytes = buildFixture(Md9600Format, options);
        for (const std::size_t size : {std::size_t{852533}, std::size_t{852534}}) {
            bytes.resize(size);
            // Bytes outside the tables must come back as they were.
            bytes[0x2000] = 0x5A;
            bytes[size - 1] = 0xA5;
            Codeplug codeplug;
            ASSERT_EQ(openBytes(dir, bytes, codeplug), Md9600Format) << model << ' ' << size;
            EXPECT_EQ(codeplug.radioTypeText(), model);
            EXPECT_TRUE(codeplug.decode());
            EXPECT_EQ(codeplug.errorLogText(), "");
            codeplug.setRadioName("Changed");
            codeplug.setRadioName("FIXTURE");
            ASSERT_TRUE(codeplug.save(dir.file("saved.rdt")));
            EXPECT_EQ(test::readBytes(dir.file("saved.rdt")), bytes) << model << ' ' << size;
        }
    }
}

TEST(Recognition, Md380SizeFileWithOtherTextStaysMd380)
{
    TempDir dir;
    test::FixtureOptions options;
    options.vendorCode = {'D', 'M', '-', '9', '9', 0};
    auto bytes = buildFixture(Md380Format, options);
    Codeplug codeplug;
    EXPECT_EQ(openBytes(dir, bytes, codeplug), Md380Format);
    // Between the two sizes the file is still an MD-380 file with a tail.
    bytes.resize(852532, 0);
    EXPECT_EQ(openBytes(dir, bytes, codeplug), Md380Format);
}

TEST(Recognition, LargeTytReadersRefuseFilesOverAHundredBytesLonger)
{
    TempDir dir;
    auto bytes = buildFixture(Md9600Format);
    bytes.resize(852634, 0xFF);
    Codeplug fits;
    EXPECT_EQ(openBytes(dir, bytes, fits), Md9600Format);
    bytes.resize(852635, 0xFF);
    Codeplug tooLong;
    EXPECT_EQ(openBytes(dir, bytes, tooLong), Md380Format);
}

TEST(Recognition, ShortDfuSeFileWithoutModelTextIsNotRecognised)
{
    TempDir dir;
    auto bytes = buildFixture(Md380Format);
    bytes.resize(262708);
    Codeplug codeplug;
    EXPECT_EQ(openBytes(dir, bytes, codeplug), NoFormat);
    EXPECT_FALSE(codeplug.loaded());
}

TEST(Recognition, D868ModelTextIgnoresCaseButNeedsChannels)
{
    TempDir dir;
    test::FixtureOptions options;
    options.d868Model = "d868uve ";
    auto bytes = buildFixture(D868Format, options);
    Codeplug codeplug;
    EXPECT_EQ(openBytes(dir, bytes, codeplug), D868Format);

    // C0 = 0 channels: not a D868 file.
    test::putU32(bytes, test::D868HeaderSize, 0);
    Codeplug noChannels;
    EXPECT_EQ(openBytes(dir, bytes, noChannels), NoFormat);
    // Every record number up to the second special record, and no more.
    test::putU32(bytes, test::D868HeaderSize, 4002);
    EXPECT_EQ(openBytes(dir, bytes, noChannels), D868Format);
    test::putU32(bytes, test::D868HeaderSize, 4003);
    EXPECT_EQ(openBytes(dir, bytes, noChannels), NoFormat);
}

// Newer vendor software writes a version after the eight characters: the file opens, and the
// version bytes are written back as they were.
TEST(Recognition, D868HeaderVersionBytesAreAcceptedAndKept)
{
    TempDir dir;
    auto bytes = buildFixture(D868Format);
    const std::uint8_t version[8] = {0x07, 0x00, 'V', '1', '0', '2', 0x00, 0x00};
    std::copy(std::begin(version), std::end(version), bytes.begin() + 8);
    Codeplug codeplug;
    ASSERT_EQ(openBytes(dir, bytes, codeplug), D868Format);
    ASSERT_TRUE(codeplug.decode());
    codeplug.setRadioName("Changed");
    ASSERT_TRUE(codeplug.save(dir.file("saved.rdt")));
    const auto saved = test::readBytes(dir.file("saved.rdt"));
    ASSERT_GE(saved.size(), 16u);
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 16, bytes.begin()));

    // Only the first eight characters name the radio.
    bytes[7] = 'X';
    EXPECT_EQ(openBytes(dir, bytes, codeplug), NoFormat);
}

TEST(Recognition, D868CountLimitsForContacts)
{
    TempDir dir;
    auto bytes = buildFixture(D868Format);
    test::putU32(bytes, test::D868HeaderSize + 4 * 6, 160001);
    Codeplug tooMany;
    EXPECT_EQ(openBytes(dir, bytes, tooMany), NoFormat);
    bytes = buildFixture(D868Format);
    test::putU32(bytes, test::D868HeaderSize + 4 * 5, 10001);
    EXPECT_EQ(openBytes(dir, bytes, tooMany), NoFormat);
}

TEST(Recognition, RdbVersionTextNeedsItsZeroAndMinimumLength)
{
    TempDir dir;
    auto bytes = buildFixture(RdbV1Format);
    Codeplug codeplug;
    EXPECT_EQ(openBytes(dir, bytes, codeplug), RdbV1Format);
    EXPECT_EQ(static_cast<rdb::RdbCodec&>(codeplug.codec()).imageLength(), bytes.size());
    bytes[0x2017] = 'X';  // the terminating zero
    EXPECT_EQ(openBytes(dir, bytes, codeplug), NoFormat);
    auto shortImage = buildFixture(RdbV11Format);
    shortImage.resize(0x65010 - 1);
    EXPECT_EQ(openBytes(dir, shortImage, codeplug), NoFormat);
}

TEST(Recognition, BadInputFailsWithoutCrashing)
{
    TempDir dir;
    Codeplug codeplug;
    EXPECT_EQ(codeplug.open(dir.file("missing.rdt")), NoFormat);
    EXPECT_EQ(codeplug.open(dir.path()), NoFormat);
    writeBytes(dir.file("empty.rdt"), std::vector<std::uint8_t>{});
    EXPECT_EQ(codeplug.open(dir.file("empty.rdt")), NoFormat);
    writeBytes(dir.file("text.rdt"), std::vector<std::uint8_t>(5000, 'x'));
    EXPECT_EQ(codeplug.open(dir.file("text.rdt")), NoFormat);
    EXPECT_FALSE(codeplug.loaded());
    EXPECT_FALSE(codeplug.decode());
    EXPECT_FALSE(codeplug.save(dir.file("out.rdt")));
    EXPECT_EQ(codeplug.radioTypeText(), "Invalid Image");
}

TEST(Recognition, FailedOpenClearsLoadedButKeepsTheFormat)
{
    TempDir dir;
    Codeplug codeplug;
    ASSERT_EQ(openBytes(dir, buildFixture(Md2017Format), codeplug), Md2017Format);
    EXPECT_EQ(codeplug.open(dir.file("missing.rdt")), NoFormat);
    EXPECT_FALSE(codeplug.loaded());
    EXPECT_EQ(codeplug.formatId(), Md2017Format);
}

TEST(Recognition, RealVendorFilesOpen)
{
    const std::filesystem::path real = PLUGWRIGHT_REAL_FIXTURES;
    if (!std::filesystem::exists(real))
        GTEST_SKIP() << "no real vendor files at " << real;
    // The bands are those the files are named after.
    const std::vector<FrequencyLimits> uhf = {{400.0, 480.0}};
    const std::vector<FrequencyLimits> dualBand = {{400.0, 480.0}, {136.0, 174.0}};
    const struct {
        const char* file;
        FormatId format;
        const char* type;
        const std::vector<FrequencyLimits>& bands;
    } files[] = {
        {"MD-380_400-480.rdt", Md380Format, "Tyt MD380/90 & Retevis RT3 (Mfr Code DR780)", uhf},
        {"MD-2017_400-480_136-174.rdt", Md2017Format, "MD2017", dualBand},
        {"MD-9600_400-480.rdt", Md9600Format, "MD9600", uhf},
        {"MD-UV380_400-480_136-174.rdt", Md9600Format, "MD-UV380", dualBand},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.file);
        Codeplug codeplug;
        EXPECT_EQ(codeplug.open(real / f.file), f.format);
        EXPECT_EQ(codeplug.radioTypeText(), f.type);
        const auto bands = codeplug.radioBands();
        ASSERT_EQ(bands.size(), f.bands.size());
        for (std::size_t i = 0; i < bands.size(); ++i) {
            EXPECT_EQ(bands[i].lowestMhz, f.bands[i].lowestMhz);
            EXPECT_EQ(bands[i].highestMhz, f.bands[i].highestMhz);
        }
    }
}

} // namespace
} // namespace pw
