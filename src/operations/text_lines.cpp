// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/text_lines.h"

#include "model/field_readers.h"
#include "model/unicode_text.h"

#include <algorithm>
#include <system_error>

namespace pw {
namespace {

constexpr std::size_t ChunkSize = 256 * 1024;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// How many bytes at the end of `bytes` begin a character that continues past it.
std::size_t unfinishedTail(std::string_view bytes)
{
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

// True when the rest of the file is valid UTF-8, read in chunks.
bool restIsUtf8(std::FILE* file)
{
    std::string pending;
    std::string chunk(ChunkSize, '\0');
    for (;;) {
        const auto got = std::fread(chunk.data(), 1, chunk.size(), file);
        pending.append(chunk, 0, got);
        if (got < chunk.size())
            return !std::ferror(file) && isValidUtf8(pending);
        const auto tail = unfinishedTail(pending);
        if (!isValidUtf8(std::string_view(pending).substr(0, pending.size() - tail)))
            return false;
        pending.erase(0, pending.size() - tail);
    }
}

} // namespace

TextLineReader::TextLineReader(const std::filesystem::path& path, std::size_t lineLimit)
    : lineLimit_(lineLimit == 0 ? DefaultLineLimit : lineLimit)
{
    std::error_code error;
    // A directory opens for reading on some systems and then fails every read.
    if (!std::filesystem::is_regular_file(path, error))
        return;
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_)
        return;
    size_ = std::filesystem::file_size(path, error);
    if (error)
        size_ = 0;
    char mark[2] = {};
    const auto marked = std::fread(mark, 1, sizeof mark, file_);
    if (const auto order = utf16OrderOf(std::string_view(mark, marked)); order != Utf16Order::None) {
        encoding_ = Encoding::Utf16;
        utf16_.emplace(order);
        rawRead_ = marked;
        firstLine_ = false;
        return;
    }
    // The whole file decides how it is read: files written by older tools are Windows-1252, and
    // a line that happened to be valid UTF-8 among them is still theirs. A file that cannot be
    // read twice decides line by line.
    const bool utf8 = std::fseek(file_, 0, SEEK_SET) == 0 && restIsUtf8(file_);
    if (std::fseek(file_, 0, SEEK_SET) == 0)
        encoding_ = utf8 ? Encoding::Utf8 : Encoding::Windows1252;
    else
        encoding_ = Encoding::ByLine;
    std::clearerr(file_);
}

TextLineReader::~TextLineReader()
{
    if (file_)
        std::fclose(file_);
}

bool TextLineReader::fill()
{
    if (!file_ || atEnd_)
        return false;
    consumedBefore_ += position_;
    buffer_.erase(0, position_);
    position_ = 0;
    const auto kept = buffer_.size();
    std::size_t got = 0;
    if (utf16_) {
        std::string raw(ChunkSize, '\0');
        got = std::fread(raw.data(), 1, ChunkSize, file_);
        rawRead_ += got;
        utf16_->feed(std::string_view(raw.data(), got), buffer_);
        if (got < ChunkSize)
            utf16_->finish(buffer_);
    } else {
        buffer_.resize(kept + ChunkSize);
        got = std::fread(buffer_.data() + kept, 1, ChunkSize, file_);
        buffer_.resize(kept + got);
    }
    if (got < ChunkSize) {
        atEnd_ = true;
        failed_ = std::ferror(file_) != 0;
    }
    // A text without a single LF ends its lines with CR alone, as old Mac programs wrote.
    if (consumedBefore_ == 0 && kept == 0 && buffer_.find('\n') == std::string::npos &&
        buffer_.find('\r') != std::string::npos)
        lineEnd_ = '\r';
    return buffer_.size() > kept;
}

bool TextLineReader::readRecordLine()
{
    std::string line;
    bool sawAny = false;
    bool cut = false;
    for (;;) {
        if (position_ >= buffer_.size() && !fill()) {
            if (!sawAny)
                return false;
            break;
        }
        sawAny = true;
        const std::string_view rest(buffer_.data() + position_, buffer_.size() - position_);
        const auto end = rest.find(lineEnd_);
        const auto stop = end == std::string_view::npos ? rest.size() : end;
        const auto room = lineLimit_ > line.size() ? lineLimit_ - line.size() : 0;
        const auto take = std::min(stop, room);
        line.append(rest.substr(0, take));
        cut = cut || take < stop;
        if (end != std::string_view::npos) {
            position_ += end + 1;
            break;
        }
        position_ = buffer_.size();
    }
    if (firstLine_) {
        firstLine_ = false;
        if (std::string_view(line).starts_with(ByteOrderMark))
            line.erase(0, ByteOrderMark.size());
    }
    // CR LF ends; when the line was cut its CR was passed over with the rest.
    if (!line.empty() && line.back() == '\r' && !cut)
        line.pop_back();
    const auto pieces = splitAtLineEndingCarriageReturns(line);
    for (std::size_t i = 0; i < pieces.size(); ++i)
        pieces_.push_back({std::string(pieces[i]), cut && i + 1 == pieces.size()});
    return true;
}

bool TextLineReader::next(std::string& line)
{
    lastLineCut_ = false;
    lastLineTooLong_ = false;
    if (pieces_.empty() && !readRecordLine())
        return false;
    line = std::move(pieces_.front().text);
    lastLineCut_ = pieces_.front().cut;
    pieces_.pop_front();
    switch (encoding_) {
    case Encoding::Utf8:
    case Encoding::Utf16:
        // A cut may have split the last character.
        if (lastLineCut_)
            line.resize(line.size() - unfinishedTail(line));
        break;
    case Encoding::Windows1252: line = windows1252ToUtf8(line); break;
    case Encoding::ByLine: line = utf8FromExternalText(line); break;
    }
    lastLineTooLong_ = lastLineCut_ || utf8Length(line) > MaxLineCharacters;
    return true;
}

std::vector<std::string_view> splitAtLineEndingCarriageReturns(std::string_view line)
{
    std::vector<std::string_view> pieces;
    if (line.find('\r') == std::string_view::npos) {
        pieces.push_back(line);
        return pieces;
    }
    // The field reader's rule: a quote that opens a field (after a comma and blanks) runs to the
    // same quote again.
    std::size_t start = 0;
    char quote = 0;
    bool fieldStart = true;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '\r') {
            pieces.push_back(line.substr(start, i - start));
            start = i + 1;
            fieldStart = true;
        } else if (fieldStart && (c == '"' || c == '\'')) {
            quote = c;
            fieldStart = false;
        } else if (c == ',') {
            fieldStart = true;
        } else if (!isBlankByte(c)) {
            fieldStart = false;
        }
    }
    pieces.push_back(line.substr(start));
    return pieces;
}

} // namespace pw
