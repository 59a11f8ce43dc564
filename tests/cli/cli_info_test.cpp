// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fixture_builder.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace pw {
namespace {

using test::runProcess;
using test::TempDir;

test::ProcessResult cli(const std::vector<std::string>& arguments, const std::string& input = {})
{
    return runProcess(PLUGWRIGHT_CLI, arguments, input);
}

TEST(CliInfo, PrintsEveryKeyInOrderForEachFormat)
{
    TempDir dir;
    const struct {
        FormatId format;
        const char* formatText;
        const char* type;
    } cases[] = {
        {Md380Format, "0x1001", "Tyt MD380/90 & Retevis RT3 (Mfr Code DR780)"},
        {Md2017Format, "0x1002", "MD2017"},
        {Md9600Format, "0x1003", "MD-UV380"},
        {RdbV1Format, "0x2001", "RDB-TEST (64K Contacts)"},
        {RdbV11Format, "0x2002", "RDB-TEST (64K Contacts)"},
        {RdbV2Format, "0x2003", "RDB-TEST V2 (130K Contacts)"},
        {D868Format, "0x3001", "AT868UV"},
    };
    for (const auto& c : cases) {
        const auto path = test::writeFixture(dir.file("plug"), c.format).string();
        const auto result = cli({"info", path});
        ASSERT_EQ(result.status, 0) << result.err;
        const std::string expectedStart = "file: " + path + "\nformat: " + c.formatText + "\nradio type: " + c.type +
                                          "\nradio name: FIXTURE\nradio dmr id: 1234567\ncontacts: ";
        EXPECT_EQ(result.out.substr(0, expectedStart.size()), expectedStart) << result.out;
        for (const char* key : {"\nchannels: ", "\nzones: ", "\nscan lists: ", "\nrx group lists: ", "\nerrors: "})
            EXPECT_NE(result.out.find(key), std::string::npos) << key;
    }
}

TEST(CliInfo, AllZeroVendorCodeIsUnrecognised)
{
    TempDir dir;
    test::FixtureOptions options;
    options.vendorCode = {0, 0, 0, 0, 0, 0};
    const auto path = test::writeFixture(dir.file("plug"), Md380Format, options).string();
    const auto result = cli({"info", path});
    EXPECT_NE(result.out.find("radio type: Unrecognized vendor information.\n"), std::string::npos);
}

TEST(CliInfo, BadFilesFailWithTheMessageAndStatusOne)
{
    TempDir dir;
    test::writeBytes(dir.file("empty"), std::vector<std::uint8_t>{});
    test::writeBytes(dir.file("junk"), std::vector<std::uint8_t>(300000, 0x42));
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);
    // A file that cannot be read is told apart from one that fits no format by the system's reason.
    // A FIFO without a writer is refused at once, as a device is.
    const std::pair<std::filesystem::path, std::string> cases[] = {
        {dir.file("empty"), ""},
        {dir.file("junk"), ""},
        {dir.file("missing"), "cannot read " + dir.file("missing").string() + ": No such file or directory\n"},
        {dir.path(), "cannot read " + dir.path().string() + ": Is a directory\n"},
        {dir.file("pipe"), "cannot read " + dir.file("pipe").string() + ": not a regular file\n"},
        {"/dev/null", "cannot read /dev/null: not a regular file\n"},
    };
    for (const auto& [path, reason] : cases) {
        // A command that waits is ended rather than holding the tests up.
        const auto result = test::runProcess("/usr/bin/timeout", {"60", PLUGWRIGHT_CLI, "info", path.string()});
        EXPECT_EQ(result.status, 1) << path;
        EXPECT_EQ(result.err, "Failed to load Codeplug; the specified file is invalid.\n" + reason) << path;
        EXPECT_EQ(result.out, "");
    }
}

TEST(CliInfo, UnreadableFileFails)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TempDir dir;
    const auto path = test::writeFixture(dir.file("locked"), Md380Format);
    ::chmod(path.c_str(), 0);
    const auto result = cli({"info", path.string()});
    EXPECT_EQ(result.status, 1);
}

TEST(CliUsage, UnknownCommandsAndMissingArgumentsAreUsageErrors)
{
    EXPECT_EQ(cli({}).status, 2);
    EXPECT_EQ(cli({"no-such-command"}).status, 2);
    EXPECT_EQ(cli({"info"}).status, 2);
    EXPECT_EQ(cli({"--help"}).status, 0);
    EXPECT_EQ(cli({"info", "--help"}).status, 0);
}

