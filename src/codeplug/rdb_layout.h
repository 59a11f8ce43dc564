#pragma once
// Where the tables of an RDB memory image lie. The reader records them when it recognises the
// layout version; the RDB codec and the channel table operations use them.

#include "model/format_id.h"

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
};

} // namespace pw
