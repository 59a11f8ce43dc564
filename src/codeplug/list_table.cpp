// SPDX-License-Identifier: GPL-3.0-or-later
// The codeplug's operations that add and remove whole zones, scan lists and RX group lists.
//
// Channels refer to scan lists and RX group lists by 1-based table position, so deleting one of
// those renumbers the channels' references; zones are referred to by nothing.

#include "codeplug/codeplug.h"

namespace pw {

int Codeplug::addZone(const Zone& zone)
{
    if (!loaded() || &zone.format() != codec_->recordFormats().zone || zones_.count() >= codec_->capacities().zones)
        return 0;
    EditScope edit(*this);
    zones_.append(std::make_unique<Zone>(zone));
    edit.changed();
    return 1;
}

void Codeplug::deleteZone(int index)
{
    if (!loaded() || zones_.count() < 2 || index < 0 || index >= zones_.count())
        return;
    EditScope edit(*this);
    zones_.deleteAt(index);
    edit.changed();
}

int Codeplug::addScanList(const ScanList& list)
{
    if (!loaded() || &list.format() != codec_->recordFormats().scanList ||
        scanLists_.count() >= codec_->capacities().scanLists)
        return 0;
    EditScope edit(*this);
    scanLists_.append(std::make_unique<ScanList>(list));
    edit.changed();
    return 1;
}

void Codeplug::deleteScanList(int index)
{
    if (!loaded() || scanLists_.count() < 2 || index < 0 || index >= scanLists_.count())
        return;
    EditScope edit(*this);
    const int position = index + 1;
    for (const auto& channel : channels_) {
        const int list = channel->scanList();
        if (list == position)
            channel->setScanList(0);
        else if (list > position)
            channel->setScanList(list - 1);
    }
    scanLists_.deleteAt(index);
    edit.changed();
}

int Codeplug::newRxGroupList(std::string_view name)
{
    if (!loaded() || rxGroupLists_.count() >= codec_->capacities().rxGroupLists)
        return 0;
    RxGroupList list = newRxGroupList();
    list.setName(name);
    return addRxGroupList(list);
}

int Codeplug::addRxGroupList(const RxGroupList& list)
{
    if (!loaded() || &list.format() != codec_->recordFormats().rxGroupList ||
        rxGroupLists_.count() >= codec_->capacities().rxGroupLists)
        return 0;
    EditScope edit(*this);
    rxGroupLists_.append(std::make_unique<RxGroupList>(list));
    edit.changed();
    return 1;
}

void Codeplug::deleteRxGroupList(int index)
{
    if (!loaded() || index < 0 || index >= rxGroupLists_.count())
        return;
    EditScope edit(*this);
    const int position = index + 1;
    for (const auto& channel : channels_) {
        const int list = channel->rxGroupList();
        if (list == position)
            channel->setRxGroupList(0);
        else if (list > position)
            channel->setRxGroupList(list - 1);
    }
    rxGroupLists_.deleteAt(index);
    edit.changed();
}

} // namespace pw
