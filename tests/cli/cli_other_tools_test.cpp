// SPDX-License-Identifier: GPL-3.0-or-later
// The files of other tools through plugwright-cli, checked by the tools themselves where they are
// installed: Debian's dmrconfig reads the radio images and .rdt files written, qdmr's dmrconf
// verifies the YAML written and decodes the vendor files into the YAML imported.

#include "codeplug/codeplug.h"
#include "support/fixture_builder.h"
#include "support/run_process.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace pw {
namespace {

using Json = nlohmann::json;
using test::readBytes;
using test::TempDir;

const std::filesystem::path RealFiles = PLUGWRIGHT_REAL_FIXTURES;

struct RealFile {
    const char* name;
    const char* model;
    FormatId imageFormat;
    // dmrconf's radio for decoding the file; verify in dmrconf 0.11.2 knows no MD-390 and no MD-9600,
    // so their YAML is verified against the MD-UV390, which has both their bands and tables.
    const char* decodeRadio;
    const char* verifyRadio;
};
constexpr RealFile RealVendorFiles[] = {
    {"MD-380_400-480.rdt", "MD-380", Md380Format, "md390", "uv390"},
    {"MD-2017_400-480_136-174.rdt", "MD-2017", Md9600Format, "md2017", "md2017"},
    {"MD-9600_400-480.rdt", "MD-9600", Md9600Format, "uv390", "uv390"},
    {"MD-UV380_400-480_136-174.rdt", "MD-UV380", Md9600Format, "uv390", "uv390"},
};

test::ProcessResult cli(const std::vector<std::string>& arguments, const std::string& input = {})
{
    return test::runProcess(PLUGWRIGHT_CLI, arguments, input);
}

// A program of Debian's packages; empty when it is not installed.
std::string installed(const char* name)
{
    const auto path = std::string("/usr/bin/") + name;
    return std::filesystem::exists(path) ? path : std::string();
}

test::ProcessResult dmrconf(const std::vector<std::string>& arguments)
{
    std::vector<std::string> all = {"QT_QPA_PLATFORM=offscreen", installed("dmrconf")};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return test::runProcess("/usr/bin/env", all);
}

// dmrconfig's reading of a file, without the lines that name the file and the day.
std::string dmrconfigReading(const std::filesystem::path& path)
{
    const auto result = test::runProcess(installed("dmrconfig"), {path.string()});
    EXPECT_EQ(result.status, 0) << result.err;
    std::istringstream lines(result.out);
    std::string reading;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("Read codeplug from file", 0) != 0 && line.rfind("# Configuration generated", 0) != 0)
            reading += line + "\n";
    return reading;
}

#define REQUIRE_REAL_FILES()                                                                                           \
    if (!std::filesystem::exists(RealFiles))                                                                           \
    GTEST_SKIP() << "no real vendor files at " << RealFiles

#define REQUIRE_PROGRAM(name)                                                                                          \
    if (installed(name).empty())                                                                                       \
    GTEST_SKIP() << name " is not installed (scripts/setup-debian.sh installs it)"

std::filesystem::path writeImageOf(const TempDir& dir, const RealFile& real)
{
    const auto path = dir.file(std::string(real.model) + ".img");
    test::writeBytes(path, test::radioImageOf(readBytes(RealFiles / real.name)));
    return path;
}

TEST(CliOtherTools, ImageCutFromAVendorFileConvertsBackWithItsTemplateByteForByte)
{
    REQUIRE_REAL_FILES();
    TempDir dir;
    for (const auto& real : RealVendorFiles) {
        SCOPED_TRACE(real.name);
        const auto image = writeImageOf(dir, real);
        const auto info = cli({"info", image.string()});
        EXPECT_NE(info.out.find(std::string("format: ") + (real.imageFormat == Md380Format ? "0x1001" : "0x1003") +
                                "\nradio type: Unknown model"),
                  std::string::npos)
            << info.out;
        const auto again = dir.file("again.img");
        ASSERT_EQ(cli({"save-as", image.string(), again.string(), "--form", "image"}).status, 0);
        EXPECT_EQ(readBytes(again), readBytes(image));
        const auto back = dir.file("back.rdt");
        const auto result =
            cli({"save-as", image.string(), back.string(), "--form", "rdt", "--template", (RealFiles / real.name).string()});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(readBytes(back) == readBytes(RealFiles / real.name));
    }
}

TEST(CliOtherTools, ImageAndItsRdtWrittenForTheModelReadInDmrconfigAsTheVendorFile)
{
    REQUIRE_REAL_FILES();
    REQUIRE_PROGRAM("dmrconfig");
    TempDir dir;
    for (const auto& real : RealVendorFiles) {
        SCOPED_TRACE(real.name);
        const auto image = writeImageOf(dir, real);
        const auto made = dir.file("made.rdt");
        ASSERT_EQ(cli({"save-as", image.string(), made.string(), "--form", "rdt", "--model", real.model}).status, 0);
        const auto expected = dmrconfigReading(RealFiles / real.name);
        EXPECT_NE(expected.find("Channel1"), std::string::npos);
        EXPECT_EQ(dmrconfigReading(made), expected);
        EXPECT_EQ(dmrconfigReading(image), expected);
    }
}

