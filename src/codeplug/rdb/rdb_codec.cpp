// SPDX-License-Identifier: GPL-3.0-or-later
// The RDB family codec. The memory map is in rdb_codec.h.
//
// Decoding is lenient: a damaged count or order-table entry is logged and passed over, never
// followed outside the table it indexes. Encoding is canonical: the lists are written back as
// records 1..n in model order, so the image mirrors the model whatever order the file had.

#include "codeplug/rdb/rdb_codec.h"

#include "codeplug/byte_field.h"
#include "codeplug/codeplug.h"
#include "codeplug/rdb/rdb_map.h"
#include "codeplug/rdb/rdb_records.h"
#include "platform/file_io.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace pw::rdb {
namespace {

constexpr std::size_t ContactRecordSize = 16;
constexpr std::size_t ZoneRecordSize = 80;
constexpr std::size_t ScanListRecordSize = 128;
constexpr std::size_t ChannelNameEntrySize = 16;
constexpr std::size_t ModelText = 0x2000;
constexpr std::size_t ModelTextSize = 16;
constexpr std::size_t LayoutVersionText = 0x2010;
constexpr std::size_t RadioName = 0x2200;
constexpr std::size_t RadioDmrId = 0x2220;
constexpr int ZoneRecords = MaxZones;

// Copies `target.size()` bytes of the image at `offset` into a record; false (and nothing copied)
// when the bytes are not all inside the image.
bool copyFromImage(ConstBytes image, std::size_t offset, Bytes target)
{
    if (!inBounds(image, offset, target.size()))
        return false;
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(offset), target.size(), target.begin());
    return true;
}

