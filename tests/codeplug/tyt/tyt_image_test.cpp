// SPDX-License-Identifier: GPL-3.0-or-later
// Radio images (the memory without the vendor file's wrapping) and the vendor wrapping written
// for a model or taken from a template.

#include "codeplug/codeplug.h"
#include "codeplug/tyt/tyt_file_forms.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

namespace pw {
namespace {

using test::readBytes;
using test::TempDir;
using test::TytFixture;

const std::filesystem::path RealFiles = PLUGWRIGHT_REAL_FIXTURES;

struct RealFile {
    const char* name;
    const char* model;
};
constexpr RealFile RealVendorFiles[] = {
    {"MD-380_400-480.rdt", "MD-380"},
    {"MD-2017_400-480_136-174.rdt", "MD-2017"},
    {"MD-9600_400-480.rdt", "MD-9600"},
    {"MD-UV380_400-480_136-174.rdt", "MD-UV380"},
};

template <typename Record>
std::vector<std::vector<std::uint8_t>> recordsOf(const RecordList<Record>& list)
{
    std::vector<std::vector<std::uint8_t>> records;
    for (const auto& record : list)
        records.emplace_back(record->familyRecord().begin(), record->familyRecord().end());
    return records;
}

void expectSameRecords(const Codeplug& a, const Codeplug& b, const std::string& what)
{
    EXPECT_EQ(recordsOf(a.contacts()), recordsOf(b.contacts())) << what;
    EXPECT_EQ(recordsOf(a.channels()), recordsOf(b.channels())) << what;
    EXPECT_EQ(recordsOf(a.zones()), recordsOf(b.zones())) << what;
    EXPECT_EQ(recordsOf(a.scanLists()), recordsOf(b.scanLists())) << what;
    EXPECT_EQ(recordsOf(a.rxGroupLists()), recordsOf(b.rxGroupLists())) << what;
    EXPECT_EQ(a.radioName(), b.radioName()) << what;
    EXPECT_EQ(a.radioDmrId(), b.radioDmrId()) << what;
}

struct OpenedFile {
    std::filesystem::path path;
    Codeplug codeplug;

    OpenedFile(const TempDir& dir, const std::string& name, const std::vector<std::uint8_t>& bytes)
        : path(dir.file(name))
    {
        test::writeBytes(path, bytes);
        EXPECT_NE(codeplug.open(path), NoFormat) << name;
        EXPECT_TRUE(codeplug.decode()) << name;
    }

