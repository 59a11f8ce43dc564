// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scratch_directory.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace pw {

ScratchDirectory::~ScratchDirectory()
{
    if (path_.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

const std::filesystem::path& ScratchDirectory::path(std::error_code& error)
{
    error.clear();
    if (!path_.empty())
        return path_;
    const auto base = std::filesystem::temp_directory_path(error);
    if (error)
        return path_;
    // mkdtemp makes the directory with mode 0700 in one step, so no other user can slip a file in.
    std::string pattern = (base / "plugwright-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = std::error_code(errno, std::generic_category());
        return path_;
    }
    path_ = pattern;
    return path_;
}

} // namespace pw
