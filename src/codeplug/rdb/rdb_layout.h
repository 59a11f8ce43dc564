// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the tables of an RDB memory image lie. The reader records them when it recognises the
// layout version; the RDB codec and the channel table operations use them.

#include "codeplug/format_id.h"

#include <cstddef>
#include <cstdint>

namespace pw {

struct RdbLayout {
    std::size_t rxGroupRecords = 0;      // record r (1-based) at rxGroupRecords + rxGroupRecordSize·(r−1)
    std::size_t rxGroupRecordSize = 0;   // 100, or 164 in 0x2003
    std::size_t rxGroupCount = 0;        // u16 LE
    std::size_t rxGroupOrderTable = 0;   // one byte per list
    std::size_t contactCount = 0;        // u16 LE (0x2001) or u24 LE
    std::size_t contactCountWidth = 0;   // 2 or 3
    std::size_t channelNames = 0;        // slot s (1-based) at channelNames + 16·(s−1)
    std::size_t channelRecords = 0;      // slot s at channelRecords + 32·s
    std::size_t slotOrderTable = 0;      // u16 LE count, then u16 LE slot numbers
    std::size_t zoneRecords = 0;         // zone i (0-based) at zoneRecords + 80·i
    std::size_t scanListRecords = 0;     // record r (1-based) at scanListRecords + 128·(r−1)
    std::size_t scanListCount = 0;       // u16 LE
    std::size_t scanListOrderTable = 0;  // one byte per list
    std::size_t contactRecords = 0;      // contact i (0-based) at contactRecords + 16·i
    std::size_t minimumLength = 0;
    std::size_t maximumRead = 0;
    std::size_t bufferSize = 0;

    static RdbLayout forFormat(FormatId formatId);

    // Positions of single records (slots, records and indices as counted above).
    std::size_t channelRecordAt(int slot) const { return channelRecords + 32 * static_cast<std::size_t>(slot); }
    std::size_t channelNameAt(int slot) const { return channelNames + 16 * static_cast<std::size_t>(slot - 1); }
    std::size_t zoneRecordAt(int index) const { return zoneRecords + 80 * static_cast<std::size_t>(index); }
    std::size_t scanListRecordAt(int record) const { return scanListRecords + 128 * static_cast<std::size_t>(record - 1); }
    std::size_t rxGroupRecordAt(int record) const
    {
        return rxGroupRecords + rxGroupRecordSize * static_cast<std::size_t>(record - 1);
    }
    std::size_t contactRecordAt(int index) const { return contactRecords + 16 * static_cast<std::size_t>(index); }

    // The highest slot whose channel record ends before the slot-order table and whose name entry
    // ends before the first record; 0 for an unknown layout.
    int highestSlot() const;
    // Scan-list records that fit before the scan-list count word (234 in every version).
    int scanListRecordLimit() const;
    // RX group records that fit before the RX group count word.
    int rxGroupRecordLimit() const;
};

} // namespace pw
