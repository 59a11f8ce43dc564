#include "operations/text_lines.h"

#include <system_error>

namespace pw {
namespace {
constexpr std::size_t ChunkSize = 256 * 1024;
} // namespace

TextLineReader::TextLineReader(const std::filesystem::path& path, std::size_t lineLimit)
    : lineLimit_(lineLimit == 0 ? DefaultLineLimit : lineLimit)
{
    std::error_code error;
    // A directory opens for reading on some systems and then fails every read.
    if (!std::filesystem::is_regular_file(path, error))
        return;
    file_ = std::fopen(path.c_str(), "rb");
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
    // CR LF ends; when the line was cut its CR was passed over with the rest.
    if (!line.empty() && line.back() == '\r' && !lastLineCut_)
        line.pop_back();
    return true;
}

} // namespace pw
