// The codeplug's operations that add and remove whole zones, scan lists and RX group lists.
//
// Channels refer to scan lists and RX group lists by 1-based table position, so deleting one of
// those renumbers the channels' references; zones are referred to by nothing. Every successful
// operation marks the codeplug changed and writes the model back into the image at once.

#include "codeplug/codeplug.h"

#include "model/byte_field.h"

#include <algorithm>

namespace pw {
namespace {

// The D868 count table entries that the codec writes back as kept: C2 zones, C3 scan lists. C16
// (RX group lists) is rewritten by the encoder, and kept in step here all the same.
constexpr int D868ZoneCount = 2;
constexpr int D868ScanListCount = 3;
constexpr int D868RxGroupCount = 16;

constexpr std::size_t RdbScanListRecordSize = 128;

} // namespace

int scanListCapacity(FormatId formatId)
{
    if (familyOf(formatId) != FormatFamily::RdbFamily)
        return MaxScanLists;
    // Record r lies at base + 128·(r − 1) and the count word and order table follow the 234th
    // record directly; a 235th record would overwrite them.
    const auto layout = RdbLayout::forFormat(formatId);
    if (layout.scanListCount <= layout.scanListRecords)
        return 0;
    const auto records = (layout.scanListCount - layout.scanListRecords) / RdbScanListRecordSize;
    return std::min(MaxScanLists, static_cast<int>(records));
}

namespace {

void setD868Count(D868Data& data, FormatFamily family, int index, int count)
{
    if (family == FormatFamily::D868Family)
        data.setCount(index, count);
}

} // namespace

int Codeplug::addZone(const Zone& zone)
{
    if (!loaded_ || zone.formatId() != formatId_ || zones_.count() >= MaxZones)
        return 0;
    auto added = std::make_unique<Zone>(zone);
    // A 0x1002/0x1003 zone reaches its extension record through its tie to the image.
    if (family() == FormatFamily::TytFamily)
        added->tieToImage();
    zones_.append(std::move(added));
    setD868Count(d868_, family(), D868ZoneCount, zones_.count());
    markChanged();
    encode();
    return 1;
}

void Codeplug::deleteZone(int index)
{
    if (!loaded_ || zones_.count() < 2 || index < 0 || index >= zones_.count())
        return;
    zones_.deleteAt(index);
    setD868Count(d868_, family(), D868ZoneCount, zones_.count());
    markChanged();
    encode();
}

int Codeplug::addScanList(const ScanList& list)
{
    if (!loaded_ || list.formatId() != formatId_ || scanLists_.count() >= scanListCapacity(formatId_))
        return 0;
    scanLists_.append(std::make_unique<ScanList>(list));
    setD868Count(d868_, family(), D868ScanListCount, scanLists_.count());
    markChanged();
    encode();
    return 1;
}

void Codeplug::deleteScanList(int index)
{
    if (!loaded_ || scanLists_.count() < 2 || index < 0 || index >= scanLists_.count())
        return;
    const int position = index + 1;
    for (const auto& channel : channels_) {
        const int list = channel->scanList();
        if (list == position)
            channel->setScanList(0);
        else if (list > position)
            channel->setScanList(list - 1);
    }
    scanLists_.deleteAt(index);
    setD868Count(d868_, family(), D868ScanListCount, scanLists_.count());
    markChanged();
    encode();
}

int Codeplug::newRxGroupList(std::string_view name)
{
    if (!loaded_ || rxGroupLists_.count() >= MaxRxGroupLists)
        return 0;
    RxGroupList list(formatId_);
    list.setName(name);
    return addRxGroupList(list);
}

int Codeplug::addRxGroupList(const RxGroupList& list)
{
    if (!loaded_ || list.formatId() != formatId_ || rxGroupLists_.count() >= MaxRxGroupLists)
        return 0;
    rxGroupLists_.append(std::make_unique<RxGroupList>(list));
    setD868Count(d868_, family(), D868RxGroupCount, rxGroupLists_.count());
    if (family() == FormatFamily::RdbFamily) {
        const auto count = getU16Le(rdbImage_, rdbLayout_.rxGroupCount);
        setU16Le(rdbImage_, rdbLayout_.rxGroupCount, static_cast<std::uint32_t>(std::min(count + 1, MaxRxGroupLists)));
    }
    markChanged();
    encode();
    return 1;
}

void Codeplug::deleteRxGroupList(int index)
{
    if (!loaded_ || index < 0 || index >= rxGroupLists_.count())
        return;
    const int position = index + 1;
    for (const auto& channel : channels_) {
        const int list = channel->rxGroupList();
        if (list == position)
            channel->setRxGroupList(0);
        else if (list > position)
            channel->setRxGroupList(list - 1);
    }
    rxGroupLists_.deleteAt(index);
    setD868Count(d868_, family(), D868RxGroupCount, rxGroupLists_.count());
    if (family() == FormatFamily::RdbFamily) {
        const auto count = getU16Le(rdbImage_, rdbLayout_.rxGroupCount);
        if (count > 0)
            setU16Le(rdbImage_, rdbLayout_.rxGroupCount, count - 1u);
    }
    markChanged();
    encode();
}

} // namespace pw
