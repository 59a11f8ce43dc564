// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/name_numbering.h"

#include "model/letter_case.h"

#include <algorithm>
#include <cstring>

namespace pw {
namespace {

// Eight bytes at a time, each with the bit set that tells an ASCII capital from its small letter:
// names that differ in ASCII case hash alike (so do a few others, which the comparison tells
// apart).
std::uint32_t foldedHash(std::string_view name)
{
    constexpr std::uint64_t CaseBits = 0x2020202020202020u;
    constexpr std::uint64_t Multiplier = 0x9E3779B97F4A7C15u;
    std::uint64_t hash = name.size() * Multiplier;
    for (std::size_t at = 0; at < name.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, name.data() + at, std::min<std::size_t>(8, name.size() - at));
        hash = (hash ^ (word | CaseBits)) * Multiplier;
    }
    return static_cast<std::uint32_t>((hash ^ (hash >> 29)) * Multiplier >> 32);
}

} // namespace

std::uint32_t NameNumbering::numberOf(std::string_view name)
{
    if (last_ < names_.size() && names_[last_] == name)
        return last_;
    const std::uint32_t hash = foldedHash(name);
    if (slots_.empty() || (names_.size() + 1) * 2 > slots_.size())
        grow();
    auto& slot = slots_[slotOf(name, hash)];
    if (slot.numberPlusOne == 0) {
        slot = {hash, static_cast<std::uint32_t>(names_.size()) + 1};
        names_.emplace_back(name);
    }
    last_ = slot.numberPlusOne - 1;
    return last_;
}

std::optional<std::uint32_t> NameNumbering::find(std::string_view name) const
{
    if (slots_.empty())
        return std::nullopt;
    const auto& slot = slots_[slotOf(name, foldedHash(name))];
    if (slot.numberPlusOne == 0)
        return std::nullopt;
    return slot.numberPlusOne - 1;
}

void NameNumbering::clear()
{
    names_.clear();
    slots_.clear();
    last_ = 0;
}

std::size_t NameNumbering::slotOf(std::string_view name, std::uint32_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const auto& slot = slots_[at];
        if (slot.numberPlusOne == 0)
            return at;
        if (slot.hash == hash && equalsIgnoringCase(names_[slot.numberPlusOne - 1], name))
            return at;
    }
}

void NameNumbering::grow()
{
    std::vector<Slot> old(slots_.empty() ? 16 : slots_.size() * 2);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const auto& slot : old) {
        if (slot.numberPlusOne == 0)
            continue;
        std::size_t at = slot.hash & mask;
        while (slots_[at].numberPlusOne != 0)
            at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

} // namespace pw