TEST(CliSetRadio, NameWritesUtf16UnitsAndNothingElse)
{
    TempDir dir;
    const auto path = test::writeFixture(dir.file("plug.rdt"), Md380Format);
    const auto before = test::readBytes(path);
    const auto result = cli({"set-radio", path.string(), "--name", "AB"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Tyt MD380/90 & Retevis RT3 (Mfr Code DR780)\n");
    const auto after = test::readBytes(path);
    ASSERT_EQ(after.size(), before.size());
    std::vector<std::uint8_t> expected(32, 0);
    expected[0] = 0x41;
    expected[2] = 0x42;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i >= 0x22D5 && i < 0x22D5 + 32)
            ASSERT_EQ(after[i], expected[i - 0x22D5]) << i;
        else
            ASSERT_EQ(after[i], before[i]) << i;
    }
}

TEST(CliSetRadio, VendorFourWritesBandLimitsAndResetsRecords)
{
    TempDir dir;
    const auto path = test::writeFixture(dir.file("plug.rdt"), Md380Format);
    const auto result = cli({"set-radio", path.string(), "--vendor", "4"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Tyt MD390 GPS (Mfr Code MD390)\n");
    const auto after = test::readBytes(path);
    EXPECT_EQ(std::vector<std::uint8_t>(after.begin() + 0x139, after.begin() + 0x13D),
              (std::vector<std::uint8_t>{0x00, 0x40, 0x00, 0x48}));
    for (std::size_t k = 0; k < 15; ++k)
        EXPECT_EQ(after[0x3EE65 + 16 * k + 3], 0xFF);
    EXPECT_EQ(after[0x3EE65], 0x00);
}

TEST(CliSetRadio, OutputOptionLeavesTheFileAlone)
{
    TempDir dir;
    const auto path = test::writeFixture(dir.file("plug.rdt"), RdbV2Format);
    const auto before = test::readBytes(path);
    const auto out = dir.file("copy.rdb");
    const auto result = cli({"set-radio", path.string(), "--id", "2041234", "-o", out.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(test::readBytes(path), before);
    const auto info = cli({"info", out.string()});
    EXPECT_NE(info.out.find("radio dmr id: 2041234\n"), std::string::npos);
}

TEST(CliSetRadio, VendorIsRefusedOutsideTheMd380FamilyAndOutOfRange)
{
    TempDir dir;
    const auto path = test::writeFixture(dir.file("plug.rdt"), Md2017Format);
    const auto before = test::readBytes(path);
    const auto refused = cli({"set-radio", path.string(), "--vendor", "2"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(refused.err.empty());
    EXPECT_EQ(test::readBytes(path), before);
    const auto md380 = test::writeFixture(dir.file("md380.rdt"), Md380Format);
    EXPECT_EQ(cli({"set-radio", md380.string(), "--vendor", "5"}).status, 2);
}

TEST(CliSetRadio, LatinOneNamesComeFromUtf8Arguments)
{
    TempDir dir;
    const auto path = test::writeFixture(dir.file("plug.rdt"), Md380Format);
    ASSERT_EQ(cli({"set-radio", path.string(), "--name", "J\xC3\xB8rn"}).status, 0);
    const auto bytes = test::readBytes(path);
    EXPECT_EQ(bytes[0x22D5 + 2], 0xF8);
    const auto info = cli({"info", path.string()});
    EXPECT_NE(info.out.find("radio name: J\xC3\xB8rn\n"), std::string::npos);
}

// "ДМР Jürgen": UTF-16 holds it whole; the D868's 8-bit name spells the Cyrillic in Latin letters.
TEST(CliSetRadio, NamesInOtherScriptsAreStoredAsTheFamilyCan)
{
    const std::string name = "\xD0\x94\xD0\x9C\xD0\xA0 J\xC3\xBCrgen";
    const struct {
        FormatId format;
        std::string shown;
    } cases[] = {{Md380Format, name}, {Md9600Format, name}, {RdbV2Format, name}, {D868Format, "DMR J\xC3\xBCrgen"}};
    for (const auto& c : cases) {
        TempDir dir;
        const auto path = test::writeFixture(dir.file("plug.rdt"), c.format);
        ASSERT_EQ(cli({"set-radio", path.string(), "--name", name}).status, 0);
        const auto info = cli({"info", path.string()});
        EXPECT_NE(info.out.find("radio name: " + c.shown + "\n"), std::string::npos) << info.out;
    }
    TempDir dir;
    const auto path = test::writeFixture(dir.file("plug.rdt"), Md380Format);
    ASSERT_EQ(cli({"set-radio", path.string(), "--name", name}).status, 0);
    const auto bytes = test::readBytes(path);
    EXPECT_EQ(bytes[0x22D5], 0x14);
    EXPECT_EQ(bytes[0x22D5 + 1], 0x04);
}

TEST(CliSetRadio, UnchangedCodeplugIsNotSaved)
{
    TempDir dir;
    const auto path = test::writeFixture(dir.file("plug.rdt"), Md380Format);
    struct stat before {};
    ::stat(path.c_str(), &before);
    ::sleep(0);
    const auto result = cli({"set-radio", path.string()});
    EXPECT_EQ(result.status, 0);
    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);  // a save would have replaced the file
}

} // namespace
} // namespace pw
