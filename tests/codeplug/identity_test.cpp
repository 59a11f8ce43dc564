// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/codeplug.h"
#include "codeplug/tyt/tyt_codec.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

std::vector<std::uint8_t>& tytImage(Codeplug& codeplug)
{
    return static_cast<tyt::TytCodec&>(codeplug.codec()).image();
}

std::unique_ptr<Codeplug> openFixture(const TempDir& dir, FormatId format, const test::FixtureOptions& options = {})
{
    auto codeplug = std::make_unique<Codeplug>();
    const auto path = test::writeFixture(dir.file("fixture"), format, options);
    EXPECT_EQ(codeplug->open(path), format);
    EXPECT_TRUE(codeplug->decode());
    return codeplug;
}

TEST(VendorTable, CodeBytesGiveTheIndexAndTypeText)
{
    TempDir dir;
    const struct {
        std::vector<std::uint8_t> code;
        int index;
        const char* type;
    } cases[] = {
        {{0x44, 0x36, 0x38, 0x30, 0x00, 0xFF}, 1, "Connect Sys CS700/701 (Mfr Code D680)"},
        {{0x44, 0x52, 0x37, 0x38, 0x30, 0x00}, 2, "Tyt MD380/90 & Retevis RT3 (Mfr Code DR780)"},
        {{0x44, 0x38, 0x35, 0x38, 0x00, 0xFF}, 3, "AnyTone AT-D858 (Mfr Code D858)"},
        {{0x4D, 0x44, 0x33, 0x39, 0x30, 0x00}, 4, "Tyt MD390 GPS (Mfr Code MD390)"},
        {{0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, 5, "Unrecognized vendor information."},
        {{0x41, 0x42, 0x43, 0x44, 0x45, 0x46}, 0, "Unrecognized vendor information."},
    };
    for (const auto& c : cases) {
        test::FixtureOptions options;
        options.vendorCode = c.code;
        auto codeplug = openFixture(dir, Md380Format, options);
        EXPECT_EQ(codeplug->vendorIndex(), c.index);
        EXPECT_EQ(codeplug->radioTypeText(), c.type);
    }
}

TEST(VendorTable, EntryZeroNamesTheCodeplugsOwnVendor)
{
    TempDir dir;
    auto codeplug = openFixture(dir, Md380Format);
    EXPECT_EQ(codeplug->vendorName(0), "Tyt MD380/90 & Retevis RT3");
    EXPECT_EQ(codeplug->vendorName(3), "AnyTone AT-D858");
    EXPECT_EQ(codeplug->vendorName(7), "Unknown");
    Codeplug empty;
    EXPECT_EQ(empty.vendorName(0), "Unknown");
}

TEST(SetVendor, GpsEntryWritesBandLimitsAndResetsFifteenRecords)
{
    TempDir dir;
    auto codeplug = openFixture(dir, Md380Format);
    auto& image = tytImage(*codeplug);
    image[0x3EE65 + 16 * 15] = 0x77;  // the 16th record stays
    image[0x3EE65 + 6] = 0x66;        // bytes beyond the first six stay
    codeplug->setVendor(4);
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 0x139, image.begin() + 0x13D),
              (std::vector<std::uint8_t>{0x00, 0x40, 0x00, 0x48}));
    for (std::size_t k = 0; k < 15; ++k)
        EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 0x3EE65 + 16 * k, image.begin() + 0x3EE65 + 16 * k + 6),
                  (std::vector<std::uint8_t>{0, 0, 0, 0xFF, 0, 0}));
    EXPECT_EQ(image[0x3EE65 + 16 * 15], 0x77);
    EXPECT_EQ(image[0x3EE65 + 6], 0x66);
    EXPECT_EQ(codeplug->vendorIndex(), 4);
    EXPECT_TRUE(codeplug->changed());
}

