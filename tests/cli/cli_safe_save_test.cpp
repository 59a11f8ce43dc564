// SPDX-License-Identifier: GPL-3.0-or-later
// What a save from the command line writes, refuses and leaves behind: links, special files,
// read-only files, empty paths, two saves at once and a save killed halfway.

#include "codeplug/codeplug.h"
#include "support/d868_fixture.h"
#include "support/fixture_builder.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

test::ProcessResult cli(const std::vector<std::string>& arguments)
{
    return test::runProcess(PLUGWRIGHT_CLI, arguments);
}

std::optional<std::string> radioNameOf(const fs::path& path)
{
    Codeplug codeplug;
    if (!codeplug.open(path) || !codeplug.decode())
        return std::nullopt;
    return codeplug.radioName();
}

std::uint32_t radioIdOf(const fs::path& path)
{
    Codeplug codeplug;
    codeplug.open(path);
    codeplug.decode();
    return codeplug.radioDmrId();
}

std::size_t filesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(CliSafeSave, ALinkIsKeptAndItsTargetSaved)
{
    TempDir dir;
    const auto target = test::writeFixture(dir.file("radio.rdt"), Md380Format);
    fs::create_symlink("radio.rdt", dir.file("link.rdt"));
    const auto result = cli({"set-radio", dir.file("link.rdt").string(), "--name", "LINKED"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::is_symlink(dir.file("link.rdt")));
    EXPECT_EQ(radioNameOf(target), "LINKED");
    EXPECT_EQ(filesIn(dir.path()), 2u);
}

TEST(CliSafeSave, SpecialFilesAndEmptyPathsAreRefusedAndUntouched)
{
    TempDir dir;
    const auto path = test::writeFixture(dir.file("radio.rdt"), Md380Format);
    const auto before = test::readBytes(path);
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);
    fs::create_directory(dir.file("folder"));
    const std::pair<std::string, std::string> refused[] = {
        {dir.file("pipe").string(), "not a regular file"},
        {dir.file("folder").string(), "Is a directory"},
        {"/dev/null", "not a regular file"},
    };
    for (const auto& [out, reason] : refused) {
        const auto result = cli({"set-radio", path.string(), "--name", "X", "-o", out});
        EXPECT_EQ(result.status, 1) << out;
        EXPECT_EQ(result.err, "Unable to save file.\ncannot write " + out + ": " + reason + "\n");
    }
    EXPECT_TRUE(fs::is_fifo(dir.file("pipe")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"set-radio", path.string(), "--name", "X", "-o", ""},
                                                                       {"set-radio", "", "--name", "X"},
                                                                       {"copy", path.string(), "contacts", "1,x"}}) {
        const auto result = cli(arguments);
        EXPECT_EQ(result.status, 2) << arguments.back();
    }
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_EQ(filesIn(dir.path()), 3u);
}

TEST(CliSafeSave, AReadOnlyFileIsSavedOnlyWithYesAndKeepsItsMode)
{
    TempDir dir;
    const auto path = test::writeFixture(dir.file("radio.rdt"), Md380Format);
    fs::permissions(path, fs::perms(0444));
    auto result = cli({"set-radio", path.string(), "--name", "FORCED"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, path.string() + " is read-only.\nSave over it anyway?\n");
    EXPECT_NE(result.err.find("was answered No; --yes answers Yes."), std::string::npos) << result.err;
    EXPECT_EQ(radioNameOf(path), "FIXTURE");
    result = cli({"--yes", "set-radio", path.string(), "--name", "FORCED"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(radioNameOf(path), "FORCED");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0444));

    fs::permissions(path, fs::perms(0664));
    EXPECT_EQ(cli({"set-radio", path.string(), "--name", "GROUP"}).status, 0);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0664));
}

TEST(CliSafeSave, TwoSavesAtOnceNeverLoseAChangeSilently)
{
    TempDir dir;
    const auto path = dir.file("radio.rdt");
    int bothSaved = 0;
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        test::writeFixture(path, Md380Format);
        const auto id = std::to_string(3000000 + round);
        auto naming = std::async(std::launch::async, [&] { return cli({"set-radio", path.string(), "--name", "RACE"}); });
        auto numbering = std::async(std::launch::async, [&] { return cli({"set-radio", path.string(), "--id", id}); });
        const auto named = naming.get();
        const auto numbered = numbering.get();
        // A save that reports success has its change in the file; one that lost reports why.
        for (const auto* result : {&named, &numbered}) {
            if (result->status != 0) {
                EXPECT_NE(result->err.find("changed by another program"), std::string::npos) << result->err;
            }
        }
        EXPECT_EQ(radioNameOf(path) == "RACE", named.status == 0);
        EXPECT_EQ(radioIdOf(path) == std::stoul(id), numbered.status == 0);
        bothSaved += named.status == 0 && numbered.status == 0;
        EXPECT_EQ(filesIn(dir.path()), 1u);
    }
    RecordProperty("both saved", bothSaved);
}

TEST(CliSafeSave, ASaveKilledWhileWritingLeavesTheOldFileWholeAndNoTemporaryFile)
{
    TempDir dir;
    const auto path = dir.file("large.dcf");
    test::writeBytes(path, test::buildD868Fixture(test::largestD868Fixture()));
    const auto before = test::readBytes(path);
    bool killedWhileWriting = false;
    for (int attempt = 0; attempt < 20 && !killedWhileWriting; ++attempt) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl(PLUGWRIGHT_CLI, PLUGWRIGHT_CLI, "set-radio", path.c_str(), "--name", "KILLED", nullptr);
            ::_exit(127);
        }
        // Waits for the temporary file to appear, then ends the save.
        while (!killedWhileWriting && ::waitpid(child, nullptr, WNOHANG) == 0) {
            if (filesIn(dir.path()) > 1) {
                ::kill(child, SIGTERM);
                killedWhileWriting = true;
            }
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        // Whatever the moment of the signal, no temporary file stays and the file is whole: the old
        // one, or the new one when the rename came first.
        EXPECT_EQ(filesIn(dir.path()), 1u);
        const bool untouched = test::readBytes(path) == before;
        if (!untouched) {
            EXPECT_EQ(radioNameOf(path), "KILLED");
        }
        killedWhileWriting = killedWhileWriting && WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM && untouched;
        if (!untouched)
            test::writeBytes(path, before);
    }
    ASSERT_TRUE(killedWhileWriting);
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

} // namespace
} // namespace pw
