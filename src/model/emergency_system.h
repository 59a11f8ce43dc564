// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One entry of the emergency system table that some radios keep: its name, and the record as read.
// The table is shown and referred to by channels, never edited.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace pw {

class EmergencySystem {
public:
    EmergencySystem(std::string name, std::vector<std::uint8_t> record)
        : name_(std::move(name)), familyRecord_(std::move(record))
    {
    }

    const std::string& name() const { return name_; }
    const std::vector<std::uint8_t>& familyRecord() const { return familyRecord_; }

private:
    std::string name_;
    std::vector<std::uint8_t> familyRecord_;
};

} // namespace pw
