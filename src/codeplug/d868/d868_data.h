// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a D868 codeplug keeps besides its model: the header and count table, and the sections that
// the model does not cover. The section map is in d868_map.h.

#include <cstdint>
#include <string>
#include <vector>

namespace pw {

struct D868Data {
    static constexpr std::size_t HeaderSize = 12642;
    static constexpr std::size_t CountTableSize = 400;  // 100 signed 32-bit counts, C0 to C99

    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> countTable;
    // Section 4: the radio-ID records, 37 bytes each (u16 record number, u16 in use, u32 DMR ID,
    // u16 word, name of up to 27 bytes).
    std::vector<std::uint8_t> radioIds;

    // Set by a successful decode; the save builds a file only from a model that was decoded whole.
    bool decoded = false;
    // Channel records numbered 4001 and 4002 (214 bytes each, in file order), written back
    // unchanged after the channels.
    std::vector<std::uint8_t> specialChannels;
    // The sections the model does not cover, as read: 7, 10 to 12 together, 13, 15, and whatever
    // the file holds after section 15.
    std::vector<std::uint8_t> section7;
    std::vector<std::uint8_t> sections10To12;
    std::vector<std::uint8_t> section13;
    std::vector<std::uint8_t> section15;
    std::vector<std::uint8_t> trailingBytes;

    std::int32_t count(int index) const;
    void setCount(int index, std::int32_t value);
    // Forgets the sections kept by the latest decode (header and count table stay).
    void clearKeptSections();
};

} // namespace pw
