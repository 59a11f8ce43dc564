// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/rdb/rdb_layout.h"

#include <algorithm>
#include <array>

namespace pw {

namespace {

// What tells the versions apart: their RX group records and counts, the contact count, and where
// the channel names and records, the slot-order table, the zones, the scan lists and the contacts
// begin; how much of a file is read, and the buffer it is read into.
struct VersionTables {
    FormatId formatId;
    std::size_t rxGroupRecordSize, rxGroupCount, contactCount, contactCountWidth, channelNames, channelRecords,
        slotOrderTable, zoneRecords, scanListRecords, contactRecords, maximumRead, bufferSize;
};

constexpr std::array<VersionTables, 3> Versions{{
    // version      RX size RX count contacts width names   channels slot order zones    scan lists contacts read     buffer
    {RdbV1Format,   100,    0x93E8,  0x9568,  2,    0xA000, 0x11FE0, 0x21F60,   0x26000, 0x2C000,   0x44000, 1327120, 2511864},
    {RdbV11Format,  100,    0x93E8,  0x9568,  3,    0xA000, 0x21FE0, 0x41F60,   0x47000, 0x4D000,   0x65000, 2510864, 2511864},
    {RdbV2Format,   164,    0xD3E8,  0xD568,  3,    0xE000, 0x25FE0, 0x45F60,   0x4B000, 0x51000,   0x69000, 2527232, 2528232},
}};

constexpr std::size_t RxGroupRecords = 0x3000;
// The scan-list count word follows the 234 scan-list records of 128 bytes.
constexpr std::size_t ScanListTableSize = 234 * 128;

} // namespace

RdbLayout RdbLayout::forFormat(FormatId formatId)
{
    const auto version = std::find_if(Versions.begin(), Versions.end(),
                                      [formatId](const VersionTables& v) { return v.formatId == formatId; });
    if (version == Versions.end())
        return RdbLayout{};
    RdbLayout layout;
    layout.rxGroupRecords = RxGroupRecords;
    layout.rxGroupRecordSize = version->rxGroupRecordSize;
    layout.rxGroupCount = version->rxGroupCount;
    // Each order table follows its count word.
    layout.rxGroupOrderTable = version->rxGroupCount + 2;
    layout.contactCount = version->contactCount;
    layout.contactCountWidth = version->contactCountWidth;
    layout.channelNames = version->channelNames;
    layout.channelRecords = version->channelRecords;
    layout.slotOrderTable = version->slotOrderTable;
    layout.zoneRecords = version->zoneRecords;
    layout.scanListRecords = version->scanListRecords;
    layout.scanListCount = version->scanListRecords + ScanListTableSize;
    layout.scanListOrderTable = layout.scanListCount + 2;
    layout.contactRecords = version->contactRecords;
    // A file holds at least one contact record.
    layout.minimumLength = version->contactRecords + 16;
    layout.maximumRead = version->maximumRead;
    layout.bufferSize = version->bufferSize;
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
