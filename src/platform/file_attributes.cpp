// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_attributes.h"

#include <string>
#include <string_view>
#include <vector>
#include <sys/types.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/xattr.h>
#endif

namespace pw {
namespace {

// The names of the file's extended attributes, each ended by a zero byte, as the system lists them.
std::vector<char> attributeNames(const std::filesystem::path& path)
{
    std::vector<char> names;
#if defined(__linux__)
    // The list may grow between asking its size and reading it: ask again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const auto size = ::listxattr(path.c_str(), nullptr, 0);
        if (size <= 0)
            return {};
        names.resize(static_cast<std::size_t>(size));
        const auto got = ::listxattr(path.c_str(), names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<std::size_t>(got));
            return names;
        }
    }
#else
    static_cast<void>(path);
#endif
    return {};
}

// Copies every extended attribute the system lets this process read and set; the access control
// lists are among them (system.posix_acl_access), and so are security labels. An attribute that
// cannot be copied (a file system without them, a name reserved to the superuser) is left out:
// the content matters more than any attribute.
void copyExtendedAttributes(const std::filesystem::path& original, int fd)
{
#if defined(__linux__)
    const auto names = attributeNames(original);
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size();) {
        const std::string_view name(names.data() + at);
        at += name.size() + 1;
        const std::string key(name);
        const auto size = ::getxattr(original.c_str(), key.c_str(), nullptr, 0);
        if (size < 0)
            continue;
        value.resize(static_cast<std::size_t>(size));
        const auto got = ::getxattr(original.c_str(), key.c_str(), value.data(), value.size());
        if (got >= 0)
            ::fsetxattr(fd, key.c_str(), value.data(), static_cast<std::size_t>(got), 0);
    }
#else
    static_cast<void>(original);
    static_cast<void>(fd);
#endif
}

} // namespace

void giveAttributesOf(const std::filesystem::path& original, const struct stat& old, int fd)
{
    // Owner and group where the process may set them (as the superuser, or a group the user is in).
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), old.st_gid));
    copyExtendedAttributes(original, fd);
    // The mode comes last: a change of owner clears the set-ID bits, and an access control list
    // set above already holds the group bits that the mode then repeats.
    struct stat now {};
    mode_t mode = old.st_mode & 07777;
    if (::fstat(fd, &now) != 0 || now.st_uid != old.st_uid)
        mode &= ~mode_t{S_ISUID | S_ISGID};
    else if (now.st_gid != old.st_gid)
        mode &= ~mode_t{S_ISGID};
    ::fchmod(fd, mode);
}

} // namespace pw
