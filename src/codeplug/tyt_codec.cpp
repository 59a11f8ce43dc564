// The TYT codec (memory map in tyt_codec.h): decoding fills the six lists from the image and
// repairs what points nowhere, logging each repair; encoding writes the lists back into their
// tables and blanks the slots after them.

#include "codeplug/tyt_codec.h"

#include "codeplug/codecs.h"
#include "codeplug/codeplug.h"
#include "model/byte_field.h"

#include <algorithm>
#include <array>
#include <string>
#include <memory>

namespace pw {
namespace {

using namespace tyt_map;

constexpr std::size_t ContactFlagByte = 3;
constexpr std::size_t ChannelNameByte = 32;

// The record of `size` bytes at `position`, or an empty span when it does not lie wholly inside
// the image: a short image simply ends the table there.
ConstBytes recordAt(const std::vector<std::uint8_t>& image, std::optional<std::size_t> position, std::size_t size)
{
    if (!position || !inBounds(image, *position, size))
        return {};
    return ConstBytes(image).subspan(*position, size);
}

Bytes recordAt(std::vector<std::uint8_t>& image, std::optional<std::size_t> position, std::size_t size)
{
    if (!position || !inBounds(image, *position, size))
        return {};
    return Bytes(image).subspan(*position, size);
}

template <std::size_t N>
void copyInto(std::array<std::uint8_t, N>& to, ConstBytes from)
{
    std::copy_n(from.begin(), std::min(N, from.size()), to.begin());
}

void copyOut(ConstBytes from, Bytes to)
{
    std::copy_n(from.begin(), std::min(from.size(), to.size()), to.begin());
}

// Empty-slot rules of the tables.
bool isEmptyContactSlot(ConstBytes record)
{
    const auto flags = getU8(record, ContactFlagByte);
    return flags == 0xC0 || flags == 0xFF;
}

bool isEmptyChannelSlot(ConstBytes record) { return getU8(record, 0) == 0xFF || getU8(record, ChannelNameByte) == 0; }

// Emergency systems, zones, scan lists and RX group lists: the low byte of the first name unit.
bool isEmptyNamedSlot(ConstBytes record) { return getU8(record, 0) == 0; }

// ---- Decode ----

void decodeContacts(Codeplug& codeplug, const TytLayout& layout)
{
    const auto& image = codeplug.tytImage();
    for (int i = 0; i < layout.contactSlots; ++i) {
        const auto record = recordAt(image, codeplug.contactRecordAt(i), ContactRecordSize);
        if (record.empty() || isEmptyContactSlot(record))
            break;
        auto contact = std::make_unique<Contact>(layout.contactFormat);
        copyInto(contact->tytRecord(), record);
        codeplug.contacts().append(std::move(contact));
    }
}

void decodeChannels(Codeplug& codeplug, const TytLayout& layout)
{
    const auto& image = codeplug.tytImage();
    const auto& contacts = codeplug.contacts();
    auto& log = codeplug.errorLog();
    // Every decoded channel starts as a new channel of the format; creating one costs some thirty
    // setters, copying one a block copy.
    const Channel prototype(codeplug.formatId());
    for (int i = 0; i < layout.channelSlots; ++i) {
        const auto record = recordAt(image, codeplug.channelRecordAt(i), ChannelRecordSize);
        if (record.empty() || isEmptyChannelSlot(record))
            break;
        auto channel = std::make_unique<Channel>(prototype);
        copyInto(channel->tytChannelRecord(), record);
        const int contact = channel->txContact();
        if (channel->isDigital() && contact != 0 && contact - 1 >= contacts.count()) {
            log.add("Invalid contact table index value of " + std::to_string(contact) + " in channel #" +
                    std::to_string(i + 1) + ", '" + channel->name() + "' -- now set to NONE.\r\n");
            channel->setTxContact(0);
        }
        channel->refreshContactName(contacts);
        codeplug.channels().append(std::move(channel));
    }
}

void decodeEmergencySystems(Codeplug& codeplug, const TytLayout& layout)
{
    const auto& image = codeplug.tytImage();
    for (int i = 0; i < layout.emergencySlots; ++i) {
        const auto record = recordAt(image, codeplug.emergencyRecordAt(i), EmergencyRecordSize);
        if (record.empty() || isEmptyNamedSlot(record))
            break;
        auto system = std::make_unique<EmergencySystem>();
        copyInto(system->record(), record);
        codeplug.emergencySystems().append(std::move(system));
    }
}

// validateMembers looks at the 16 members that the zone record itself holds. A zone of 0x1002 or
// 0x1003 holds up to 64 members in each of two banks; a member beyond those 16 that names no
// channel would stay in the zone, be moved into the first 16 by a later delete, or turn into a gap
// that hides the rest of its bank when the channels are sorted. Such members are removed and
// logged as the first 16 are.
void repairFurtherZoneMembers(Zone& zone, const RecordList<Channel>& channels, ErrorLog& log)
{
    constexpr int RecordMembers = 16;
    for (int bank = 1; bank <= zone.bankCount(); ++bank) {
        zone.selectBank(bank);
        int i = bank == 1 ? RecordMembers : 0;
        while (i < zone.capacity()) {
            const int member = zone.member(i);
            if (member == 0 || channels.at(member - 1) || !zone.removeMember(i)) {
                ++i;
                continue;
            }
            log.add("Invalid channel index " + std::to_string(member - 1) + " in zone '" + zone.name() +
                    "'; channel reference ignored, and zone corrected.\r\n");
            // The member that moved up into entry i is checked next.
        }
    }
    zone.selectBank(1);
}

void decodeZones(Codeplug& codeplug, const TytLayout& layout)
{
    const auto& image = codeplug.tytImage();
    for (int i = 0; i < layout.zoneSlots; ++i) {
        const auto position = codeplug.zoneRecordAt(i);
        const auto record = recordAt(image, position, ZoneRecordSize);
        if (record.empty() || isEmptyNamedSlot(record))
            break;
        auto zone = std::make_unique<Zone>(codeplug.formatId());
        zone->tieToImage();
        ConstBytes extension;
        if (zone->isTiedToImage())
            extension = recordAt(image, tytZoneExtensionAt(layout, *position), ZoneExtensionSize);
        zone->readTytImage(record, extension);
        // validateMembers writes and counts its own lines.
        zone->validateMembers(codeplug.channels(), codeplug.errorLog());
        repairFurtherZoneMembers(*zone, codeplug.channels(), codeplug.errorLog());
        codeplug.zones().append(std::move(zone));
    }
}

void decodeRxGroupLists(Codeplug& codeplug, const TytLayout& layout)
{
    const auto& image = codeplug.tytImage();
    for (int i = 0; i < layout.rxGroupSlots; ++i) {
        const auto record = recordAt(image, codeplug.rxGroupRecordAt(i), RxGroupRecordSize);
        if (record.empty() || isEmptyNamedSlot(record))
            break;
        auto list = std::make_unique<RxGroupList>(codeplug.formatId());
        copyInto(list->tytRecord(), record);
        list->loadMemberCount();
        codeplug.rxGroupLists().append(std::move(list));
    }
}

// A member that names no contact is only logged: the list keeps it.
void checkRxGroupMembers(Codeplug& codeplug)
{
    const auto& contacts = codeplug.contacts();
    for (const auto& list : codeplug.rxGroupLists()) {
        for (int j = 0; j < list->memberCount(); ++j) {
            const int member = list->member(j);
            if (member == 0)
                break;
            if (!contacts.at(member - 1))
                codeplug.errorLog().add("Invalid digital contact index " + std::to_string(member - 1) + " in RxGroup '" +
                                        list->name() + "'\r\n");
        }
    }
}

void decodeScanLists(Codeplug& codeplug, const TytLayout& layout)
{
    const auto& image = codeplug.tytImage();
    for (int i = 0; i < layout.scanListSlots; ++i) {
        const auto record = recordAt(image, codeplug.scanListRecordAt(i), ScanListRecordSize);
        if (record.empty() || isEmptyNamedSlot(record))
            break;
        auto list = std::make_unique<ScanList>(codeplug.formatId());
        copyInto(list->tytRecord(), record);
        list->validateMembers(codeplug.channels(), codeplug.errorLog());
        codeplug.scanLists().append(std::move(list));
    }
}

// Checked only now that every table is loaded. The contact line of the channel table printed the
// stored reference; these print the reference minus one.
void checkChannelReferences(Codeplug& codeplug)
{
    auto& log = codeplug.errorLog();
    const auto& contacts = codeplug.contacts();
    const int rxGroupLists = codeplug.rxGroupLists().count();
    const int emergencySystems = codeplug.emergencySystems().count();
    const int scanLists = codeplug.scanLists().count();
    int k = 0;
    for (const auto& channel : codeplug.channels()) {
        ++k;
        const std::string suffix = std::to_string(k) + ", '" + channel->name() + "'\r\n";
        const int contact = channel->txContact();
        if (channel->isDigital() && contact != 0 && !contacts.at(contact - 1)) {
            channel->setTxContact(0);
            channel->refreshContactName(contacts);
        }
        const int group = channel->rxGroupList();
        if (group != 0 && group - 1 >= rxGroupLists) {
            log.add("Invalid group list table index " + std::to_string(group - 1) + " in channel #" + suffix);
            channel->setRxGroupList(0);
        }
        const int system = channel->emergencySystem();
        if (system != 0 && system - 1 >= emergencySystems) {
            log.add("Invalid emergency system table index " + std::to_string(system - 1) + " in channel #" + suffix);
            channel->setEmergencySystem(0);
        }
        const int scanList = channel->scanList();
        if (scanList != 0 && scanList - 1 >= scanLists) {
            log.add("Invalid scan list table index " + std::to_string(scanList - 1) + " in channel #" + suffix);
            channel->setScanList(0);
        }
    }
}

// ---- Encode ----

// Writes `count` records through `write(i, slot)` and the blank record into every later slot that
// does not already read as empty. Slot i lies at `first` + i·size: the position of the first
// record is asked once, as the encoder runs after every edit.
template <typename IsEmpty, typename Write>
void encodeTable(std::vector<std::uint8_t>& image, std::optional<std::size_t> first, int slots, int count,
                 std::size_t size, IsEmpty isEmpty, ConstBytes blank, Write write)
{
    if (!first || *first > image.size() || slots <= 0)
        return;
    // A table that runs past the end of a short image ends where the image does.
    const auto fitting = std::min(static_cast<std::size_t>(slots), (image.size() - *first) / size);
    const Bytes table = Bytes(image).subspan(*first, fitting * size);
    for (std::size_t i = 0; i < fitting; ++i) {
        const Bytes slot = table.subspan(i * size, size);
        if (i < static_cast<std::size_t>(std::max(count, 0)))
            write(static_cast<int>(i), slot);
        else if (!isEmpty(ConstBytes(slot)))
            copyOut(blank, slot);
    }
}

constexpr std::array<std::uint8_t, ContactRecordSize> blankContactRecord()
{
    std::array<std::uint8_t, ContactRecordSize> record{};
    record[0] = record[1] = record[2] = 0xFF;
    record[ContactFlagByte] = 0xC0;
    return record;
}

constexpr std::array<std::uint8_t, ChannelRecordSize> blankChannelRecord()
{
    std::array<std::uint8_t, ChannelRecordSize> record{};
    for (std::size_t i = 0; i < ChannelNameByte; ++i)
        record[i] = 0xFF;
    return record;
}

} // namespace

std::optional<TytLayout> TytLayout::forFormat(FormatId formatId)
{
    TytLayout layout;
    layout.formatId = formatId;
    layout.emergencySlots = EmergencySlots;
    layout.zoneSlots = layout.scanListSlots = layout.rxGroupSlots = ListSlots;
    switch (formatId) {
    case Md380Format:
        layout.contactSlots = 1000;
        layout.channelSlots = 1000;
        layout.contactFormat = Md380Format;
        return layout;
    case Md2017Format:
    case Md9600Format:
        layout.contactSlots = 10000;
        layout.channelSlots = 3000;
        layout.contactFormat = formatId;
        layout.zoneExtensionTable = ZoneExtensionTable;
        return layout;
    default:
        return std::nullopt;
    }
}

std::optional<std::size_t> tytZoneExtensionAt(const TytLayout& layout, std::size_t zoneRecord)
{
    if (!layout.zoneExtensionTable || zoneRecord < ZoneTable)
        return std::nullopt;
    const auto z = (zoneRecord - ZoneTable) / ZoneRecordSize;
    return *layout.zoneExtensionTable + ZoneExtensionSize * z;
}

int decodeTyt(Codeplug& codeplug)
{
    if (!codeplug.loaded())
        return 0;
    const auto layout = TytLayout::forFormat(codeplug.formatId());
    if (!layout)
        return 0;

    codeplug.contacts().deleteAll();
    codeplug.emergencySystems().deleteAll();
    codeplug.zones().deleteAll();
    codeplug.scanLists().deleteAll();
    codeplug.channels().deleteAll();
    codeplug.rxGroupLists().deleteAll();
    codeplug.errorLog().clear();

    decodeContacts(codeplug, *layout);
    decodeChannels(codeplug, *layout);
    decodeEmergencySystems(codeplug, *layout);
    decodeZones(codeplug, *layout);
    decodeRxGroupLists(codeplug, *layout);
    checkRxGroupMembers(codeplug);
    decodeScanLists(codeplug, *layout);
    checkChannelReferences(codeplug);
    return 1;
}

void encodeTyt(Codeplug& codeplug)
{
    if (!codeplug.loaded())
        return;
    const auto layout = TytLayout::forFormat(codeplug.formatId());
    if (!layout)
        return;
    auto& image = codeplug.tytImage();
    const FormatId formatId = codeplug.formatId();

    static constexpr auto BlankContact = blankContactRecord();
    encodeTable(image, codeplug.contactRecordAt(0), layout->contactSlots, codeplug.contacts().count(), ContactRecordSize,
                isEmptyContactSlot, BlankContact,
                [&](int i, Bytes slot) { copyOut(codeplug.contacts().at(i)->tytRecord(), slot); });

    static constexpr auto BlankChannel = blankChannelRecord();
    encodeTable(image, codeplug.channelRecordAt(0), layout->channelSlots, codeplug.channels().count(), ChannelRecordSize,
                isEmptyChannelSlot, BlankChannel,
                [&](int i, Bytes slot) { copyOut(codeplug.channels().at(i)->tytChannelRecord(), slot); });

    const RxGroupList blankRxGroup(formatId);
    encodeTable(image, codeplug.rxGroupRecordAt(0), layout->rxGroupSlots, codeplug.rxGroupLists().count(), RxGroupRecordSize,
                isEmptyNamedSlot, blankRxGroup.tytRecord(),
                [&](int i, Bytes slot) { copyOut(codeplug.rxGroupLists().at(i)->tytRecord(), slot); });

    // Zones write their extension records with them. A zone is tied to the image before it is
    // written, so that a zone put into the list without a tie still writes its banks; were its
    // extension left alone, the banks of the zone that held the slot before would come back.
    Zone blankZone(formatId);
    blankZone.tieToImage();
    const int zones = codeplug.zones().count();
    for (int i = 0; i < layout->zoneSlots; ++i) {
        const auto position = codeplug.zoneRecordAt(i);
        const auto record = recordAt(image, position, ZoneRecordSize);
        if (record.empty())
            break;
        const auto extension = recordAt(image, tytZoneExtensionAt(*layout, *position), ZoneExtensionSize);
        if (i >= zones && isEmptyNamedSlot(record))
            continue;
        Zone& zone = i < zones ? *codeplug.zones().at(i) : blankZone;
        zone.tieToImage();
        zone.writeTytImage(record, extension);
        // A zone of another format has no extension of its own: the slot's old banks must not
        // remain behind it.
        if (!zone.isTiedToImage())
            std::fill(extension.begin(), extension.end(), std::uint8_t{0});
    }

    const ScanList blankScanList(formatId);
    encodeTable(image, codeplug.scanListRecordAt(0), layout->scanListSlots, codeplug.scanLists().count(), ScanListRecordSize,
                isEmptyNamedSlot, blankScanList.tytRecord(),
                [&](int i, Bytes slot) { copyOut(codeplug.scanLists().at(i)->tytRecord(), slot); });
}

} // namespace pw
