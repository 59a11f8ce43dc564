// SPDX-License-Identifier: GPL-3.0-or-later
// The codeplug's operations that add and remove whole zones, scan lists and RX group lists.
//
// Channels refer to scan lists and RX group lists by 1-based table position, so deleting one of
// those renumbers the channels' references; zones are referred to by nothing.

#include "codeplug/codeplug.h"

namespace pw {
namespace {

// Appends a copy of `record` when the codeplug is loaded, the record is of the table's format and
// the table has room; false when it does not.
template <typename Record>
bool appendWhenItFits(Codeplug& codeplug, RecordList<Record>& table, const Record& record, const void* tableFormat,
                     int capacity)
{
    if (!codeplug.loaded() || &record.format() != tableFormat || table.count() >= capacity)
        return false;
    Codeplug::EditScope edit(codeplug);
    table.append(std::make_unique<Record>(record));
    edit.changed();
    return true;
}

// Channels name a list by its 1-based table position: when the list at `position` goes, channels
// that named it name none, and those naming a later list name it one lower.
template <typename Get, typename Set>
void forgetListPosition(const RecordList<Channel>& channels, int position, Get get, Set set)
{
    for (const auto& channel : channels) {
        const int list = ((*channel).*get)();
        if (list == position)
            ((*channel).*set)(0);
        else if (list > position)
            ((*channel).*set)(list - 1);
    }
}

} // namespace

bool Codeplug::addZone(const Zone& zone)
{
    return loaded() ? appendWhenItFits(*this, zones_, zone, codec_->recordFormats().zone, codec_->capacities().zones)
                    : false;
}

void Codeplug::deleteZone(int index)
{
    if (!loaded() || zones_.count() < 2 || index < 0 || index >= zones_.count())
        return;
    EditScope edit(*this);
    zones_.deleteAt(index);
    edit.changed();
}

bool Codeplug::addScanList(const ScanList& list)
{
    return loaded() ? appendWhenItFits(*this, scanLists_, list, codec_->recordFormats().scanList,
                                       codec_->capacities().scanLists)
                    : false;
}

void Codeplug::deleteScanList(int index)
{
    if (!loaded() || scanLists_.count() < 2 || index < 0 || index >= scanLists_.count())
        return;
    EditScope edit(*this);
    forgetListPosition(channels_, index + 1, &Channel::scanList, &Channel::setScanList);
    scanLists_.deleteAt(index);
    edit.changed();
}

bool Codeplug::newRxGroupList(std::string_view name)
{
    if (!loaded() || rxGroupLists_.count() >= codec_->capacities().rxGroupLists)
        return false;
    RxGroupList list = newRxGroupList();
    list.setName(name);
    return addRxGroupList(list);
}

bool Codeplug::addRxGroupList(const RxGroupList& list)
{
    return loaded() ? appendWhenItFits(*this, rxGroupLists_, list, codec_->recordFormats().rxGroupList,
                                       codec_->capacities().rxGroupLists)
                    : false;
}

void Codeplug::deleteRxGroupList(int index)
{
    if (!loaded() || index < 0 || index >= rxGroupLists_.count())
        return;
    EditScope edit(*this);
    forgetListPosition(channels_, index + 1, &Channel::rxGroupList, &Channel::setRxGroupList);
    rxGroupLists_.deleteAt(index);
    edit.changed();
}

} // namespace pw