TEST(SetVendor, ConnectSystemsUsesTableAAndLeavesRecords)
{
    TempDir dir;
    auto codeplug = openFixture(dir, Md380Format);
    codeplug->setVendor(1);
    const auto& image = tytImage(*codeplug);
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 0x139, image.begin() + 0x13D),
              (std::vector<std::uint8_t>{0x00, 0x40, 0x00, 0x47}));
    EXPECT_EQ(image[0x3EE65], 0xFF);
}

TEST(SetVendor, DoesNothingWithoutTheVendorFeature)
{
    TempDir dir;
    auto codeplug = openFixture(dir, Md2017Format);
    const auto before = tytImage(*codeplug);
    codeplug->setVendor(4);
    EXPECT_EQ(tytImage(*codeplug), before);
    EXPECT_FALSE(codeplug->changed());
}

TEST(SetVendor, BandIndexOutsideTheTableLeavesTheLimits)
{
    TempDir dir;
    test::FixtureOptions options;
    options.bandIndex = 9;
    auto codeplug = openFixture(dir, Md380Format, options);
    codeplug->setVendor(2);
    EXPECT_EQ(tytImage(*codeplug)[0x13C], 0x48);
    EXPECT_EQ(codeplug->vendorIndex(), 2);
}

TEST(RadioName, TytNameIsSixteenUtf16Units)
{
    TempDir dir;
    auto codeplug = openFixture(dir, Md380Format);
    EXPECT_EQ(codeplug->radioName(), "FIXTURE");
    codeplug->setRadioName("AB");
    const auto& image = tytImage(*codeplug);
    std::vector<std::uint8_t> expected(32, 0);
    expected[0] = 0x41;
    expected[2] = 0x42;
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 0x22D5, image.begin() + 0x22D5 + 32), expected);
    EXPECT_EQ(codeplug->radioName(), "AB");
    EXPECT_TRUE(codeplug->changed());
}

TEST(RadioName, EveryFamilyReadsAndWritesItsOwnPlace)
{
    TempDir dir;
    for (const FormatId format : {Md380Format, Md2017Format, Md9600Format, RdbV1Format, RdbV11Format, RdbV2Format,
                                  D868Format}) {
        auto codeplug = openFixture(dir, format);
        EXPECT_EQ(codeplug->radioName(), "FIXTURE") << std::hex << format;
        EXPECT_EQ(codeplug->radioDmrId(), 1234567u) << std::hex << format;
        codeplug->setRadioName("SEVENTEEN CHARS!!");
        codeplug->setRadioDmrId(2041234);
        EXPECT_EQ(codeplug->radioName(), "SEVENTEEN CHARS!") << std::hex << format;
        EXPECT_EQ(codeplug->radioDmrId(), 2041234u) << std::hex << format;
    }
}

TEST(RadioDmrId, IsMaskedToTwentyFourBits)
{
    TempDir dir;
    auto codeplug = openFixture(dir, RdbV2Format);
    codeplug->setRadioDmrId(16777216);
    EXPECT_EQ(codeplug->radioDmrId(), 0u);
    Codeplug empty;
    EXPECT_EQ(empty.radioDmrId(), 0u);
    EXPECT_FALSE(empty.radioName().has_value());
}

TEST(RadioType, RdbTextsNameTheModelAndTheContactSpace)
{
    TempDir dir;
    test::FixtureOptions options;
    options.rdbModel = "MD-390";
    EXPECT_EQ(openFixture(dir, RdbV1Format, options)->radioTypeText(), "MD-390 (64K Contacts)");
    EXPECT_EQ(openFixture(dir, RdbV11Format, options)->radioTypeText(), "MD-390 (64K Contacts)");
    EXPECT_EQ(openFixture(dir, RdbV2Format, options)->radioTypeText(), "MD-390 V2 (130K Contacts)");
    EXPECT_EQ(openFixture(dir, D868Format)->radioTypeText(), "AT868UV");
}

} // namespace
} // namespace pw
