// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Standard output of a program whose output matters: every failed write is known, with its reason.
//
// The C library buffers standard output and reports a failure (a full disk, a closed descriptor,
// a pipe whose reader left while SIGPIPE is ignored) only as a flag, long after errno has moved
// on; a program that just returns from main never learns of it. StandardOutputBuffer writes
// descriptor 1 itself and keeps the first error; install it under std::cout, flush where the
// program must know that its output arrived, and finish() at the end, which flushes and closes
// the descriptor, since a close can report a write the system deferred.

#include <array>
#include <streambuf>
#include <system_error>

namespace pw {

class StandardOutputBuffer final : public std::streambuf {
public:
    StandardOutputBuffer();
    StandardOutputBuffer(const StandardOutputBuffer&) = delete;
    StandardOutputBuffer& operator=(const StandardOutputBuffer&) = delete;

    // The first write that failed; empty while all succeeded. Once one failed, every later write
    // fails too, so that no output arrives with a gap in it.
    std::error_code error() const { return error_; }
    // Writes what is buffered and closes descriptor 1: the first error of the whole run.
    std::error_code finish();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    bool drain();
    bool writeAll(const char* bytes, std::size_t count);

    std::array<char, 64 * 1024> buffer_;
    std::error_code error_;
    bool closed_ = false;
};

// Makes sure descriptors 0, 1 and 2 are open before the program opens any file. One that the
// caller closed is taken by /dev/null opened the wrong way round (standard input for writing, the
// outputs for reading): a file the program opens never lands on it, where output meant for the
// terminal would be written into it, and using it fails with "Bad file descriptor" as a closed
// descriptor does.
void claimStandardDescriptors();

} // namespace pw
