// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/text_lines.h"

#include "model/unicode_text.h"

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
    // The whole file decides how it is read: files written by older tools are Windows-1252, and
    // a line that happened to be valid UTF-8 among them is still theirs. A file that cannot be
    // read twice decides line by line.
    const bool utf8 = restIsUtf8(file_);
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
    buffer_.resize(kept + ChunkSize);
    const auto got = std::fread(buffer_.data() + kept, 1, ChunkSize, file_);
    buffer_.resize(kept + got);
    if (got < ChunkSize) {
        atEnd_ = true;
        failed_ = std::ferror(file_) != 0;
    }
    return got > 0;
}

bool TextLineReader::next(std::string& line)
{
    line.clear();
    lastLineCut_ = false;
    if (!file_)
        return false;
    bool sawAny = false;
    for (;;) {
        if (position_ >= buffer_.size() && !fill()) {
            if (!sawAny)
                return false;
            break;
        }
        sawAny = true;
        const auto newline = buffer_.find('\n', position_);
        const auto stop = newline == std::string::npos ? buffer_.size() : newline;
        const auto room = lineLimit_ > line.size() ? lineLimit_ - line.size() : 0;
        const auto take = std::min(stop - position_, room);
        line.append(buffer_, position_, take);
        if (take < stop - position_)
            lastLineCut_ = true;
        if (newline != std::string::npos) {
            position_ = newline + 1;
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
    if (!line.empty() && line.back() == '\r' && !lastLineCut_)
        line.pop_back();
    switch (encoding_) {
    case Encoding::Utf8:
        // A cut may have split the last character.
        if (lastLineCut_)
            line.resize(line.size() - unfinishedTail(line));
        break;
    case Encoding::Windows1252: line = windows1252ToUtf8(line); break;
    case Encoding::ByLine: line = utf8FromExternalText(line); break;
    }
    return true;
}

} // namespace pw
