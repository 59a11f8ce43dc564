// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a saved file keeps of the file it replaces besides its content.

#include <filesystem>
#include <sys/stat.h>

namespace pw {

// Gives the open file `fd` the owner, group, mode bits, access control lists and extended
// attributes of `original` (described by `old`), as far as the process may set them. The set-user-ID
// and set-group-ID bits are kept only where the owner (and for set-group-ID the group) is kept
// too: a program that its owner made set-ID must not become one that runs as the saver.
void giveAttributesOf(const std::filesystem::path& original, const struct stat& old, int fd);

} // namespace pw