    std::vector<std::uint8_t> saved(const TempDir& dir)
    {
        const auto out = dir.file("saved-" + path.filename().string());
        EXPECT_TRUE(codeplug.save(out));
        return readBytes(out);
    }
};

TytFixture populated(FormatId format)
{
    TytFixture plug(format);
    const int worldwide = plug.addContact(91, "Worldwide");
    const int parrot = plug.addContact(9998, "Parrot", CallType::PrivateCall);
    plug.addEmergencySystem("System1");
    const int group = plug.addRxGroupList("Group", {worldwide, parrot});
    const int a = plug.addChannel(test::tytDigitalChannel(format, "Repeater", 439.5, worldwide, group));
    const int b = plug.addChannel(test::tytAnalogChannel(format, "Simplex", 145.5));
    plug.addScanList("Scan", {a, b});
    plug.addZone("Home", {a, b});
    return plug;
}

TEST(RadioImage, IsToldBySizeAlone)
{
    TempDir dir;
    const struct {
        std::size_t size;
        FormatId format;
    } cases[] = {{262144, Md380Format}, {851968, Md9600Format}, {262143, NoFormat}, {262145, NoFormat},
                 {851967, NoFormat},    {851969, NoFormat}};
    for (const auto& c : cases) {
        const auto path = dir.file("image.img");
        test::writeBytes(path, std::vector<std::uint8_t>(c.size, 0xFF));
        Codeplug codeplug;
        EXPECT_EQ(codeplug.open(path), c.format) << c.size;
    }
}

TEST(RadioImage, OpensWithTheRecordsOfItsVendorFileAndSavesByteForByte)
{
    TempDir dir;
    for (const FormatId format : {Md380Format, Md2017Format, Md9600Format}) {
        const auto vendorFile = populated(format).bytes();
        const auto image = test::radioImageOf(vendorFile);
        OpenedFile rdt(dir, "plug.rdt", vendorFile);
        OpenedFile img(dir, "plug.img", image);
        ASSERT_EQ(img.codeplug.formatId(), format == Md380Format ? Md380Format : Md9600Format);
        expectSameRecords(rdt.codeplug, img.codeplug, std::to_string(format));
        EXPECT_EQ(img.codeplug.radioTypeText(), format == Md380Format ? "Unknown model (MD-380 family radio image)"
                                                                      : "Unknown model (MD-UV380 family radio image)");
        // The manufacturer code lies outside the memory: an image has none to change.
        EXPECT_FALSE(img.codeplug.hasFeature(feature::VendorChange));
        img.codeplug.setVendor(2);
        EXPECT_FALSE(img.codeplug.changed());
        EXPECT_EQ(img.saved(dir), image) << format;
    }
}

TEST(RadioImage, AnEditSavesWhatTheVendorFileEditedAlikeHoldsAsItsMemory)
{
    TempDir dir;
    for (const FormatId format : {Md380Format, Md9600Format}) {
        const auto vendorFile = populated(format).bytes();
        OpenedFile rdt(dir, "plug.rdt", vendorFile);
        OpenedFile img(dir, "plug.img", test::radioImageOf(vendorFile));
        for (Codeplug* codeplug : {&rdt.codeplug, &img.codeplug}) {
            codeplug->addContact(test::tytContact(format, 3100, "Added"));
            codeplug->deleteChannel(1);
            codeplug->setRadioName("Edited");
        }
        const auto image = img.saved(dir);
        EXPECT_EQ(image.size(), format == Md380Format ? 262144u : 851968u);
        EXPECT_EQ(image, test::radioImageOf(rdt.saved(dir))) << format;
    }
}

TEST(RadioImage, RealVendorFilesCutToImagesKeepTheirRecords)
{
    if (!std::filesystem::exists(RealFiles))
        GTEST_SKIP() << "no real vendor files at " << RealFiles;
    TempDir dir;
    for (const auto& real : RealVendorFiles) {
        const auto vendorFile = readBytes(RealFiles / real.name);
        const auto image = test::radioImageOf(vendorFile);
        OpenedFile rdt(dir, "plug.rdt", vendorFile);
        OpenedFile img(dir, "plug.img", image);
        expectSameRecords(rdt.codeplug, img.codeplug, real.name);
        EXPECT_GT(img.codeplug.channels().count(), 0) << real.name;
        EXPECT_EQ(img.saved(dir), image) << real.name;
    }
}

TEST(VendorWrapping, WrittenForTheModelIsTheVendorBlankOfThatModel)
{
    if (!std::filesystem::exists(RealFiles))
        GTEST_SKIP() << "no real vendor files at " << RealFiles;
    for (const auto& real : RealVendorFiles) {
        const auto vendorFile = readBytes(RealFiles / real.name);
        const auto made = tyt::vendorFileForModel(real.model, test::radioImageOf(vendorFile));
        EXPECT_EQ(made.refusal, "");
        EXPECT_TRUE(made.bytes == vendorFile) << real.name;
    }
}

TEST(VendorWrapping, TakenFromATemplateKeepsEveryByteButTheMemory)
{
    auto vendorFile = populated(Md9600Format).bytes();
    vendorFile.resize(852533);
    std::fill(vendorFile.begin() + 0x125, vendorFile.begin() + 0x225, std::uint8_t{0x5A});
    auto memory = test::radioImageOf(vendorFile);
    memory[0x10] = 0x42;
    memory[0x50000] = 0x43;
    const auto made = tyt::vendorFileFromTemplate(vendorFile, memory);
    ASSERT_EQ(made.refusal, "");
    ASSERT_EQ(made.bytes.size(), vendorFile.size());
    EXPECT_EQ(test::radioImageOf(made.bytes), memory);
    std::vector<std::size_t> differing;
    for (std::size_t i = 0; i < vendorFile.size(); ++i)
        if (made.bytes[i] != vendorFile[i])
            differing.push_back(i);
    EXPECT_EQ(differing, (std::vector<std::size_t>{0x225 + 0x10, 0x235 + 0x50000}));
}

TEST(VendorWrapping, SingleBandModelTakesTheRangeOfItsChannels)
{
    const std::vector<std::uint8_t> memory(262144, 0xFF);
    const struct {
        std::vector<double> channels;
        std::uint8_t range;
        std::vector<std::uint8_t> limits;
    } cases[] = {
        {{145.5, 146.0, 439.0}, 0, {0x60, 0x13, 0x40, 0x17}},
        {{439.0}, 2, {0x00, 0x40, 0x00, 0x48}},
        {{}, 2, {0x00, 0x40, 0x00, 0x48}},
        {{500.0, 510.0}, 3, {0x00, 0x45, 0x00, 0x52}},
    };
    for (const auto& c : cases) {
        const auto made = tyt::vendorFileForModel("md-390", memory, c.channels);
        ASSERT_EQ(made.bytes.size(), 262709u);
        EXPECT_EQ(std::string(made.bytes.begin() + 0x125, made.bytes.begin() + 0x12B), std::string("MD390\0", 6));
        EXPECT_EQ(made.bytes[0x136], c.range);
        EXPECT_EQ(made.bytes[0x137], 0xFF);
        EXPECT_EQ(std::vector<std::uint8_t>(made.bytes.begin() + 0x139, made.bytes.begin() + 0x13D), c.limits);
        ASSERT_EQ(tyt::headerBands(made.bytes).size(), 1u);
    }
    // A dual-band model names both ranges; a radio image, whose wrapping is empty, none.
    auto dual = tyt::vendorFileForModel("MD-UV380", std::vector<std::uint8_t>(851968, 0)).bytes;
    const auto bands = tyt::headerBands(dual);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(std::make_pair(bands[1].lowestMhz, bands[1].highestMhz), std::make_pair(136.0, 174.0));
    std::fill(dual.begin() + 0x125, dual.begin() + 0x225, std::uint8_t{0});
    EXPECT_TRUE(tyt::headerBands(dual).empty());
}

} // namespace
} // namespace pw
