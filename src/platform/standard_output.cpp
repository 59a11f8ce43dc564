// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/standard_output.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace pw {

StandardOutputBuffer::StandardOutputBuffer() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

bool StandardOutputBuffer::writeAll(const char* bytes, std::size_t count)
{
    if (error_)
        return false;
    while (count > 0) {
        const auto written = ::write(STDOUT_FILENO, bytes, count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error_ = std::error_code(errno, std::generic_category());
            return false;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

bool StandardOutputBuffer::drain()
{
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    const bool written = writeAll(pbase(), pending);
    // What could not be written is dropped: a later write must not seem to follow it.
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return written;
}

StandardOutputBuffer::int_type StandardOutputBuffer::overflow(int_type c)
{
    if (!drain())
        return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

std::streamsize StandardOutputBuffer::xsputn(const char* text, std::streamsize count)
{
    if (error_)
        return 0;
    const auto room = epptr() - pptr();
    if (count <= room) {
        std::memcpy(pptr(), text, static_cast<std::size_t>(count));
        pbump(static_cast<int>(count));
        return count;
    }
    // A large piece goes out at once rather than through the buffer.
    if (!drain() || !writeAll(text, static_cast<std::size_t>(count)))
        return 0;
    return count;
}

int StandardOutputBuffer::sync() { return drain() ? 0 : -1; }

std::error_code StandardOutputBuffer::finish()
{
    drain();
    if (!closed_) {
        closed_ = true;
        if (::close(STDOUT_FILENO) != 0 && errno != EINTR && !error_)
            error_ = std::error_code(errno, std::generic_category());
        // Nothing of ours may take the number over now.
        claimStandardDescriptors();
    }
    return error_;
}

void claimStandardDescriptors()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open() gives the lowest free number, which is this one: the ones below are open.
        const int taken = ::open("/dev/null", (fd == STDIN_FILENO ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
        if (taken >= 0 && taken != fd)
            ::close(taken);
    }
}

} // namespace pw
