// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/run_process.h"

#include <cerrno>
#include <fcntl.h>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace pw::test {

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input, OutputTarget output)
{
    int in[2], out[2], err[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0 || ::pipe(err) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    switch (output) {
    case OutputTarget::Captured:
    case OutputTarget::BrokenPipe: posix_spawn_file_actions_adddup2(&actions, out[1], 1); break;
    case OutputTarget::FullDevice: posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0); break;
    case OutputTarget::Closed: posix_spawn_file_actions_addclose(&actions, 1); break;
    }
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
        posix_spawn_file_actions_addclose(&actions, fd);
    // The program sees a broken pipe as soon as it writes.
    if (output == OutputTarget::BrokenPipe)
        ::close(out[0]);
    // An ignored signal stays ignored in the program; every other disposition is reset.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    if (output != OutputTarget::BrokenPipe)
        sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    struct sigaction ignore = {}, previous = {};
    ignore.sa_handler = SIG_IGN;
    if (output == OutputTarget::BrokenPipe)
        ::sigaction(SIGPIPE, &ignore, &previous);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    if (output == OutputTarget::BrokenPipe)
        ::sigaction(SIGPIPE, &previous, nullptr);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    ProcessResult result;
    if (spawned != 0) {
        ::close(in[1]);
        if (output != OutputTarget::BrokenPipe)
            ::close(out[0]);
        ::close(err[0]);
        return result;
    }

    // Feed the input and drain both outputs together so that no pipe fills up.
    std::size_t written = 0;
    int inFd = in[1];
    if (input.empty()) {
        ::close(inFd);
        inFd = -1;
    }
    bool outOpen = output == OutputTarget::Captured, errOpen = true;
    char buffer[65536];
    while (outOpen || errOpen) {
        pollfd fds[3] = {{outOpen ? out[0] : -1, POLLIN, 0}, {err[0], POLLIN, 0}, {inFd, POLLOUT, 0}};
        ::poll(fds, inFd >= 0 ? 3 : 2, -1);
        for (int i = 0; i < 2; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            const auto n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0)
                (i == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR)
                (i == 0 ? outOpen : errOpen) = false;
        }
        if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const auto n = ::write(inFd, input.data() + written, input.size() - written);
            if (n > 0)
                written += static_cast<std::size_t>(n);
            if (n < 0 || written == input.size()) {
                ::close(inFd);
                inFd = -1;
            }
        }
    }
    if (inFd >= 0)
        ::close(inFd);
    if (output != OutputTarget::BrokenPipe)
        ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

} // namespace pw::test
