// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/rdb_fixture.h"
#include "codeplug/record_factory.h"

#include "codeplug/byte_field.h"

#include <algorithm>
#include <span>
#include <stdexcept>

namespace pw::test {
namespace {

// Record bytes the fixture sets directly (the formats keep them to themselves): the member count byte of
// a zone record and the member count + 1 byte of a scan-list record.
constexpr std::size_t ZoneCountByte = 36;
constexpr std::size_t ScanListCountPlusOne = 38;

template <typename Record>
void place(std::vector<std::uint8_t>& bytes, std::size_t offset, const Record& record)
{
    if (offset + record.size() > bytes.size())
        bytes.resize(offset + record.size(), 0);
    std::copy(record.begin(), record.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

} // namespace

RdbFixture::RdbFixture(FormatId formatId, const FixtureOptions& options)
    : formatId_(formatId), layout_(RdbLayout::forFormat(formatId)), bytes_(buildFixture(formatId, options))
{
    if (familyOf(formatId) != FormatFamily::RdbFamily)
        throw std::invalid_argument("RdbFixture needs an RDB format");
}

std::filesystem::path RdbFixture::write(const std::filesystem::path& path) const
{
    writeBytes(path, bytes_);
    return path;
}

Contact RdbFixture::contact(std::uint32_t dmrId, std::string_view name, CallType type) const
{
    Contact contact = newContact(formatId_);
    contact.setName(name);
    contact.setDmrId(dmrId);
    contact.setCallType(type);
    return contact;
}

Channel RdbFixture::analogChannel(std::string_view name, double mhz) const
{
    Channel channel = newChannel(formatId_, mhz);
    channel.setName(name);
    return channel;
}

Channel RdbFixture::digitalChannel(std::string_view name, double mhz, int contact, int rxGroup, int scanList) const
{
    Channel channel = newChannel(formatId_, mhz);
    channel.setName(name);
    channel.setMode(ChannelMode::Dmr);
    channel.setColorCode(1);
    channel.setTimeSlot(1);
    channel.setTxContact(contact);
    channel.setRxGroupList(rxGroup);
    channel.setScanList(scanList);
    return channel;
}

Zone RdbFixture::zone(std::string_view name, std::initializer_list<int> slots) const
{
    Zone zone = newZone(formatId_);
    zone.setName(name);
    int i = 0;
    for (const int slot : slots)
        zone.setMember(i++, slot);
    zone.familyRecord()[ZoneCountByte] = static_cast<std::uint8_t>(i);
    return zone;
}

ScanList RdbFixture::scanList(std::string_view name, std::initializer_list<int> slots) const
{
    ScanList list = newScanList(formatId_);
    list.setName(name);
    int i = 0;
    for (const int slot : slots)
        list.setMember(i++, slot);
    list.familyRecord()[ScanListCountPlusOne] = static_cast<std::uint8_t>(i + 1);
    return list;
}

RxGroupList RdbFixture::rxGroupList(std::string_view name, std::initializer_list<int> contacts) const
{
    RxGroupList list = newRxGroupList(formatId_);
    list.setName(name);
    int i = 0;
    for (const int contact : contacts)
        list.setMember(i++, contact);
    list.setMemberCount(i);
    return list;
}

int RdbFixture::addContact(const Contact& contact)
{
    putContactRecord(contacts_, contact);
    ++contacts_;
    setContactCount(static_cast<std::uint32_t>(contacts_));
    return contacts_;
}

int RdbFixture::addChannel(const Channel& channel)
{
    int slot = 1;
    while (std::find(slots_.begin(), slots_.end(), slot) != slots_.end())
        ++slot;
    putChannelSlot(slot, channel);
    slots_.push_back(static_cast<std::uint16_t>(slot));
    setSlotOrder(slots_);
    return slot;
}

int RdbFixture::addZone(const Zone& zone)
{
    putZoneRecord(zones_, zone);
    return zones_++;
}

int RdbFixture::addScanList(const ScanList& list)
{
    const int record = static_cast<int>(scanListOrder_.size()) + 1;
    putScanListRecord(record, list);
    scanListOrder_.push_back(static_cast<std::uint8_t>(record));
    setScanListOrder(scanListOrder_);
    return record;
}

int RdbFixture::addRxGroupList(const RxGroupList& list)
{
    const int record = static_cast<int>(rxGroupOrder_.size()) + 1;
    putRxGroupRecord(record, list);
    rxGroupOrder_.push_back(static_cast<std::uint8_t>(record));
    setRxGroupOrder(rxGroupOrder_);
    return record;
}

void RdbFixture::putContactRecord(int index, const Contact& contact)
{
    const auto offset = layout_.contactRecordAt(index);
    place(bytes_, offset, contact.familyRecord());
}

void RdbFixture::putChannelSlot(int slot, const Channel& channel)
{
    // The family record is the 32-byte channel record followed by the 12 bytes of the packed name.
    const std::span<const std::uint8_t> record(channel.familyRecord());
    place(bytes_, layout_.channelRecordAt(slot), record.first(32));
    place(bytes_, layout_.channelNameAt(slot), record.subspan(32, 12));
}

void RdbFixture::putZoneRecord(int index, const Zone& zone)
{
    place(bytes_, layout_.zoneRecordAt(index), zone.familyRecord());
}

void RdbFixture::putScanListRecord(int record, const ScanList& list)
{
    place(bytes_, layout_.scanListRecordAt(record), list.familyRecord());
}

void RdbFixture::putRxGroupRecord(int record, const RxGroupList& list)
{
    place(bytes_, layout_.rxGroupRecordAt(record), list.familyRecord());
}

void RdbFixture::setContactCount(std::uint32_t count)
{
    if (layout_.contactCountWidth == 2) {
        putU16(bytes_, layout_.contactCount, count);
    } else {
        putU24(bytes_, layout_.contactCount, count);
        bytes_.at(layout_.contactCount + 3) = 0;
    }
}

void RdbFixture::setSlotOrder(const std::vector<std::uint16_t>& slots)
{
    setSlotCount(static_cast<std::uint32_t>(slots.size()));
    for (std::size_t i = 0; i < slots.size(); ++i)
        putU16(bytes_, layout_.slotOrderTable + 2 + 2 * i, slots[i]);
    putU16(bytes_, layout_.slotOrderTable + 2 + 2 * slots.size(), 0);
}

void RdbFixture::setSlotCount(std::uint32_t count) { putU16(bytes_, layout_.slotOrderTable, count); }

void RdbFixture::setScanListOrder(const std::vector<std::uint8_t>& records)
{
    setScanListCount(static_cast<std::uint32_t>(records.size()));
    std::copy(records.begin(), records.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(layout_.scanListOrderTable));
}

void RdbFixture::setScanListCount(std::uint32_t count) { putU16(bytes_, layout_.scanListCount, count); }

void RdbFixture::setRxGroupOrder(const std::vector<std::uint8_t>& records)
{
    setRxGroupCount(static_cast<std::uint32_t>(records.size()));
    std::copy(records.begin(), records.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(layout_.rxGroupOrderTable));
}

void RdbFixture::setRxGroupCount(std::uint32_t count) { putU16(bytes_, layout_.rxGroupCount, count); }

RdbFixture largestRdbFixture()
{
    RdbFixture f(RdbV2Format);
    for (int i = 0; i < 130000; ++i)
        f.addContact(f.contact(static_cast<std::uint32_t>(1000000 + i), "Contact " + std::to_string(i),
                               i % 10 == 0 ? CallType::GroupCall : CallType::PrivateCall));
    for (int r = 0; r < 250; ++r)
        f.addRxGroupList(f.rxGroupList("Group " + std::to_string(r), {r + 1, r + 2, r + 3}));
    for (int r = 0; r < 234; ++r)
        f.addScanList(f.scanList("Scan " + std::to_string(r), {r + 1, r + 2}));
    for (int c = 0; c < 3999; ++c)
        f.addChannel(c % 2 == 0 ? f.analogChannel("Analog " + std::to_string(c), 145.0 + c * 0.0125)
                                : f.digitalChannel("Digital " + std::to_string(c), 430.0 + c * 0.0125, c + 1,
                                                   c % 250 + 1, c % 234 + 1));
    for (int z = 0; z < 250; ++z)
        f.addZone(f.zone("Zone " + std::to_string(z), {z + 1, z + 2, z + 3, z + 4}));
    return f;
}

} // namespace pw::test
