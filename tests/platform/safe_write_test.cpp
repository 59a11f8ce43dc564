// SPDX-License-Identifier: GPL-3.0-or-later
// The save's writer: what it replaces, what it keeps, what it refuses, and what it leaves behind
// when it fails or is killed.

#include "platform/file_io.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <sys/xattr.h>
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
    return writeFileAtomically(path, writing(text), guard).error;
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
        const auto result = writeFileAtomically(path, [&](ByteSink& sink, std::string&) {
            FailingAfter failing(sink, limit);
            // Written in pieces, as the codecs write their sections.
            for (std::size_t at = 0; at < fresh.size(); at += 1500)
                if (!failing.write(std::span(fresh).subspan(at, std::min<std::size_t>(1500, fresh.size() - at))))
                    return false;
            return true;
        });
        EXPECT_FALSE(result);
        EXPECT_TRUE(result.error);
        EXPECT_EQ(result.reason, result.error.message());
        EXPECT_EQ(contentOf(path), old);
        EXPECT_TRUE(leftovers(dir.path(), {"radio.rdt"}).empty());
    }
    // A producer that cannot make the content says why in its own words.
    const auto refused = writeFileAtomically(path, [](ByteSink&, std::string& why) {
        why = "the format holds at most 250 zones";
        return false;
    });
    EXPECT_EQ(refused.error, std::error_code(EINVAL, std::generic_category()));
    EXPECT_EQ(refused.reason, "the format holds at most 250 zones");
    EXPECT_EQ(contentOf(path), old);
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
    // The set-ID bits too, the owner being the same.
    for (const mode_t mode : {0664u, 06755u, 0600u}) {
        put(shared, "old");
        ASSERT_EQ(::chmod(shared.c_str(), mode), 0);
        EXPECT_FALSE(write(shared, "new"));
        EXPECT_EQ(modeOf(shared), mode);
    }

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

// What the file system keeps beside the mode: a user's attribute, and an access control list giving
// one more user read access (the system's own encoding of it: a version word, then tag, permissions
// and user of each entry).
TEST(SafeWrite, ExtendedAttributesAndAccessControlListsAreKept)
{
    const auto entry = [](std::uint16_t tag, std::uint16_t permissions, std::uint32_t id) {
        std::string bytes(8, '\0');
        std::memcpy(bytes.data(), &tag, 2);
        std::memcpy(bytes.data() + 2, &permissions, 2);
        std::memcpy(bytes.data() + 4, &id, 4);
        return bytes;
    };
    const std::string version("\x02\0\0\0", 4);
    constexpr std::uint32_t Nobody = 65534, Undefined = 0xFFFFFFFF;
    const std::string accessList = version + entry(0x01, 6, Undefined) + entry(0x02, 4, Nobody) +
                                   entry(0x04, 4, Undefined) + entry(0x10, 4, Undefined) + entry(0x20, 4, Undefined);
    const std::pair<std::string, std::string> attributes[] = {
        {"user.plugwright.note", "kept"},
        {"system.posix_acl_access", accessList},
    };
    test::TempDir dir;
    const auto path = dir.file("radio.rdt");
    for (const auto& [name, value] : attributes) {
        SCOPED_TRACE(name);
        put(path, "old");
        ::chmod(path.c_str(), 0644);
        if (::setxattr(path.c_str(), name.c_str(), value.data(), value.size(), 0) != 0)
            GTEST_SKIP() << "the file system keeps no " << name << ": " << std::strerror(errno);
        EXPECT_FALSE(write(path, "new"));
        std::string kept(256, '\0');
        const auto size = ::getxattr(path.c_str(), name.c_str(), kept.data(), kept.size());
        ASSERT_GE(size, 0) << std::strerror(errno);
        kept.resize(static_cast<std::size_t>(size));
        EXPECT_EQ(kept, value);
        EXPECT_EQ(contentOf(path), "new");
    }
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
    ASSERT_TRUE(read && read.fingerprint);
    EXPECT_TRUE(read.bytes == bytes);
    EXPECT_EQ(read.fingerprint->hash, changed.value());
    EXPECT_EQ(read.fingerprint, fingerprintOf(path));
    const auto cut = readFileBytes(path, 300'001);
    ASSERT_TRUE(cut);
    EXPECT_TRUE(std::equal(cut.bytes.begin(), cut.bytes.end(), bytes.begin()) && cut.bytes.size() == 300'001);
    EXPECT_EQ(cut.fileSize, bytes.size());
    EXPECT_FALSE(cut.fingerprint);
}

TEST(SafeWrite, AFileChangedSinceItWasReadIsRefused)
{
    test::TempDir dir;
    const auto path = dir.file("radio.rdt");
    put(path, "as opened");
    const auto read = readFileBytes(path, 1000);
    ASSERT_TRUE(read && read.fingerprint);
    EXPECT_EQ(read.fingerprint, fingerprintOf(path));

    const auto saved = writeFileAtomically(path, writing("mine"), WriteGuard{.unchangedSince = read.fingerprint});
    ASSERT_TRUE(saved);
    const auto written = saved.written;
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
            ASSERT_TRUE(before && before.fingerprint);
            const auto time = fs::last_write_time(path);
            put(path, "behind" + padding);
            fs::last_write_time(path, time);
            if (readOnly)
                fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove);
            EXPECT_EQ(write(path, "mine", WriteGuard{.unchangedSince = before.fingerprint, .overwriteReadOnly = !readOnly}),
                      make_error_code(SaveProblem::ChangedOnDisk))
                << size << (readOnly ? " read-only" : "");
            EXPECT_EQ(contentOf(path), "behind" + padding);
            EXPECT_TRUE(leftovers(dir.path(), {"radio.rdt"}).empty());
            fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
            // Unchanged, the same file is replaced.
            put(path, "before" + padding);
            fs::last_write_time(path, time);
            EXPECT_FALSE(write(path, "mine", WriteGuard{.unchangedSince = before.fingerprint}));
            EXPECT_EQ(contentOf(path), "mine");
        }
    }
}