void copyToImage(Bytes image, std::size_t offset, ConstBytes source)
{
    if (!inBounds(image, offset, source.size()))
        return;
    std::copy(source.begin(), source.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::string quoted(const std::string& name) { return "'" + name + "'"; }

// The index of the channel in `slot`, or -1.
int channelWithSlot(const RecordList<Channel>& channels, int slot)
{
    for (int index = 0; index < channels.count(); ++index)
        if (channels.at(index)->slotNumber() == slot)
            return index;
    return -1;
}

// The slot-order table as the model has it: the slots of the channels in table order.
std::vector<std::uint16_t> slotsInTableOrder(const RecordList<Channel>& channels)
{
    std::vector<std::uint16_t> slots;
    slots.reserve(static_cast<std::size_t>(channels.count()));
    for (const auto& channel : channels)
        slots.push_back(static_cast<std::uint16_t>(std::clamp(channel->slotNumber(), 0, 0xFFFF)));
    return slots;
}

class RdbDecoder {
public:
    RdbDecoder(Codeplug& codeplug, const RdbCodec& codec)
        : cp_(codeplug), layout_(codec.layout()), image_(codec.image()), imageLength_(codec.imageLength()),
          log_(codeplug.errorLog()), format_(codec.formatId()), formats_(codec.recordFormats())
    {
    }

    bool run()
    {
        decodeContacts();
        decodeChannels();
        decodeZones();
        decodeRxGroupLists();
        checkRxGroupMembers();
        convertRxGroupReferences();
        decodeScanLists();
        convertScanListReferences();
        return true;
    }

private:
    // The file ends after the last contact record; records past the bytes read are not contacts.
    int contactRecordsInFile() const
    {
        const std::size_t end = std::min(imageLength_, image_.size());
        if (end <= layout_.contactRecords)
            return 0;
        return static_cast<int>(std::min<std::size_t>((end - layout_.contactRecords) / ContactRecordSize,
                                                      static_cast<std::size_t>(contactCapacity(format_))));
    }

    void decodeContacts()
    {
        const std::uint32_t stored = getUIntLe(image_, layout_.contactCount, layout_.contactCountWidth);
        if (stored == 0) {
            log_.add("No digital contacts are in this codeplug.\r\n");
            return;
        }
        const int held = contactRecordsInFile();
        contactCount_ = static_cast<int>(std::min<std::uint32_t>(stored, static_cast<std::uint32_t>(held)));
        if (stored > static_cast<std::uint32_t>(held))
            log_.add("Error: Contact count of " + std::to_string(stored) + " exceeds the " + std::to_string(held) +
                     " contact records in this codeplug -- " + std::to_string(contactCount_) +
                     " contacts read.\r\n");
        auto& contacts = cp_.contacts();
        contacts.reserve(contactCount_);
        const Contact prototype(*formats_.contact);
        for (int i = 0; i < contactCount_; ++i) {
            Contact& contact = contacts.emplaceBack(prototype);
            copyFromImage(image_, layout_.contactRecordAt(i), contact.familyRecord());
            ContactRecordFormat::load(contact);
        }
    }

    void decodeChannels()
    {
        const int stored = getU16Le(image_, layout_.slotOrderTable);
        const int capacity = channelCapacity(format_);
        const int count = std::min(stored, capacity);
        if (stored > capacity)
            log_.add("Error: Channel count of " + std::to_string(stored) + " exceeds the limit of " +
                     std::to_string(capacity) + " channels -- " + std::to_string(count) + " channels read.\r\n");

        // A slot outside the tables would send the copy into other tables; a slot listed twice
        // would make two channels share one record, so that saving one overwrites the other.
        const int highest = layout_.highestSlot();
        std::vector<bool> taken(static_cast<std::size_t>(highest) + 1, false);
        auto& channels = cp_.channels();
        const auto& format = static_cast<const ChannelRecordFormat&>(*formats_.channel);
        const Channel prototype(format);
        for (int i = 0; i < count; ++i) {
            const int slot = getU16Le(image_, layout_.slotOrderTable + 2 + 2 * static_cast<std::size_t>(i));
            if (slot < 1 || slot > highest || taken[static_cast<std::size_t>(slot)]) {
                log_.add("Error: Invalid channel slot " + std::to_string(slot) + " at entry " + std::to_string(i + 1) +
                         " of the channel order table -- entry ignored.\r\n");
                continue;
            }
            taken[static_cast<std::size_t>(slot)] = true;
            auto channel = std::make_unique<Channel>(prototype);
            channel->setSlotNumber(slot);
            const Bytes record(channel->familyRecord());
            copyFromImage(image_, layout_.channelRecordAt(slot), record.first(ChannelRecordSize));
            copyFromImage(image_, layout_.channelNameAt(slot), record.subspan(ChannelRecordSize, ChannelNameSize));
            format.load(*channel);
            const int contact = channel->txContact();
            if (channel->isDigital() && contact > contactCount_) {
                log_.add("Error: Invalid contact index of " + std::to_string(contact) + " in digital channel " +
                         quoted(channel->name()) + " -- now set to NONE.\r\n");
                channel->setTxContact(0);
            }
            // Channel import and the lists show the contact by name.
            channel->refreshContactName(cp_.contacts());
            channels.append(std::move(channel));
        }
    }

    void decodeZones()
    {
        auto& zones = cp_.zones();
        const Zone prototype(*formats_.zone);
        for (int i = 0; i < ZoneRecords; ++i) {
            auto zone = std::make_unique<Zone>(prototype);
            if (!copyFromImage(image_, layout_.zoneRecordAt(i), zone->familyRecord()) || zone->name().empty())
                break;
            repairZoneMembers(*zone);
            zones.append(std::move(zone));
        }
    }

    // A member whose slot holds no channel is removed and logged.
    void repairZoneMembers(Zone& zone)
    {
        const auto& channels = cp_.channels();
        int i = 0;
        while (i < zone.entryCount()) {
            const int slot = zone.member(i);
            if (slot == 0 || channelWithSlot(channels, slot) >= 0 || !zone.removeMember(i)) {
                ++i;
                continue;
            }
            log_.add("Invalid channel index " + std::to_string(slot - 1) + " in zone '" + zone.name() +
                     "'; channel reference ignored, and zone corrected.\r\n");
            // The member that moved up into entry i is checked next.
        }
    }

    void decodeRxGroupLists()
    {
        const int count = std::min<int>(getU16Le(image_, layout_.rxGroupCount), MaxRxGroupLists);
        const int records = std::min(layout_.rxGroupRecordLimit(), MaxRxGroupLists);
        decodeOrderedLists(cp_.rxGroupLists(), RxGroupList(*formats_.rxGroupList), count, records,
                           layout_.rxGroupOrderTable, &RdbLayout::rxGroupRecordAt, "Rx Group", rxGroupEntries_);
    }

    // Reads `count` lists through an order table of record numbers: an entry outside 1..`records`
    // is logged and passed over, and the lists end at a record that is not all in the image or
    // has no name. `entries` gets the record number of each list read.
    template <class List>
    void decodeOrderedLists(RecordList<List>& lists, const List& prototype, int count, int records,
                            std::size_t orderTable, std::size_t (RdbLayout::*recordAt)(int) const,
                            const std::string& what, std::vector<int>& entries)
    {
        for (int i = 0; i < count; ++i) {
            const int record = getU8(image_, orderTable + static_cast<std::size_t>(i));
            if (record < 1 || record > records) {
                log_.add("Error: Invalid " + what + " record " + std::to_string(record) + " at entry " +
                         std::to_string(i + 1) + " of the " + what + " order table -- entry ignored.\r\n");
                continue;
            }
            auto list = std::make_unique<List>(prototype);
            if (!copyFromImage(image_, (layout_.*recordAt)(record), list->familyRecord()))
                break;
            if constexpr (std::is_same_v<List, RxGroupList>)
                list->loadMemberCount();
            if (list->name().empty())
                break;
            lists.append(std::move(list));
            entries.push_back(record);
        }
    }

    // Members may refer to contacts that a later import brings in, so they are only reported.
    void checkRxGroupMembers()
    {
        const int contacts = cp_.contacts().count();
        for (const auto& list : cp_.rxGroupLists()) {
            for (int i = 0; i < list->memberCount(); ++i) {
                const int member = list->member(i);
                if (member == 0)
                    break;
                if (member < 1 || member > contacts)
                    log_.add("Invalid digital contact index " + std::to_string(member - 1) + " in RxGroup " +
                             quoted(list->name()) + "\r\n");
            }
        }
    }

    // Channels name RX group lists by record number; the model counts positions in the table.
    void convertRxGroupReferences()
    {
        for (const auto& channel : cp_.channels()) {
            if (!channel->isDigital())
                continue;
            const int record = channel->rxGroupList();
            if (record == 0)
                continue;
            const auto entry = std::find(rxGroupEntries_.begin(), rxGroupEntries_.end(), record);
            if (entry != rxGroupEntries_.end()) {
                channel->setRxGroupList(static_cast<int>(entry - rxGroupEntries_.begin()) + 1);
                continue;
            }
            // Left as it is, the record number would pass for the position of another list.
            log_.add("Error: Invalid Rx Group index of " + std::to_string(record) + " in digital channel " +
                     quoted(channel->name()) + " -- now set to NONE.\r\n");
            channel->setRxGroupList(0);
        }
    }

    void decodeScanLists()
    {
        const int stored = std::min<int>(getU16Le(image_, layout_.scanListCount), MaxScanLists);
        const int records = std::min(layout_.scanListRecordLimit(), scanListCapacity(format_));
        const int count = std::min(stored, records);
        if (stored > records)
            log_.add("Error: Scan list count of " + std::to_string(stored) + " exceeds the " +
                     std::to_string(records) + " scan lists this codeplug holds -- " + std::to_string(count) +
                     " scan lists read.\r\n");
        decodeOrderedLists(cp_.scanLists(), ScanList(*formats_.scanList), count, records, layout_.scanListOrderTable,
                           &RdbLayout::scanListRecordAt, "scan list", scanListEntries_);
    }

    void convertScanListReferences()
    {
        for (const auto& channel : cp_.channels()) {
            const int record = channel->scanList();
            if (record == 0)
                continue;
            // When a record is listed twice, the last entry wins.
            const auto entry = std::find(scanListEntries_.rbegin(), scanListEntries_.rend(), record);
            if (entry != scanListEntries_.rend()) {
                channel->setScanList(static_cast<int>(scanListEntries_.rend() - entry));
                continue;
            }
            log_.add("Error: Invalid scan list index of " + std::to_string(record) + " in channel " +
                     quoted(channel->name()) + " -- now set to NONE.\r\n");
            channel->setScanList(0);
        }
    }

    Codeplug& cp_;
    const RdbLayout& layout_;
    ConstBytes image_;
    std::size_t imageLength_;
    ErrorLog& log_;
    FormatId format_;
    const RecordFormats& formats_;
    int contactCount_ = 0;
    // The record number behind each list of the model, in model order.
    std::vector<int> rxGroupEntries_;
    std::vector<int> scanListEntries_;
};

class RdbEncoder {
public:
    RdbEncoder(Codeplug& codeplug, const RdbLayout& layout, std::vector<std::uint8_t>& image, FormatId formatId,
               std::size_t& imageLength)
        : cp_(codeplug), layout_(layout), image_(image), format_(formatId), imageLength_(imageLength)
    {
    }

    void run()
    {
        encodeContacts();
        encodeChannels();
        encodeRxGroupLists();
        encodeZones();
        encodeScanLists();
    }

private:
    void encodeContacts()
    {
        // The buffer holds the largest table of the format; the bound only guards a foreign layout.
        const std::size_t room =
            image_.size() > layout_.contactRecords ? (image_.size() - layout_.contactRecords) / ContactRecordSize : 0;
        const int count = std::min({cp_.contacts().count(), contactCapacity(format_), static_cast<int>(room)});
        for (int i = 0; i < count; ++i)
            copyToImage(image_, layout_.contactRecordAt(i), cp_.contacts().at(i)->familyRecord());
        setUIntLe(image_, layout_.contactCount, layout_.contactCountWidth, static_cast<std::uint32_t>(count));
        if (layout_.contactCountWidth == 3)
            setU8(image_, layout_.contactCount + 3, 0);
        imageLength_ = std::min(fileLength(format_, count), image_.size());
    }

    void encodeChannels()
    {
        const int highest = layout_.highestSlot();
        std::vector<std::uint16_t> order;
        order.reserve(static_cast<std::size_t>(cp_.channels().count()));
        for (const auto& channel : cp_.channels()) {
            const int slot = channel->slotNumber();
            if (slot < 1 || slot > highest)
                continue;
            const ConstBytes record(channel->familyRecord());
            copyToImage(image_, layout_.channelRecordAt(slot), record.first(ChannelRecordSize));
            copyToImage(image_, layout_.channelNameAt(slot), record.subspan(ChannelRecordSize, ChannelNameSize));
            order.push_back(static_cast<std::uint16_t>(slot));
        }
        // The table operations keep the slot-order table current. It differs from the model only
        // when the decoder passed over damaged entries; then the table is written afresh, so the
        // saved file lists exactly the channels the model holds.
        if (!slotOrderMatches(order))
            writeSlotOrder(order);
    }

    bool slotOrderMatches(const std::vector<std::uint16_t>& order) const
    {
        if (getU16Le(image_, layout_.slotOrderTable) != static_cast<std::uint16_t>(order.size()) || order.size() > 0xFFFF)
            return false;
        for (std::size_t i = 0; i < order.size(); ++i)
            if (getU16Le(image_, layout_.slotOrderTable + 2 + 2 * i) != order[i])
                return false;
        return true;
    }

    void writeSlotOrder(const std::vector<std::uint16_t>& order)
    {
        setU16Le(image_, layout_.slotOrderTable, static_cast<std::uint32_t>(order.size()));
        for (std::size_t i = 0; i < order.size(); ++i)
            setU16Le(image_, layout_.slotOrderTable + 2 + 2 * i, order[i]);
        setU16Le(image_, layout_.slotOrderTable + 2 + 2 * order.size(), 0);
    }

    void encodeRxGroupLists()
    {
        const int count = std::min({cp_.rxGroupLists().count(), MaxRxGroupLists, layout_.rxGroupRecordLimit()});
        for (int i = 0; i < count; ++i) {
            copyToImage(image_, layout_.rxGroupRecordAt(i + 1), cp_.rxGroupLists().at(i)->familyRecord());
            setU8(image_, layout_.rxGroupOrderTable + static_cast<std::size_t>(i), static_cast<unsigned>(i + 1));
        }
        setU16Le(image_, layout_.rxGroupCount, static_cast<std::uint32_t>(count));
    }

    void encodeZones()
    {
        // Unused records are cleared, so that a deleted zone cannot come back behind the list's end.
        const std::vector<std::uint8_t> empty(ZoneRecordSize, 0);
        const int count = cp_.zones().count();
        for (int i = 0; i < ZoneRecords; ++i)
            copyToImage(image_, layout_.zoneRecordAt(i), i < count ? cp_.zones().at(i)->familyRecord() : empty);
    }

    void encodeScanLists()
    {
        // Record 235 would lie on the count word and the order table.
        const int count = std::min({cp_.scanLists().count(), layout_.scanListRecordLimit(), scanListCapacity(format_)});
        for (int j = 0; j < count; ++j) {
            copyToImage(image_, layout_.scanListRecordAt(j + 1), cp_.scanLists().at(j)->familyRecord());
            setU8(image_, layout_.scanListOrderTable + static_cast<std::size_t>(j), static_cast<unsigned>(j + 1));
        }
        setU16Le(image_, layout_.scanListCount, static_cast<std::uint32_t>(count));
    }

    Codeplug& cp_;
    const RdbLayout& layout_;
    Bytes image_;
    FormatId format_;
    std::size_t& imageLength_;
};

} // namespace

std::size_t fileLength(FormatId formatId, int contacts)
{
    const auto layout = RdbLayout::forFormat(formatId);
    const auto end = layout.contactRecords + ContactRecordSize * static_cast<std::size_t>(std::max(contacts, 0));
    // Without this floor a codeplug without contacts would be saved too short to be opened again.
    return std::max(end, layout.minimumLength);
}

// ---- Recognition ----

namespace {

bool hasLayoutText(const FileContent& file, FormatId formatId, std::string_view text)
{
    const auto layout = RdbLayout::forFormat(formatId);
    const std::size_t read = std::min<std::size_t>(file.bytes.size(), layout.maximumRead);
    if (read < layout.minimumLength)
        return false;
    std::string expected(text);
    expected.push_back('\0');
    return std::memcmp(file.bytes.data() + LayoutVersionText, expected.data(), expected.size()) == 0;
}

} // namespace

bool isV1File(const FileContent& file) { return hasLayoutText(file, RdbV1Format, "D4.0.03"); }
bool isV11File(const FileContent& file) { return hasLayoutText(file, RdbV11Format, "D4.1.01"); }
bool isV2File(const FileContent& file) { return hasLayoutText(file, RdbV2Format, "D4.3.01"); }

// ---- The codec ----

RdbCodec::RdbCodec(FormatId formatId, FileContent file)
    : ImageCodec(RadioName, RadioDmrId), formatId_(formatId), layout_(RdbLayout::forFormat(formatId))
{
    auto& bytes = file.bytes;
    // The reader reads at most as much as the largest image of the version holds.
    bytes.resize(std::min(bytes.size(), layout_.maximumRead));
    imageLength_ = bytes.size();
    bytes.resize(layout_.bufferSize, 0);
    image_ = std::move(bytes);
}

bool RdbCodec::decode(Codeplug& codeplug) { return RdbDecoder(codeplug, *this).run(); }

void RdbCodec::encode(Codeplug& codeplug) { RdbEncoder(codeplug, layout_, image_, formatId_, imageLength_).run(); }

bool RdbCodec::writeFile(Codeplug& /*codeplug*/, ByteSink& sink, std::string& /*why*/)
{
    return sink.write(std::span<const std::uint8_t>(image_.data(), std::min(imageLength_, image_.size())));
}

// ---- Channel slots ----
//
// Channels lie in numbered slots (record of slot s at channelRecords + 32·s, name at channelNames +
// 16·(s − 1)) and the slot-order table lists the slots in table order: a u16 count, then one u16
// slot number per channel, followed by a 0. Zones and scan lists name channels by slot, so a sort
// changes only the order table, and a delete only removes the slot from them.

std::vector<std::uint16_t> RdbCodec::slotOrderTable() const
{
    const auto table = layout_.slotOrderTable;
    // A count beyond the table's capacity comes from a damaged image; the entries past it are not
    // slot numbers.
    const int count = std::min<int>(getU16Le(image_, table), capacities().channels);
    std::vector<std::uint16_t> slots;
    slots.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        slots.push_back(getU16Le(image_, table + 2 + 2 * static_cast<std::size_t>(i)));
    return slots;
}

void RdbCodec::writeSlotOrderTable(const std::vector<std::uint16_t>& slots)
{
    const auto table = layout_.slotOrderTable;
    setU16Le(image_, table, static_cast<std::uint32_t>(slots.size()));
    for (std::size_t i = 0; i < slots.size(); ++i)
        setU16Le(image_, table + 2 + 2 * i, slots[i]);
    setU16Le(image_, table + 2 + 2 * slots.size(), 0);
}

// Writes the channel's record and name into image slot `slot`; a slot outside the tables is left
// alone.
void RdbCodec::writeChannelSlot(const Channel& channel, int slot)
{
    if (slot < 1 || slot > layout_.highestSlot())
        return;
    const Bytes image(image_);
    const auto record = layout_.channelRecordAt(slot);
    const auto name = layout_.channelNameAt(slot);
    if (!inBounds(image, record, ChannelRecordSize) || !inBounds(image, name, ChannelNameSize))
        return;
    const ConstBytes bytes(channel.familyRecord());
    std::copy_n(bytes.begin(), ChannelRecordSize, image.begin() + static_cast<std::ptrdiff_t>(record));
    // Only the 12 bytes of the packed name; the entry's last four bytes are not ours.
    std::copy_n(bytes.begin() + ChannelRecordSize, ChannelNameSize, image.begin() + static_cast<std::ptrdiff_t>(name));
}

int RdbCodec::memberNumberOf(const Codeplug& codeplug, int channelIndex) const
{
    const Channel* channel = codeplug.channelAt(channelIndex);
    return channel ? channel->slotNumber() : 0;
}

int RdbCodec::channelIndexOfMember(const Codeplug& codeplug, int number) const
{
    return channelWithSlot(codeplug.channels(), number);
}

bool RdbCodec::placeNewChannel(Codeplug& codeplug, Channel& channel)
{
    // A slot counts as used when the image's table or the model holds it, so that a damaged table
    // never leads to overwriting a channel.
    auto used = slotOrderTable();
    const auto order = slotsInTableOrder(codeplug.channels());
    used.insert(used.end(), order.begin(), order.end());
    std::sort(used.begin(), used.end());
    int slot = 1;
    for (const auto taken : used) {
        if (taken == slot)
            ++slot;
        else if (taken > slot)
            break;
    }
    if (slot > layout_.highestSlot())
        return false;
    channel.setSlotNumber(slot);
    auto newOrder = order;
    newOrder.push_back(static_cast<std::uint16_t>(slot));
    writeSlotOrderTable(newOrder);
    writeChannelSlot(channel, slot);
    return true;
}

// The records after the leaving contact move down one place at once, as the radio's software does;
// the last record of the table stays in the image past the count, and a file saved after any
// number of deletes holds the same bytes as one saved after each.
void RdbCodec::contactLeaving(Codeplug& codeplug, int index)
{
    const std::size_t first = layout_.contactRecords;
    if (image_.size() <= first)
        return;
    const auto room = static_cast<int>((image_.size() - first) / ContactRecordSize);
    const int count = std::min(codeplug.contacts().count(), room);
    if (index < 0 || index + 1 >= count)
        return;
    auto* records = image_.data() + layout_.contactRecordAt(0);
    std::memmove(records + static_cast<std::size_t>(index) * ContactRecordSize,
                 records + static_cast<std::size_t>(index + 1) * ContactRecordSize,
                 static_cast<std::size_t>(count - index - 1) * ContactRecordSize);
}

// The bytes contactLeaving and a delete would leave for each contact, from the last to the first:
// the records that stay move down in order, and the slot that each delete frees at the end of the
// table keeps the table's last record at that moment: the last record that stays, or a later
// leaving one.
void RdbCodec::contactsLeaving(Codeplug& codeplug, const std::vector<int>& indexes)
{
    const std::size_t first = layout_.contactRecords;
    if (image_.size() <= first || indexes.empty())
        return;
    const auto room = static_cast<int>((image_.size() - first) / ContactRecordSize);
    const int count = std::min(codeplug.contacts().count(), room);
    auto* records = image_.data() + layout_.contactRecordAt(0);
    const std::vector<std::uint8_t> before(records, records + static_cast<std::size_t>(count) * ContactRecordSize);
    const auto copyRecord = [&](int to, int from) {
        if (to < count && from < count)
            std::memcpy(records + static_cast<std::size_t>(to) * ContactRecordSize,
                        before.data() + static_cast<std::size_t>(from) * ContactRecordSize, ContactRecordSize);
    };
    std::vector<bool> leaving(static_cast<std::size_t>(codeplug.contacts().count()), false);
    for (const int index : indexes)
        leaving[static_cast<std::size_t>(index)] = true;
    int lastKept = -1;
    int slot = 0;
    for (int i = 0; i < codeplug.contacts().count(); ++i) {
        if (leaving[static_cast<std::size_t>(i)])
            continue;
        copyRecord(slot++, i);
        lastKept = i;
    }
    int freed = codeplug.contacts().count() - 1;
    for (auto index = indexes.rbegin(); index != indexes.rend(); ++index)
        copyRecord(freed--, std::max(lastKept, *index));
}

void RdbCodec::channelLeaving(Codeplug& codeplug, int index)
{
    leavingSlot_ = codeplug.channelAt(index)->slotNumber();
}

void RdbCodec::channelLeft(Codeplug& codeplug, int /*index*/)
{
    const int slot = leavingSlot_;
    writeSlotOrderTable(slotsInTableOrder(codeplug.channels()));
    // The channels that stay are written to their slots at once, as the radio's software does after
    // each delete: a channel deleted later leaves its slot holding what the model made of it.
    for (const auto& channel : codeplug.channels())
        writeChannelSlot(*channel, channel->slotNumber());
    if (slot <= 0)
        return;
    // Slot numbers do not move; a zone left empty gets the first channel.
    const int replacement = codeplug.channels().empty() ? 0 : codeplug.channelAt(0)->slotNumber();
    for (const auto& zone : codeplug.zones()) {
        const bool removedAny = zone->removeMembersEqualTo(slot);
        bool empty = true;
        for (int i = 0; i < zone->entryCount(); ++i)
            empty = empty && zone->member(i) == 0;
        if (removedAny && empty && replacement > 0) {
            zone->setMember(0, replacement);
            setZoneCountByte(*zone, 1);
        }
    }
    for (const auto& list : codeplug.scanLists())
        list->removeFirstMemberEqualTo(slot);
}

void RdbCodec::channelsSorted(Codeplug& codeplug, const IndexRemap& /*remap*/)
{
    // Zones and scan lists hold slot numbers, which stay; only the order of the slots changes.
    writeSlotOrderTable(slotsInTableOrder(codeplug.channels()));
}

std::string RdbCodec::radioTypeText() const
{
    const auto model = getLatin1Text(image_, ModelText, ModelTextSize);
    return formatId_ == RdbV2Format ? model + " V2 (130K Contacts)" : model + " (64K Contacts)";
}

std::string RdbCodec::radioModelName() const { return getCString(image_, ModelText, ModelTextSize); }

} // namespace pw::rdb
