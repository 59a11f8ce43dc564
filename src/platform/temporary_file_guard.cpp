// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/temporary_file_guard.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits.h>
#include <random>
#include <string>
#include <string_view>
#include <unistd.h>

namespace pw {
namespace {

constexpr std::string_view TemporarySuffix = ".tmp";
// The most a temporary name adds to the target's: a dot, the process number (ten digits at most), a
// dash, sixteen hexadecimal digits and the suffix.
constexpr std::size_t LongestTag = 1 + 10 + 1 + 16 + TemporarySuffix.size();
constexpr std::size_t UsualNameLimit = 255;

std::filesystem::path folderOf(const std::filesystem::path& target)
{
    return target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
}

// What every temporary name of `target` starts with: a dot and the target's name, cut short where
// the whole would pass the folder's limit on the length of a name.
std::string temporaryStem(const std::filesystem::path& target, bool& cut)
{
    auto stem = "." + target.filename().string();
    const long limit = ::pathconf(folderOf(target).c_str(), _PC_NAME_MAX);
    const std::size_t nameLimit = limit > 0 ? static_cast<std::size_t>(limit) : UsualNameLimit;
    cut = stem.size() + LongestTag > nameLimit && nameLimit > LongestTag + 1;
    if (cut)
        stem.resize(nameLimit - LongestTag);
    return stem;
}

bool allHex(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

constexpr int EndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int SignalCount = sizeof EndingSignals / sizeof EndingSignals[0];

// What the signal handler needs, kept where it may read it without allocating.
std::atomic<bool> guardInstalled{false};
char pendingTemporary[PATH_MAX];
volatile std::sig_atomic_t temporaryArmed = 0;
struct sigaction previousActions[SignalCount];
bool replaced[SignalCount];

void removeTemporaryAndEnd(int signal)
{
    if (temporaryArmed)
        ::unlink(pendingTemporary);
    for (int i = 0; i < SignalCount; ++i)
        if (EndingSignals[i] == signal)
            ::sigaction(signal, &previousActions[i], nullptr);
    // Delivered with the program's own disposition once this handler returns.
    ::raise(signal);
}

sigset_t endingSignalSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : EndingSignals)
        sigaddset(&set, signal);
    return set;
}

} // namespace

std::filesystem::path temporaryNameFor(const std::filesystem::path& target)
{
    // A generator of its own for each name, so that two saves at once share no state.
    std::random_device random;
    const auto tag = (std::uint64_t{random()} << 32) | random();
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%ld-%016llx.tmp", static_cast<long>(::getpid()),
                  static_cast<unsigned long long>(tag));
    bool cut = false;
    return folderOf(target) / (temporaryStem(target, cut) + suffix);
}

void removeStaleTemporaries(const std::filesystem::path& target, bool lockHeld)
{
    bool cut = false;
    const auto prefix = temporaryStem(target, cut) + ".";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folderOf(target), error)) {
        const auto name = entry.path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(TemporarySuffix) || !entry.is_regular_file(error))
            continue;
        const std::string_view tag =
            std::string_view(name).substr(prefix.size(), name.size() - prefix.size() - TemporarySuffix.size());
        const auto dash = tag.find('-');
        bool stale = false;
        if (dash == std::string_view::npos) {
            // The older naming never cut a name short: a cut stem may be another file's whole name.
            stale = lockHeld && !cut && tag.size() == 16 && allHex(tag);
        } else {
            const auto pid = tag.substr(0, dash);
            if (allHex(tag.substr(dash + 1)) && !pid.empty() && pid.size() <= 10 &&
                pid.find_first_not_of("0123456789") == std::string_view::npos) {
                const long owner = std::stol(std::string(pid));
                stale = owner != ::getpid() && ::kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH;
            }
        }
        if (stale)
            std::filesystem::remove(entry.path(), error);
    }
}

TemporaryFileGuard::TemporaryFileGuard(std::filesystem::path path) : path_(std::move(path))
{
    const auto& text = path_.native();
    if (text.size() >= sizeof pendingTemporary || guardInstalled.exchange(true))
        return;
    handlesSignals_ = true;
    std::memcpy(pendingTemporary, text.c_str(), text.size() + 1);
    temporaryArmed = 1;
    for (int i = 0; i < SignalCount; ++i) {
        struct sigaction current {};
        ::sigaction(EndingSignals[i], nullptr, &current);
        // A signal the program ignores or handles itself keeps its disposition.
        replaced[i] = current.sa_handler == SIG_DFL && !(current.sa_flags & SA_SIGINFO);
        if (!replaced[i])
            continue;
        previousActions[i] = current;
        struct sigaction action {};
        action.sa_handler = removeTemporaryAndEnd;
        sigemptyset(&action.sa_mask);
        ::sigaction(EndingSignals[i], &action, nullptr);
    }
}

TemporaryFileGuard::~TemporaryFileGuard()
{
    if (armed_)
        ::unlink(path_.c_str());
    if (!handlesSignals_)
        return;
    temporaryArmed = 0;
    for (int i = 0; i < SignalCount; ++i)
        if (replaced[i])
            ::sigaction(EndingSignals[i], &previousActions[i], nullptr);
    guardInstalled = false;
}

void TemporaryFileGuard::release()
{
    armed_ = false;
    if (handlesSignals_)
        temporaryArmed = 0;
}

SignalHold::SignalHold()
{
    const auto set = endingSignalSet();
    ::sigprocmask(SIG_BLOCK, &set, &previous_);
}

SignalHold::~SignalHold()
{
    ::sigprocmask(SIG_SETMASK, &previous_, nullptr);
}

} // namespace pw