// Another program changes the file while the save is at its last step, the new content whole and
// synced, in ways that keep what a quick look would see. The save is refused and the change kept.
TEST(SafeWrite, AChangeAtTheSavesLastStepIsRefused)
{
    struct Change {
        const char* what;
        bool showsInSizeOrInode;
        void (*apply)(const fs::path& path);
    };
    const Change changes[] = {
        {"bytes written, size and time kept", false,
         [](const fs::path& path) {
             const auto time = fs::last_write_time(path);
             put(path, "theirs ");
             fs::last_write_time(path, time);
         }},
        {"bytes added", true,
         [](const fs::path& path) { std::ofstream(path, std::ios::binary | std::ios::app) << "+"; }},
        {"replaced by another file with the same content and time", true,
         [](const fs::path& path) {
             const auto time = fs::last_write_time(path);
             const auto other = path.parent_path() / "other";
             put(other, contentOf(path));
             fs::last_write_time(other, time);
             fs::rename(other, path);
         }},
    };
    test::TempDir dir;
    const auto path = dir.file("radio.rdt");
    for (const auto& change : changes) {
        for (const bool opened : {true, false}) {
            // Without the content read, a change shows in the inode, size and times only, and the
            // times are too coarse for a change made within a millisecond of the last.
            if (!opened && !change.showsInSizeOrInode)
                continue;
            SCOPED_TRACE(std::string(change.what) + (opened ? ", file read first" : ", file never read"));
            put(path, "as read");
            const auto read = readFileBytes(path, 100);
            std::string theirs;
            WriteGuard guard{.unchangedSince = opened ? read.fingerprint : std::nullopt};
            guard.beforeLastCheck = [&] {
                change.apply(path);
                theirs = contentOf(path);
            };
            EXPECT_EQ(write(path, "mine", guard), make_error_code(SaveProblem::ChangedOnDisk));
            EXPECT_EQ(contentOf(path), theirs);
            EXPECT_TRUE(leftovers(dir.path(), {"radio.rdt"}).empty());
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

// A name of 250 characters leaves no room for a temporary name made by adding to it: the
// temporary name is cut short, and what killed saves of such a file left is still found.
TEST(SafeWrite, TemporaryFilesOfKilledSavesAreRemoved)
{
    // A process that has ended: its temporary file is stale.
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    for (const std::size_t length : {9u, 250u}) {
        SCOPED_TRACE(length);
        test::TempDir dir;
        const std::string name = std::string(length - 4, 'r') + ".rdt";
        const auto path = dir.file(name);
        put(path, "old");
        const std::string temporary = ("." + name).substr(0, 255 - 32);
        const auto stale = dir.file(temporary + "." + std::to_string(child) + "-0123456789abcdef.tmp");
        const auto live = dir.file(temporary + ".1-0123456789abcdef.tmp");  // the init process lives
        const auto older = dir.file(temporary + ".0123456789abcdef.tmp");
        for (const auto& file : {stale, live, older})
            put(file, "partial");
        EXPECT_FALSE(write(path, "new"));
        EXPECT_EQ(contentOf(path), "new");
        EXPECT_FALSE(fs::exists(stale));
        EXPECT_TRUE(fs::exists(live));
        // The older naming never cut a name: a cut one may be another file's own.
        EXPECT_EQ(fs::exists(older), length > 200);
    }
}

// Reading never waits for a file that has no end of its own: what is no regular file is refused
// before it is read, and a FIFO without a writer does not hold the reader up.
TEST(FileRead, WhatIsNoRegularFileIsRefusedWithoutWaiting)
{
    ::alarm(60);  // a reader that waits is ended instead of holding the tests up
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);
    fs::create_directory(dir.file("folder"));
    const std::pair<fs::path, std::error_code> refused[] = {
        {dir.file("pipe"), make_error_code(SaveProblem::NotRegularFile)},
        {"/dev/null", make_error_code(SaveProblem::NotRegularFile)},
        {dir.file("folder"), std::error_code(EISDIR, std::generic_category())},
        {dir.file("missing"), std::error_code(ENOENT, std::generic_category())},
    };
    for (const auto& [path, reason] : refused) {
        SCOPED_TRACE(path);
        const auto read = readFileBytes(path, 100);
        EXPECT_EQ(read.error, reason);
        EXPECT_TRUE(read.bytes.empty());
        EXPECT_EQ(readProblem(path), reason);
        EXPECT_FALSE(fingerprintOf(path));
    }
    ::alarm(0);
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
            writeFileAtomically(path, [signal](ByteSink& sink, std::string&) {
                const std::uint8_t half[] = {1, 2, 3};
                sink.write(half);
                ::raise(signal);
                return sink.write(half);
            });
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
