// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scoped temporary folder for tests that write files.

#include <filesystem>
#include <string>

namespace pw::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

} // namespace pw::test
