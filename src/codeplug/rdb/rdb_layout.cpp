// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/rdb/rdb_layout.h"

#include <algorithm>

namespace pw {

RdbLayout RdbLayout::forFormat(FormatId formatId)
{
    RdbLayout layout;
    layout.rxGroupRecords = 0x3000;
    layout.rxGroupRecordSize = 100;
    layout.rxGroupCount = 0x93E8;
    layout.rxGroupOrderTable = 0x93EA;
    layout.contactCount = 0x9568;
    layout.contactCountWidth = 3;
    layout.channelNames = 0xA000;
    switch (formatId) {
    case RdbV1Format:
        layout.contactCountWidth = 2;
        layout.channelRecords = 0x11FE0;
        layout.slotOrderTable = 0x21F60;
        layout.zoneRecords = 0x26000;
        layout.scanListRecords = 0x2C000;
        layout.scanListCount = 0x33500;
        layout.scanListOrderTable = 0x33502;
        layout.contactRecords = 0x44000;
        layout.minimumLength = 0x44010;
        layout.maximumRead = 1327120;
        layout.bufferSize = 2511864;
        break;
    case RdbV11Format:
        layout.channelRecords = 0x21FE0;
        layout.slotOrderTable = 0x41F60;
        layout.zoneRecords = 0x47000;
        layout.scanListRecords = 0x4D000;
        layout.scanListCount = 0x54500;
        layout.scanListOrderTable = 0x54502;
        layout.contactRecords = 0x65000;
        layout.minimumLength = 0x65010;
        layout.maximumRead = 2510864;
        layout.bufferSize = 2511864;
        break;
    case RdbV2Format:
        layout.rxGroupRecordSize = 164;
        layout.rxGroupCount = 0xD3E8;
        layout.rxGroupOrderTable = 0xD3EA;
        layout.contactCount = 0xD568;
        layout.channelNames = 0xE000;
        layout.channelRecords = 0x25FE0;
        layout.slotOrderTable = 0x45F60;
        layout.zoneRecords = 0x4B000;
        layout.scanListRecords = 0x51000;
        layout.scanListCount = 0x58500;
        layout.scanListOrderTable = 0x58502;
        layout.contactRecords = 0x69000;
        layout.minimumLength = 0x69010;
        layout.maximumRead = 2527232;
        layout.bufferSize = 2528232;
        break;
    default:
        return RdbLayout{};
    }
    return layout;
}

int RdbLayout::highestSlot() const
{
    constexpr std::size_t record = 32;
    constexpr std::size_t nameEntry = 16;
    if (slotOrderTable <= channelRecords + record || channelRecords + record <= channelNames)
        return 0;
    const auto byRecords = (slotOrderTable - channelRecords) / record - 1;
    const auto byNames = (channelRecords + record - channelNames) / nameEntry;
    return static_cast<int>(std::min(byRecords, byNames));
}

int RdbLayout::scanListRecordLimit() const
{
    if (scanListCount <= scanListRecords)
        return 0;
    return static_cast<int>((scanListCount - scanListRecords) / 128);
}

int RdbLayout::rxGroupRecordLimit() const
{
    if (rxGroupRecordSize == 0 || rxGroupCount <= rxGroupRecords)
        return 0;
    return static_cast<int>((rxGroupCount - rxGroupRecords) / rxGroupRecordSize);
}

} // namespace pw
