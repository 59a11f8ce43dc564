#pragma once
// One 40-byte record of the TYT emergency system table, kept as read: bytes 0-31 the name as 16
// UTF-16LE units, bytes 32-39 not interpreted. The table is never edited nor written back.

#include "model/byte_field.h"

#include <array>
#include <cstdint>
#include <string>

namespace pw {

class EmergencySystem {
public:
    static constexpr std::size_t RecordSize = 40;

    std::string name() const { return getUtf16Name(record_, 0, 16); }
    std::array<std::uint8_t, RecordSize>& record() { return record_; }
    const std::array<std::uint8_t, RecordSize>& record() const { return record_; }

private:
    std::array<std::uint8_t, RecordSize> record_{};
};

} // namespace pw
