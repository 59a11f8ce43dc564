// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/codeplug.h"
#include "support/file_size_limit.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

std::vector<std::uint8_t> openAndSave(const TempDir& dir, const std::vector<std::uint8_t>& bytes)
{
    const auto in = dir.file("in.rdt");
    const auto out = dir.file("out.rdt");
    writeBytes(in, bytes);
    Codeplug codeplug;
    EXPECT_NE(codeplug.open(in), NoFormat);
    EXPECT_TRUE(codeplug.decode());
    EXPECT_TRUE(codeplug.save(out));
    EXPECT_FALSE(codeplug.changed());
    return readBytes(out);
}

// Writes the fixture of `format` to `path`, opens and decodes it into `codeplug`, and returns the
// bytes written.
std::vector<std::uint8_t> openFixture(Codeplug& codeplug, const std::filesystem::path& path, FormatId format)
{
    const auto bytes = test::buildFixture(format);
    writeBytes(path, bytes);
    EXPECT_EQ(codeplug.open(path), format);
    EXPECT_TRUE(codeplug.decode());
    return bytes;
}

TEST(Save, UnchangedFileOfEveryFormatIsWrittenBackIdentically)
{
    TempDir dir;
    for (const FormatId format : {Md380Format, Md2017Format, Md9600Format, RdbV1Format, RdbV11Format, RdbV2Format,
                                  D868Format}) {
        const auto bytes = test::buildFixture(format);
        EXPECT_EQ(openAndSave(dir, bytes), bytes) << std::hex << format;
    }
}

TEST(Save, VendorFileOneByteShortKeepsItsLength)
{
    TempDir dir;
    auto bytes = test::buildFixture(Md9600Format);
    bytes.resize(852533);
    EXPECT_EQ(openAndSave(dir, bytes), bytes);
}

TEST(Save, TailBeyondTheMd380ImageIsKept)
{
    TempDir dir;
    // A file short of the MD-UV380's size whose model text is not one of the four opens as 0x1001.
    test::FixtureOptions options;
    options.modelText = "XYZ";
    auto bytes = test::buildFixture(Md9600Format, options);
    bytes.resize(852532);
    for (std::size_t i = 262709; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    EXPECT_EQ(openAndSave(dir, bytes), bytes);
}

TEST(Save, EditChangesOnlyTheEditedBytes)
{
    TempDir dir;
    const auto path = dir.file("edit.rdt");
    Codeplug codeplug;
    const auto bytes = openFixture(codeplug, path, Md380Format);
    codeplug.setRadioName("AB");
    ASSERT_TRUE(codeplug.changed());
    ASSERT_TRUE(codeplug.save(path));
    const auto saved = readBytes(path);
    ASSERT_EQ(saved.size(), bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i >= 0x22D5 && i < 0x22D5 + 32)
            continue;
        ASSERT_EQ(saved[i], bytes[i]) << "byte " << i;
    }
    EXPECT_EQ(saved[0x22D5], 'A');
    EXPECT_EQ(saved[0x22D7], 'B');
    // A second save writes the same bytes again.
    ASSERT_TRUE(codeplug.save(path));
    EXPECT_EQ(readBytes(path), saved);
}

