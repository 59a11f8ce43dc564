// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing the line-based text files of the CSV imports and exports.
//
// Files are written as UTF-8. A file read is taken as UTF-8 when all of it is valid UTF-8 (a
// byte-order mark before its first line is skipped), otherwise as Windows-1252, which older tools
// wrote; the reader gives every line as UTF-8.
//
// Lines end in LF, with a CR before it removed; the last line counts also without a line end. The
// reader streams the file, so a file of any size costs memory only for the line at hand, and it
// keeps at most `lineLimit` bytes of a line: the rest of an over-long line is passed over up to its
// line end rather than read as lines of its own, which could turn the tail of one record into a
// record that the file never held.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace pw {

class TextLineReader {
public:
    // Far longer than any record line: fields are cut to at most 1022 characters anyway.
    static constexpr std::size_t DefaultLineLimit = 64 * 1024;

    explicit TextLineReader(const std::filesystem::path& path, std::size_t lineLimit = DefaultLineLimit);
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // False when the path is not a regular file that could be opened for reading.
    bool isOpen() const { return file_ != nullptr; }
    // The next line without its line end; false at the end of the file or on a read error.
    bool next(std::string& line);
    // The last line returned was longer than the limit and was cut.
    bool lastLineCut() const { return lastLineCut_; }
    // A read error ended the file early.
    bool failed() const { return failed_; }
    // The file's size in bytes when it was opened, and how many of its bytes the lines returned so
    // far took: how far a read has come.
    std::uint64_t size() const { return size_; }
    std::uint64_t consumed() const { return consumedBefore_ + position_; }

private:
    bool fill();

    enum class Encoding : std::uint8_t { Utf8, Windows1252, ByLine };

    std::FILE* file_ = nullptr;
    Encoding encoding_ = Encoding::Utf8;
    bool firstLine_ = true;
    std::size_t lineLimit_;
    std::string buffer_;
    std::size_t position_ = 0;
    // Bytes of the file before buffer_'s first byte.
    std::uint64_t consumedBefore_ = 0;
    std::uint64_t size_ = 0;
    bool atEnd_ = false;
    bool lastLineCut_ = false;
    bool failed_ = false;
};

// Appends `line` and CR LF.
inline void appendCrLfLine(std::string& text, std::string_view line)
{
    text.append(line);
    text.append("\r\n");
}

} // namespace pw
