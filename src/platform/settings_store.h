// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program keeps its settings between runs: one binary value, read whole at start-up and
// written whole at close. On the desktop it is a file in the user's configuration directory.

#include "platform/user_directories.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace pw {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored value, or nothing when none is stored or it cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> read() = 0;
    // Stores the value; false when it could not be written (the old value then stays).
    virtual bool write(std::span<const std::uint8_t> value) = 0;
};

// Keeps the value as the whole content of one file, replaced atomically on write.
class FileSettingsStore final : public SettingsStore {
public:
    explicit FileSettingsStore(std::filesystem::path path) : path_(std::move(path)) {}
    std::optional<std::vector<std::uint8_t>> read() override;
    bool write(std::span<const std::uint8_t> value) override;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace pw