TEST(Save, FailsWithoutTouchingTheOldFileWhenTheDiskFillsUp)
{
    TempDir dir;
    const auto path = dir.file("full.rdt");
    Codeplug codeplug;
    const auto bytes = openFixture(codeplug, path, Md9600Format);
    codeplug.setRadioName("CHANGED");

    bool saved = true;
    {
        test::FileSizeLimit full(4096);
        ASSERT_TRUE(full.active());
        saved = codeplug.save(path);
    }

    EXPECT_FALSE(saved);
    EXPECT_TRUE(codeplug.changed());
    EXPECT_EQ(readBytes(path), bytes);
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(Save, FailsForADirectoryOrAPlaceThatCannotBeWritten)
{
    TempDir dir;
    const auto path = dir.file("a.rdt");
    Codeplug codeplug;
    openFixture(codeplug, path, Md380Format);
    EXPECT_FALSE(codeplug.save(dir.path()));
    EXPECT_EQ(codeplug.saveFailureReason(), "Is a directory");
    EXPECT_FALSE(codeplug.save(dir.file("no-such-folder") / "a.rdt"));
    EXPECT_EQ(codeplug.saveFailureReason(), "No such file or directory");
    EXPECT_FALSE(codeplug.save("/proc/plugwright-cannot-write.rdt"));
    EXPECT_FALSE(codeplug.saveFailureReason().empty());
}

TEST(Save, AFileChangedOnDiskSinceItWasOpenedIsOverwrittenOnlyWithConsent)
{
    TempDir dir;
    const auto path = dir.file("a.rdt");
    Codeplug codeplug;
    openFixture(codeplug, path, Md380Format);
    codeplug.setRadioName("MINE");
    // A save of one's own file is no change by another program, however often it runs.
    ASSERT_TRUE(codeplug.save(path));
    codeplug.setRadioName("MINE AGAIN");
    ASSERT_TRUE(codeplug.save(path));

    auto theirs = readBytes(path);
    theirs[1000] ^= 0xFF;
    writeBytes(path, theirs);
    codeplug.setRadioName("LOST?");
    EXPECT_FALSE(codeplug.save(path));
    EXPECT_EQ(codeplug.saveProblem(), make_error_code(SaveProblem::ChangedOnDisk));
    EXPECT_EQ(readBytes(path), theirs);
    EXPECT_TRUE(codeplug.changed());
    EXPECT_TRUE(codeplug.save(path, SaveConsent{.changedFile = true}));
    // Another path is no concern of the check.
    writeBytes(path, theirs);
    codeplug.setRadioName("ELSEWHERE");
    EXPECT_TRUE(codeplug.save(dir.file("b.rdt")));
}

// The check follows the opened file under any of its names: the path spelled another way, a
// symbolic link to it, a hard link.
TEST(Save, AFileChangedOnDiskIsRefusedUnderAnyOfItsNames)
{
    TempDir dir;
    const auto path = dir.file("a.rdt");
    Codeplug codeplug;
    openFixture(codeplug, path, Md380Format);
    std::filesystem::create_symlink(path, dir.file("symbolic.rdt"));
    std::filesystem::create_hard_link(path, dir.file("hard.rdt"));
    auto theirs = readBytes(path);
    theirs[1000] ^= 0xFF;
    writeBytes(path, theirs);
    codeplug.setRadioName("LOST?");
    for (const auto& name : {dir.path() / "." / "a.rdt", dir.file("symbolic.rdt"), dir.file("hard.rdt")}) {
        EXPECT_FALSE(codeplug.save(name)) << name;
        EXPECT_EQ(codeplug.saveProblem(), make_error_code(SaveProblem::ChangedOnDisk)) << name;
    }
    EXPECT_EQ(readBytes(path), theirs);
}

TEST(Save, ATruncatedTytFileIsRefusedInsteadOfDecoded)
{
    TempDir dir;
    for (const FormatId format : {Md2017Format, Md9600Format}) {
        auto bytes = test::buildFixture(format);
        bytes.resize(13041);
        const auto path = dir.file("cut.rdt");
        writeBytes(path, bytes);
        Codeplug codeplug;
        ASSERT_EQ(codeplug.open(path), format);
        EXPECT_FALSE(codeplug.decode());
        EXPECT_EQ(codeplug.takeMessages(), std::vector<std::string>{"the file is truncated (13041 of 852534 bytes)"});
        EXPECT_EQ(codeplug.contacts().count(), 0);
    }
}

TEST(Save, RealVendorFilesRoundTripByteForByte)
{
    const std::filesystem::path real = PLUGWRIGHT_REAL_FIXTURES;
    if (!std::filesystem::exists(real))
        GTEST_SKIP() << "no real vendor files at " << real;
    TempDir dir;
    for (const char* name : {"MD-380_400-480.rdt", "MD-2017_400-480_136-174.rdt", "MD-9600_400-480.rdt",
                             "MD-UV380_400-480_136-174.rdt"}) {
        const auto bytes = readBytes(real / name);
        EXPECT_EQ(openAndSave(dir, bytes), bytes) << name;
    }
}

} // namespace
} // namespace pw