TEST(CliOtherTools, EditedImageReadsInDmrconfigWithTheEdit)
{
    REQUIRE_REAL_FILES();
    REQUIRE_PROGRAM("dmrconfig");
    TempDir dir;
    const auto chirp = dir.file("chirp.csv");
    {
        std::ofstream out(chirp, std::ios::binary);
        out << "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
               "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
               "1,Added FM,446.100000,,0.000000,Tone,100.0,88.5,023,NN,023,Tone->Tone,NFM,5.00,,5.0W,,,,,\r\n";
    }
    for (const auto& real : {RealVendorFiles[0], RealVendorFiles[3]}) {
        SCOPED_TRACE(real.name);
        const auto image = writeImageOf(dir, real);
        ASSERT_EQ(cli({"set-radio", image.string(), "--name", "EDITED", "--id", "7654321"}).status, 0);
        const auto imported = cli({"import-chirp", image.string(), chirp.string()});
        ASSERT_EQ(imported.status, 0) << imported.err;
        EXPECT_EQ(imported.out, "1 channels imported.\n");
        EXPECT_EQ(std::filesystem::file_size(image), real.imageFormat == Md380Format ? 262144u : 851968u);
        const auto reading = dmrconfigReading(image);
        EXPECT_NE(reading.find("Name: EDITED\n"), std::string::npos) << reading;
        EXPECT_NE(reading.find("ID: 7654321\n"), std::string::npos) << reading;
        EXPECT_NE(reading.find("Added_FM         446.100   +0       High"), std::string::npos) << reading;
    }
}

