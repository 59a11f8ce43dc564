// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/standard_stream_files.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <istream>
#include <ostream>
#include <stdexcept>

namespace pw::cli {

const std::filesystem::path& StandardStreamFiles::scratch()
{
    std::error_code error;
    const auto& path = directory_.path(error);
    if (error)
        throw std::system_error(error, "cannot make a scratch directory");
    return path;
}

std::string StandardStreamFiles::input(const std::string& argument)
{
    if (argument != StandardStreamName)
        return argument;
    if (inputFile_)
        throw std::invalid_argument("standard input (-) can be read only once");
    const auto path = scratch() / "standard-input";
    std::ofstream file(path, std::ios::binary);
    // Copied in blocks: streaming the whole buffer at once would mark an empty input as a failure.
    char block[64 * 1024];
    std::uint64_t copied = 0;
    while (in_.read(block, sizeof block) || in_.gcount() > 0) {
        file.write(block, in_.gcount());
        copied += static_cast<std::uint64_t>(in_.gcount());
    }
    file.close();
    // Nothing to read is no input, not an empty file that imports nothing with success.
    if (copied == 0)
        throw NoStandardInput();
    if (!file || in_.bad())
        throw std::system_error(std::make_error_code(std::errc::io_error), "cannot keep standard input");
    inputFile_ = path;
    return path.string();
}

std::string StandardStreamFiles::output(const std::string& argument)
{
    if (argument != StandardStreamName)
        return argument;
    if (outputFile_)
        throw std::invalid_argument("standard output (-) can take only one output");
    outputFile_ = scratch() / "standard-output";
    return outputFile_->string();
}

bool StandardStreamFiles::deliver(std::error_code& error)
{
    error.clear();
    if (!outputFile_ || !std::filesystem::exists(*outputFile_))
        return true;
    std::ifstream file(*outputFile_, std::ios::binary);
    errno = 0;
    char block[64 * 1024];
    while (out_ && (file.read(block, sizeof block) || file.gcount() > 0))
        out_.write(block, file.gcount());
    out_.flush();
    if (!out_) {
        // The stream keeps no reason; the C library's write under it left one in errno.
        error = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
        return false;
    }
    std::filesystem::remove(*outputFile_, error);
    return true;
}

std::string StandardStreamFiles::shownName(const std::filesystem::path& path) const
{
    if (inputFile_ && path == *inputFile_)
        return "standard input";
    if (outputFile_ && path == *outputFile_)
        return "standard output";
    return path.string();
}

} // namespace pw::cli
