// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/temporary_file_guard.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <limits.h>
#include <unistd.h>

namespace pw {
namespace {

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
    ::pthread_sigmask(SIG_BLOCK, &set, &previous_);
}

SignalHold::~SignalHold()
{
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

} // namespace pw
