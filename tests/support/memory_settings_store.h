// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Settings kept in memory, for tests.

#include "platform/settings_store.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pw {

class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<std::vector<std::uint8_t>> read() override { return value_; }
    bool write(std::span<const std::uint8_t> value) override
    {
        value_.emplace(value.begin(), value.end());
        return true;
    }

private:
    std::optional<std::vector<std::uint8_t>> value_;
};

} // namespace pw
