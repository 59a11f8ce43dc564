#pragma once
// What a D868 codeplug keeps besides its model: the header and count table read by recognition,
// the sections that the model does not cover, and the name of the file to read them from.

#include <cstdint>
#include <string>
#include <vector>

namespace pw {

struct D868Data {
    static constexpr std::size_t HeaderSize = 12642;
    static constexpr std::size_t CountTableSize = 400;  // 100 signed 32-bit counts, C0 to C99

    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> countTable;
    std::string fileName;
    // Section 4: the radio-ID records, 37 bytes each (u16 record number, u16 in use, u32 DMR ID,
    // u16 word, name of up to 27 bytes).
    std::vector<std::uint8_t> radioIds;
    // The file as read, for the sections written back unchanged.
    std::vector<std::uint8_t> fileBytes;
    std::size_t radioIdsOffset = 0;

    std::int32_t count(int index) const;
    void setCount(int index, std::int32_t value);
};

} // namespace pw
