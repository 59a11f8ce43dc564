// The RDB family codec. The memory map is in rdb_codec.h.
//
// Decoding is lenient: a damaged count or order-table entry is logged and passed over, never
// followed outside the table it indexes. Encoding is canonical: the lists are written back as
// records 1..n in model order, so the image mirrors the model whatever order the file had.

#include "codeplug/rdb_codec.h"

#include "codeplug/codecs.h"
#include "codeplug/codeplug.h"
#include "model/byte_field.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pw {
namespace {

constexpr std::size_t ContactRecordSize = Contact::RdbRecordSize;
constexpr std::size_t ChannelRecordSize = Channel::RdbRecordSize;
constexpr std::size_t ChannelNameSize = Channel::RdbNameSize;
constexpr std::size_t ZoneRecordSize = Zone::RdbRecordSize;
constexpr std::size_t ScanListRecordSize = ScanList::RdbRecordSize;
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

class RdbDecoder {
public:
    explicit RdbDecoder(Codeplug& codeplug)
        : cp_(codeplug), layout_(codeplug.rdbLayout()), image_(codeplug.rdbImage()), log_(codeplug.errorLog()),
          format_(codeplug.formatId())
    {
    }

    int run()
    {
        cp_.contacts().deleteAll();
        cp_.channels().deleteAll();
        cp_.zones().deleteAll();
        cp_.scanLists().deleteAll();
        cp_.rxGroupLists().deleteAll();
        cp_.emergencySystems().deleteAll();
        log_.clear();

        decodeContacts();
        decodeChannels();
        decodeZones();
        decodeRxGroupLists();
        checkRxGroupMembers();
        convertRxGroupReferences();
        decodeScanLists();
        convertScanListReferences();
        return 1;
    }

private:
    // The file ends after the last contact record; records past the bytes read are not contacts.
    int contactRecordsInFile() const
    {
        const std::size_t end = std::min(cp_.imageLength(), image_.size());
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
        for (int i = 0; i < contactCount_; ++i) {
            auto contact = std::make_unique<Contact>(format_);
            copyFromImage(image_, layout_.contactRecordAt(i), contact->rdbRecord());
            contacts.append(std::move(contact));
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
        for (int i = 0; i < count; ++i) {
            const int slot = getU16Le(image_, layout_.slotOrderTable + 2 + 2 * static_cast<std::size_t>(i));
            if (slot < 1 || slot > highest || taken[static_cast<std::size_t>(slot)]) {
                log_.add("Error: Invalid channel slot " + std::to_string(slot) + " at entry " + std::to_string(i + 1) +
                         " of the channel order table -- entry ignored.\r\n");
                continue;
            }
            taken[static_cast<std::size_t>(slot)] = true;
            auto channel = std::make_unique<Channel>(format_);
            channel->setSlotNumber(slot);
            copyFromImage(image_, layout_.channelRecordAt(slot), channel->rdbChannelRecord());
            copyFromImage(image_, layout_.channelNameAt(slot), channel->rdbChannelName());
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
        for (int i = 0; i < ZoneRecords; ++i) {
            auto zone = std::make_unique<Zone>(format_);
            if (!copyFromImage(image_, layout_.zoneRecordAt(i), zone->rdbRecord()) || zone->name().empty())
                break;
            zone->validateMembers(cp_.channels(), log_);
            zones.append(std::move(zone));
        }
    }

    void decodeRxGroupLists()
    {
        const int count = std::min<int>(getU16Le(image_, layout_.rxGroupCount), MaxRxGroupLists);
        const int records = std::min(layout_.rxGroupRecordLimit(), MaxRxGroupLists);
        const bool wide = format_ == RdbV2Format;
        auto& lists = cp_.rxGroupLists();
        for (int i = 0; i < count; ++i) {
            const int record = getU8(image_, layout_.rxGroupOrderTable + static_cast<std::size_t>(i));
            if (record < 1 || record > records) {
                log_.add("Error: Invalid Rx Group record " + std::to_string(record) + " at entry " +
                         std::to_string(i + 1) + " of the Rx Group order table -- entry ignored.\r\n");
                continue;
            }
            auto list = std::make_unique<RxGroupList>(format_);
            const auto offset = layout_.rxGroupRecordAt(record);
            const bool copied = wide ? copyFromImage(image_, offset, list->rdbV2Record())
                                     : copyFromImage(image_, offset, list->rdbRecord());
            if (!copied)
                break;
            list->loadMemberCount();
            if (list->name().empty())
                break;
            lists.append(std::move(list));
            rxGroupEntries_.push_back(record);
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
        auto& lists = cp_.scanLists();
        for (int i = 0; i < count; ++i) {
            const int record = getU8(image_, layout_.scanListOrderTable + static_cast<std::size_t>(i));
            if (record < 1 || record > records) {
                log_.add("Error: Invalid scan list record " + std::to_string(record) + " at entry " +
                         std::to_string(i + 1) + " of the scan list order table -- entry ignored.\r\n");
                continue;
            }
            auto list = std::make_unique<ScanList>(format_);
            if (!copyFromImage(image_, layout_.scanListRecordAt(record), list->rdbRecord()) || list->name().empty())
                break;
            lists.append(std::move(list));
            scanListEntries_.push_back(record);
        }
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
    ErrorLog& log_;
    FormatId format_;
    int contactCount_ = 0;
    // The record number behind each list of the model, in model order.
    std::vector<int> rxGroupEntries_;
    std::vector<int> scanListEntries_;
};

class RdbEncoder {
public:
    explicit RdbEncoder(Codeplug& codeplug)
        : cp_(codeplug), layout_(codeplug.rdbLayout()), image_(codeplug.rdbImage()), format_(codeplug.formatId())
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
            copyToImage(image_, layout_.contactRecordAt(i), cp_.contacts().at(i)->rdbRecord());
        setUIntLe(image_, layout_.contactCount, layout_.contactCountWidth, static_cast<std::uint32_t>(count));
        if (layout_.contactCountWidth == 3)
            setU8(image_, layout_.contactCount + 3, 0);
        cp_.setImageLength(std::min(rdbFileLength(format_, count), image_.size()));
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
            copyToImage(image_, layout_.channelRecordAt(slot), channel->rdbChannelRecord());
            copyToImage(image_, layout_.channelNameAt(slot), channel->rdbChannelName());
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
        const bool wide = format_ == RdbV2Format;
        for (int i = 0; i < count; ++i) {
            const auto* list = cp_.rxGroupLists().at(i);
            const auto offset = layout_.rxGroupRecordAt(i + 1);
            if (wide)
                copyToImage(image_, offset, list->rdbV2Record());
            else
                copyToImage(image_, offset, list->rdbRecord());
            setU8(image_, layout_.rxGroupOrderTable + static_cast<std::size_t>(i), static_cast<unsigned>(i + 1));
        }
        setU16Le(image_, layout_.rxGroupCount, static_cast<std::uint32_t>(count));
    }

    void encodeZones()
    {
        // Unused records are cleared, so that a deleted zone cannot come back behind the list's end.
        const Zone empty(format_);
        const int count = cp_.zones().count();
        for (int i = 0; i < ZoneRecords; ++i) {
            const Zone* zone = i < count ? cp_.zones().at(i) : &empty;
            copyToImage(image_, layout_.zoneRecordAt(i), zone->rdbRecord());
        }
    }

    void encodeScanLists()
    {
        // Record 235 would lie on the count word and the order table.
        const int count = std::min({cp_.scanLists().count(), layout_.scanListRecordLimit(), scanListCapacity(format_)});
        for (int j = 0; j < count; ++j) {
            copyToImage(image_, layout_.scanListRecordAt(j + 1), cp_.scanLists().at(j)->rdbRecord());
            setU8(image_, layout_.scanListOrderTable + static_cast<std::size_t>(j), static_cast<unsigned>(j + 1));
        }
        setU16Le(image_, layout_.scanListCount, static_cast<std::uint32_t>(count));
    }

    Codeplug& cp_;
    const RdbLayout& layout_;
    Bytes image_;
    FormatId format_;
};

static_assert(ZoneRecordSize == 80 && ScanListRecordSize == 128 && ChannelRecordSize == 32 &&
                  ChannelNameSize == 12 && ContactRecordSize == 16,
              "record sizes of the memory map in rdb_codec.h");

} // namespace

std::size_t rdbFileLength(FormatId formatId, int contacts)
{
    const auto layout = RdbLayout::forFormat(formatId);
    const auto end = layout.contactRecords + ContactRecordSize * static_cast<std::size_t>(std::max(contacts, 0));
    // Without this floor a codeplug without contacts would be saved too short to be opened again.
    return std::max(end, layout.minimumLength);
}

int decodeRdb(Codeplug& codeplug)
{
    if (!codeplug.loaded() || codeplug.family() != FormatFamily::RdbFamily)
        return 0;
    return RdbDecoder(codeplug).run();
}

void encodeRdb(Codeplug& codeplug)
{
    if (!codeplug.loaded() || codeplug.family() != FormatFamily::RdbFamily)
        return;
    RdbEncoder(codeplug).run();
}

} // namespace pw