TEST(CliOtherTools, SaveAsRefusesWhatItCannotDo)
{
    REQUIRE_REAL_FILES();
    TempDir dir;
    const auto image = writeImageOf(dir, RealVendorFiles[0]);
    const auto out = dir.file("out.rdt").string();
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string err;
    } cases[] = {
        {{"save-as", image.string(), out, "--form", "rdt"},
         2,
         "save-as: a radio image does not name its radio's model: give the model or a template .rdt (--model MODEL "
         "or --template RDT)\n"},
        {{"save-as", image.string(), out, "--form", "rdt", "--model", "MD-UV390"},
         1,
         "save-as: MD-UV390 files hold a memory of 851968 bytes, this codeplug's is 262144\n"},
        {{"save-as", image.string(), out, "--form", "rdt", "--template", (RealFiles / RealVendorFiles[3].name).string()},
         1,
         "save-as: the template is not a vendor .rdt file of this radio's layout (262709 bytes, beginning with the "
         "DfuSe prefix)\n"},
        {{"save-as", image.string(), out, "--form", "rdt", "--model", "GD-77"},
         1,
         "save-as: unknown model GD-77 (MD-380, MD-390, MD-UV380, MD-UV390, MD-2017, MD-9600)\n"},
        {{"save-as", test::writeFixture(dir.file("plug.rdb"), RdbV2Format).string(), out, "--form", "image"},
         1,
         "save-as: only codeplugs of the TYT family (MD-380, MD-2017, MD-UV380 and their relatives) have a radio "
         "image and an .rdt form\n"},
        {{"save-as", image.string(), out, "--form", "bin"}, 2, ""},
    };
    for (const auto& c : cases) {
        const auto result = cli(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments.back();
        if (!c.err.empty()) {
            EXPECT_EQ(result.err, c.err);
        }
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST(CliOtherTools, YamlExportedFromTheVendorFilesVerifiesInDmrconf)
{
    REQUIRE_REAL_FILES();
    REQUIRE_PROGRAM("dmrconf");
    TempDir dir;
    for (const auto& real : RealVendorFiles) {
        SCOPED_TRACE(real.name);
        const auto yaml = dir.file("export.yaml");
        const auto exported = cli({"export-qdmr", (RealFiles / real.name).string(), yaml.string()});
        ASSERT_EQ(exported.status, 0) << exported.err;
        EXPECT_EQ(exported.out, "");
        const auto verified = dmrconf({"verify", "-y", "-R", real.verifyRadio, yaml.string()});
        EXPECT_EQ(verified.status, 0) << verified.err;
        // Every reference links and every value is one the radio takes. The warnings left are
        // dmrconf's own: its support of the MD-2017 is new, and it wants a group list on every
        // digital channel, which the vendor blanks' channel has not.
        std::istringstream lines(verified.err);
        for (std::string line; std::getline(lines, line);)
            if (line.find("Warn") != std::string::npos || line.find("ERROR") != std::string::npos) {
                EXPECT_TRUE(line.find("still under development") != std::string::npos ||
                            line.find("Property 'groupList' must refer") != std::string::npos)
                    << line;
            }
    }
}

TEST(CliOtherTools, YamlOfAFullCodeplugVerifiesInDmrconfWithoutAWarning)
{
    REQUIRE_PROGRAM("dmrconf");
    TempDir dir;
    test::TytFixture plug(Md9600Format);
    const int world = plug.addContact(91, "Worldwide");
    const int parrot = plug.addContact(9990, "Parrot", CallType::PrivateCall);
    const int groups = plug.addRxGroupList("Groups", {world, parrot});
    const int local = plug.addChannel(test::tytDigitalChannel(Md9600Format, "Local TS2", 439.5625, world, groups, 0,
                                                              431.9625));
    const int hotspot = plug.addChannel(test::tytDigitalChannel(Md9600Format, "Hotspot", 433.45, parrot, groups));
    auto analog = test::tytAnalogChannel(Md9600Format, "Two metres", 145.6, 145.0);
    analog.setCtcssEncode(ToneCode::fromText("088.5"));
    analog.setCtcssDecode(ToneCode::fromText("D023I"));
    const int fm = plug.addChannel(analog);
    plug.addScanList("Scan", {local, fm});
    plug.addZone("Home", {local, hotspot}, {fm});
    const auto path = plug.write(dir.file("full.rdt"));
    const auto yaml = dir.file("full.yaml");
    ASSERT_EQ(cli({"export-qdmr", path.string(), yaml.string()}).status, 0);
    const auto verified = dmrconf({"verify", "-y", "-R", "uv390", yaml.string()});
    EXPECT_EQ(verified.status, 0);
    EXPECT_EQ(verified.err, "");
}

// The channels, contacts and zones of a dump, as objects by name.
std::map<std::string, Json> byName(const Json& records)
{
    std::map<std::string, Json> named;
    for (const auto& record : records)
        named[record["name"].get<std::string>()] = record;
    return named;
}

// The fields of two dumps' records of one name that differ.
std::set<std::string> differingFields(const Json& ours, const Json& theirs)
{
    std::set<std::string> fields;
    const auto a = byName(ours);
    const auto b = byName(theirs);
    for (const auto& [name, record] : b)
        if (!a.contains(name))
            fields.insert("(extra " + name + ")");
    for (const auto& [name, record] : a) {
        const auto other = b.find(name);
        if (other == b.end()) {
            fields.insert("(missing " + name + ")");
            continue;
        }
        for (const auto& item : record.items())
            if (item.value() != other->second[item.key()])
                fields.insert(item.key());
    }
    return fields;
}

TEST(CliOtherTools, YamlDecodedByDmrconfImportsWithTheRecordsReadFromTheVendorFile)
{
    REQUIRE_REAL_FILES();
    REQUIRE_PROGRAM("dmrconf");
    TempDir dir;
    // Where the two programs read a vendor file differently (besides "line", each channel's text
    // form): qdmr 0.11 reads the talkaround bit inverted; the privacy code, the decode switches,
    // the analog option and an analog channel's dormant colour code are not in its YAML, so the
    // imported channels have a new channel's; and the MD-9600's zone, which holds no channel, is
    // left out by the structural import, as every empty zone is.
    const std::set<std::string> channelFields = {"line", "talkaround", "privacyCode", "decodeSwitches"};
    const auto with = [&channelFields](const char* field) {
        auto fields = channelFields;
        fields.insert(field);
        return fields;
    };
    const std::map<std::string, std::pair<std::set<std::string>, std::set<std::string>>> expectedDifferences = {
        {"MD-380_400-480.rdt", {with("analogOption"), {}}},
        {"MD-2017_400-480_136-174.rdt", {with("colorCode"), {}}},
        {"MD-9600_400-480.rdt", {with("colorCode"), {"(missing Zone1)"}}},
        {"MD-UV380_400-480_136-174.rdt", {with("colorCode"), {}}},
    };
    for (const auto& real : RealVendorFiles) {
        SCOPED_TRACE(real.name);
        const auto original = RealFiles / real.name;
        const auto yaml = dir.file("decoded.yaml");
        const auto decoded = dmrconf({"decode", "-m", "-y", "-R", real.decodeRadio, original.string(), yaml.string()});
        ASSERT_EQ(decoded.status, 0) << decoded.err;

        // A blank codeplug of the same radio: the vendor file with every table emptied.
        Codeplug blank;
        ASSERT_NE(blank.open(original), NoFormat);
        ASSERT_TRUE(blank.decode());
        blank.contacts().deleteAll();
        blank.channels().deleteAll();
        blank.zones().deleteAll();
        blank.scanLists().deleteAll();
        blank.rxGroupLists().deleteAll();
        const auto blankPath = dir.file("blank.rdt");
        ASSERT_TRUE(blank.save(blankPath));

        const auto imported = dir.file("imported.rdt");
        const auto result = cli({"import-qdmr", blankPath.string(), yaml.string(), "-o", imported.string()});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.out.find("channels imported."), std::string::npos) << result.out;

        const auto ours = Json::parse(cli({"dump", original.string()}).out);
        const auto theirs = Json::parse(cli({"dump", imported.string()}).out);
        const auto& [channels, zones] = expectedDifferences.at(real.name);
        EXPECT_EQ(differingFields(ours["contacts"], theirs["contacts"]), std::set<std::string>{});
        EXPECT_EQ(differingFields(ours["channels"], theirs["channels"]), channels);
        EXPECT_EQ(differingFields(ours["zones"], theirs["zones"]), zones);
    }
}

} // namespace
} // namespace pw
