// The codeplug's operations that add and remove whole zones, scan lists and RX group lists.
#include "codeplug/codeplug.h"

namespace pw {

int Codeplug::addZone(const Zone& zone)
{
    if (zones_.count() >= MaxZones)
        return 0;
    zones_.append(std::make_unique<Zone>(zone));
    encode();
    markChanged();
    return 1;
}

void Codeplug::deleteZone(int index)
{
    if (zones_.count() < 2 || index < 0 || index >= zones_.count())
        return;
    zones_.deleteAt(index);
    encode();
    markChanged();
}

int Codeplug::addScanList(const ScanList& list)
{
    if (scanLists_.count() >= MaxScanLists)
        return 0;
    scanLists_.append(std::make_unique<ScanList>(list));
    encode();
    markChanged();
    return 1;
}

void Codeplug::deleteScanList(int index)
{
    if (!loaded_ || scanLists_.count() < 2 || index < 0 || index >= scanLists_.count())
        return;
    scanLists_.deleteAt(index);
    encode();
    markChanged();
}

int Codeplug::newRxGroupList(std::string_view)
{
    if (!loaded_ || rxGroupLists_.count() >= MaxRxGroupLists)
        return 0;
    return addRxGroupList(RxGroupList(formatId_));
}

int Codeplug::addRxGroupList(const RxGroupList& list)
{
    if (!loaded_ || rxGroupLists_.count() >= MaxRxGroupLists)
        return 0;
    rxGroupLists_.append(std::make_unique<RxGroupList>(list));
    encode();
    markChanged();
    return 1;
}

void Codeplug::deleteRxGroupList(int index)
{
    if (!loaded_ || index < 0 || index >= rxGroupLists_.count())
        return;
    rxGroupLists_.deleteAt(index);
    encode();
    markChanged();
}

} // namespace pw
