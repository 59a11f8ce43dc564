// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers the distinct names of one field of a list (countries, states, the callsigns of a pinned
// list): names that differ only in the case of ASCII letters get one number, and the name keeps
// the spelling it first had. Numbers count from 0 in the order the names first came.
//
// A list of a few hundred thousand records asks for a number once per record, so the table is
// open addressing over a hash of the bytes taken a word at a time, with no key copied; and since
// neighbouring records of a list in ID order mostly share their country and state, the last name
// is tried before the table.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class NameNumbering {
public:
    // The number of `name`, a new one when no name of the same letters came before.
    std::uint32_t numberOf(std::string_view name);
    // The number of `name` when it came before.
    std::optional<std::uint32_t> find(std::string_view name) const;

    // By number, each as first spelt.
    const std::vector<std::string>& names() const { return names_; }
    void clear();

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t numberPlusOne = 0;  // 0: the slot is free
    };
    // The slot that holds `name`, or the free slot where it belongs.
    std::size_t slotOf(std::string_view name, std::uint32_t hash) const;
    void grow();

    std::vector<std::string> names_;
    std::vector<Slot> slots_;  // a power of two in size, at most half full
    std::uint32_t last_ = 0;
};

} // namespace pw
