// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing the line-based text files of the CSV imports and exports.
//
// Files are written as UTF-8. A file read is taken as UTF-16 when it opens with a UTF-16
// byte-order mark (as Windows programs save "Unicode" text), as UTF-8 when all of it is valid
// UTF-8 (a byte-order mark before its first line is skipped), otherwise as Windows-1252, which
// older tools wrote; the reader gives every line as UTF-8.
//
// CR, LF and CR LF each end a line, so files saved on any system read alike; the last line counts
// also without a line end. A CR inside a quoted field is the field's (a name may hold one, and our
// own files write it so); a file with no LF at all ends every line with its CRs. The reader streams the file, so a file of any size costs memory only
// for the line at hand. A line of more than MaxLineCharacters characters is no record of ours:
// the reader keeps only its start, passes over the rest up to its line end (rather than reading
// it as lines of its own, which could turn the tail of one record into a record that the file
// never held), and says so, for the import to refuse the line by name.

#include "model/unicode_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class TextLineReader {
public:
    // Far longer than any record line: fields are cut to at most 1022 characters anyway.
    static constexpr std::size_t MaxLineCharacters = 4096;
    // The bytes of a line kept: enough for MaxLineCharacters characters of four bytes each.
    static constexpr std::size_t DefaultLineLimit = MaxLineCharacters * 4 + 4;

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
    // The last line returned had more than MaxLineCharacters characters.
    bool lastLineTooLong() const { return lastLineTooLong_; }
    // A read error ended the file early.
    bool failed() const { return failed_; }
    // The file's size in bytes when it was opened, and how many of its bytes the lines returned so
    // far took: how far a read has come.
    std::uint64_t size() const { return size_; }
    std::uint64_t consumed() const { return utf16_ ? rawRead_ : consumedBefore_ + position_; }

private:
    bool fill();
    // Reads the next line up to its LF (its CR when the file has no LF) and queues its pieces.
    bool readRecordLine();

    enum class Encoding : std::uint8_t { Utf8, Windows1252, ByLine, Utf16 };

    std::FILE* file_ = nullptr;
    Encoding encoding_ = Encoding::Utf8;
    std::optional<Utf16Decoder> utf16_;
    // Bytes of the file read so far, where the buffer holds them decoded.
    std::uint64_t rawRead_ = 0;
    // What ends a line read from the buffer; CRs outside quotes split it further.
    char lineEnd_ = '\n';
    struct Piece {
        std::string text;
        bool cut = false;
    };
    std::deque<Piece> pieces_;
    bool lastLineTooLong_ = false;
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

// The pieces of a line at its CRs that stand outside quoted fields (the field reader's quoting):
// a CR alone ends a line, a CR in a quoted field belongs to the field.
std::vector<std::string_view> splitAtLineEndingCarriageReturns(std::string_view line);

// A line of nothing but blanks holds no record and asks for no word about it.
inline bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// Appends `line` and CR LF.
inline void appendCrLfLine(std::string& text, std::string_view line)
{
    text.append(line);
    text.append("\r\n");
}

} // namespace pw
