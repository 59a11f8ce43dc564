// SPDX-License-Identifier: GPL-3.0-or-later
// The save's writer: what it replaces, what it keeps, what it refuses, and what it leaves behind
// when it fails or is killed.

#include "platform/file_io.h"
#include "platform/save_target.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pw {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void put(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// Everything in the folder but the named files: what a save left behind.
std::vector<std::string> leftovers(const fs::path& folder, std::initializer_list<std::string> expected)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const auto name = entry.path().filename().string();
        if (std::find(expected.begin(), expected.end(), name) == expected.end())
            names.push_back(name);
    }
    return names;
}

std::error_code write(const fs::path& path, const std::string& text, const WriteGuard& guard = {})
{
    std::error_code reason;
    const auto bytes = bytesOf(text);
    writeFileAtomically(path, [&bytes](ByteSink& sink) { return sink.write(bytes); }, guard, reason);
    return reason;
}

mode_t modeOf(const fs::path& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// A file stream that takes `limit` bytes and fails on the rest, as a full disk would.
class FailingAfter final : public ByteSink {
public:
    FailingAfter(ByteSink& target, std::size_t limit) : target_(target), left_(limit) {}
    bool write(std::span<const std::uint8_t> bytes) override
    {
        if (bytes.size() > left_) {
            target_.write(bytes.first(left_));
            left_ = 0;
            return false;
        }
        left_ -= bytes.size();
        return target_.write(bytes);
    }

private:
    ByteSink& target_;
    std::size_t left_;
};

TEST(SafeWrite, AFailingStreamLeavesTheOldFileWholeAndNoTemporaryFile)
{
    test::TempDir dir;
    const auto path = dir.file("radio.rdt");
    const std::string old(5000, 'o');
    put(path, old);
    std::vector<std::uint8_t> fresh(20000);
    for (std::size_t i = 0; i < fresh.size(); ++i)
        fresh[i] = static_cast<std::uint8_t>(i * 7);
    for (std::size_t limit = 0; limit < fresh.size(); limit += 997) {
        SCOPED_TRACE(limit);
        std::error_code reason;
        const bool written = writeFileAtomically(
            path,
            [&](ByteSink& sink) {
                FailingAfter failing(sink, limit);
                // Written in pieces, as the codecs write their sections.
                for (std::size_t at = 0; at < fresh.size(); at += 1500)
                    if (!failing.write(std::span(fresh).subspan(at, std::min<std::size_t>(1500, fresh.size() - at))))
                        return false;
                return true;
            },
            WriteGuard{}, reason);
        EXPECT_FALSE(written);
        EXPECT_TRUE(reason);
        EXPECT_EQ(contentOf(path), old);
        EXPECT_TRUE(leftovers(dir.path(), {"radio.rdt"}).empty());
    }
}

TEST(SafeWrite, ASymbolicLinkIsFollowedAndKept)
{
    test::TempDir dir;
    fs::create_directory(dir.file("real"));
    const auto target = dir.file("real") / "radio.rdt";
    put(target, "old");
    fs::create_symlink("real/radio.rdt", dir.file("link.rdt"));
    fs::create_symlink(dir.file("link.rdt"), dir.file("chain.rdt"));

    EXPECT_FALSE(write(dir.file("chain.rdt"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.rdt")));
    EXPECT_TRUE(fs::is_symlink(dir.file("chain.rdt")));
    EXPECT_EQ(contentOf(target), "new");
    EXPECT_TRUE(leftovers(dir.file("real"), {"radio.rdt"}).empty());
}

TEST(SafeWrite, APathThatIsNoRegularFileIsRefusedAndUntouched)
{
    test::TempDir dir;
    const auto fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(dir.file("folder"));
    fs::create_symlink("/dev/null", dir.file("null-link"));

    EXPECT_EQ(write(fifo, "x"), make_error_code(SaveProblem::NotRegularFile));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(write(dir.file("folder"), "x"), std::error_code(EISDIR, std::generic_category()));
    EXPECT_TRUE(fs::is_directory(dir.file("folder")));
    // A device node, even for the superuser.
    EXPECT_EQ(write(dir.file("null-link"), "x"), make_error_code(SaveProblem::NotRegularFile));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(fs::is_symlink(dir.file("null-link")));
    EXPECT_EQ(write("", "x"), std::error_code(ENOENT, std::generic_category()));
    EXPECT_EQ(leftovers(dir.path(), {"pipe", "folder", "null-link"}).size(), 0u);
}

TEST(SafeWrite, ModeBitsAreKeptAndAReadOnlyFileNeedsConsent)
{
    test::TempDir dir;
    const auto shared = dir.file("shared.rdt");
    put(shared, "old");
    fs::permissions(shared, fs::perms(0664));
    EXPECT_FALSE(write(shared, "new"));
    EXPECT_EQ(modeOf(shared), 0664u);

    const auto locked = dir.file("locked.rdt");
    put(locked, "old");
    fs::permissions(locked, fs::perms(0444));
    EXPECT_EQ(write(locked, "new", WriteGuard{.overwriteReadOnly = false}), make_error_code(SaveProblem::ReadOnly));
    EXPECT_EQ(contentOf(locked), "old");
    EXPECT_FALSE(write(locked, "new", WriteGuard{.overwriteReadOnly = true}));
    EXPECT_EQ(contentOf(locked), "new");
    EXPECT_EQ(modeOf(locked), 0444u);
}

TEST(SafeWrite, TheOwnerOfAnotherUsersFileIsKept)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can save a file of another user";
    test::TempDir dir;
    const auto path = dir.file("radio.rdt");
    put(path, "old");
    fs::permissions(path, fs::perms(0600));
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(write(path, "new"));
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

// The open and the check before a save hash the file in pieces: any piecing must agree. The open
// reads the file whole, or as far as its limit and then without a fingerprint.
TEST(ContentHash, ValueDoesNotDependOnHowTheBytesArePieced)
{
    // Longer than two of the open's 256 KiB pieces.
    std::vector<std::uint8_t> bytes(600'000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
    ContentHash whole;
    whole.add(bytes);
    for (const std::size_t piece : {1u, 7u, 240u, 65'536u}) {
        ContentHash pieced;
        for (std::size_t at = 0; at < bytes.size(); at += piece)
            pieced.add(std::span(bytes).subspan(at, std::min(piece, bytes.size() - at)));
        EXPECT_EQ(pieced.value(), whole.value()) << "pieces of " << piece;
    }
    bytes[123'456] ^= 1;
    ContentHash changed;
    changed.add(bytes);
    EXPECT_NE(changed.value(), whole.value());

    test::TempDir dir;
    const auto path = dir.file("big.rdt");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    const auto read = readFileBytes(path, bytes.size());
    ASSERT_TRUE(read && read->fingerprint);
    EXPECT_TRUE(read->bytes == bytes);
    EXPECT_EQ(read->fingerprint->hash, changed.value());
    EXPECT_EQ(read->fingerprint, fingerprintOf(path));
    const auto cut = readFileBytes(path, 300'001);
    ASSERT_TRUE(cut);
    EXPECT_TRUE(std::equal(cut->bytes.begin(), cut->bytes.end(), bytes.begin()) && cut->bytes.size() == 300'001);
    EXPECT_EQ(cut->fileSize, bytes.size());
    EXPECT_FALSE(cut->fingerprint);
}

TEST(SafeWrite, AFileChangedSinceItWasReadIsRefused)
{
    test::TempDir dir;
    const auto path = dir.file("radio.rdt");
    put(path, "as opened");
    const auto read = readFileBytes(path, 1000);
    ASSERT_TRUE(read && read->fingerprint);
    EXPECT_EQ(read->fingerprint, fingerprintOf(path));

    std::error_code reason;
    FileFingerprint written;
    const auto mine = bytesOf("mine");
    ASSERT_TRUE(writeFileAtomically(
        path, [&](ByteSink& sink) { return sink.write(mine); }, WriteGuard{.unchangedSince = read->fingerprint},
        reason, &written));
    // What the save wrote is the new fingerprint; another program's change then tells.
    EXPECT_EQ(written, fingerprintOf(path));
    put(path, "theirs");
    EXPECT_EQ(write(path, "mine again", WriteGuard{.unchangedSince = written}),
              make_error_code(SaveProblem::ChangedOnDisk));
    EXPECT_EQ(contentOf(path), "theirs");

    // A change that keeps the size and the time shows only in the content: the file is still
    // refused and kept, read-only or not.
    for (const std::size_t size : {std::size_t{6}, std::size_t{3} << 19}) {
        for (const bool readOnly : {false, true}) {
            const std::string padding(size - 6, 'x');
            put(path, "before" + padding);
            const auto before = readFileBytes(path, size);
            ASSERT_TRUE(before && before->fingerprint);
            const auto time = fs::last_write_time(path);
            put(path, "behind" + padding);
            fs::last_write_time(path, time);
            if (readOnly)
                fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove);
            EXPECT_EQ(write(path, "mine", WriteGuard{.unchangedSince = before->fingerprint, .overwriteReadOnly = !readOnly}),
                      make_error_code(SaveProblem::ChangedOnDisk))
                << size << (readOnly ? " read-only" : "");
            EXPECT_EQ(contentOf(path), "behind" + padding);
            EXPECT_TRUE(leftovers(dir.path(), {"radio.rdt"}).empty());
            fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
            // Unchanged, the same file is replaced.
            put(path, "before" + padding);
            fs::last_write_time(path, time);
            EXPECT_FALSE(write(path, "mine", WriteGuard{.unchangedSince = before->fingerprint}));
            EXPECT_EQ(contentOf(path), "mine");
        }
    }
}

TEST(SafeWrite, EveryHardLinkSeesTheNewContent)
{
    test::TempDir dir;
    const auto path = dir.file("radio.rdt");
    put(path, "old content");
    fs::create_hard_link(path, dir.file("other-name.rdt"));
    EXPECT_FALSE(write(path, "new"));
    EXPECT_EQ(contentOf(dir.file("other-name.rdt")), "new");
    EXPECT_EQ(fs::hard_link_count(path), 2u);
    EXPECT_TRUE(leftovers(dir.path(), {"radio.rdt", "other-name.rdt"}).empty());
}

TEST(SafeWrite, TemporaryFilesOfKilledSavesAreRemoved)
{
    test::TempDir dir;
    const auto path = dir.file("radio.rdt");
    put(path, "old");
    // A process that has ended: its temporary file is stale.
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const auto stale = dir.file(".radio.rdt." + std::to_string(child) + "-0123456789abcdef.tmp");
    const auto older = dir.file(".radio.rdt.0123456789abcdef.tmp");
    const auto live = dir.file(".radio.rdt.1-0123456789abcdef.tmp");  // the init process lives
    for (const auto& file : {stale, older, live})
        put(file, "partial");
    EXPECT_FALSE(write(path, "new"));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_FALSE(fs::exists(older));
    EXPECT_TRUE(fs::exists(live));
}

TEST(SafeWrite, ASignalDuringTheWriteRemovesTheTemporaryFile)
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        test::TempDir dir;
        const auto path = dir.file("radio.rdt");
        put(path, "old");
        const pid_t child = ::fork();
        if (child == 0) {
            std::error_code reason;
            writeFileAtomically(
                path,
                [signal](ByteSink& sink) {
                    const std::uint8_t half[] = {1, 2, 3};
                    sink.write(half);
                    ::raise(signal);
                    return sink.write(half);
                },
                WriteGuard{}, reason);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        EXPECT_EQ(contentOf(path), "old");
        EXPECT_TRUE(leftovers(dir.path(), {"radio.rdt"}).empty());
    }
}

} // namespace
} // namespace pw
