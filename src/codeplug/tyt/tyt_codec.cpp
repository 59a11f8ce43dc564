// SPDX-License-Identifier: GPL-3.0-or-later
// The TYT codec (memory map in tyt_map.h): decoding fills the six lists from the image and
// repairs what points nowhere, logging each repair; encoding writes the lists back into their
// tables and blanks the slots after them.

#include "codeplug/tyt/tyt_codec.h"

#include "codeplug/byte_field.h"
#include "codeplug/codeplug.h"
#include "codeplug/tyt/tyt_records.h"
#include "platform/file_io.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>

namespace pw::tyt {
namespace {

constexpr std::array<std::uint8_t, 16> DfuSePrefix = {0x44, 0x66, 0x75, 0x53, 0x65, 0x01, 0x25, 0x01,
                                                      0x04, 0x00, 0x01, 0x54, 0x61, 0x72, 0x67, 0x65};

// Buffers are 1000 bytes larger than the most their readers read.
constexpr std::size_t BufferMargin = 1000;
// The 852534-byte readers refuse files more than 100 bytes longer than they read.
constexpr std::size_t Md2017FileSlack = 100;
// Vendor software writes MD-UV380-layout files one byte short of the image.
constexpr std::size_t ShortestUvFile = Md2017ImageSize - 1;
// A 0x1001 file may be longer than its image; the rest is kept and written back. Beyond this the
// file is not a codeplug of ours.
constexpr std::uintmax_t LongestTytFile = 64u << 20;

constexpr std::uint32_t Md380Features = 0x1BF;
constexpr std::uint32_t OtherFeatures = 0x13F;

constexpr std::size_t ContactFlagByte = 3;
constexpr std::size_t MissingLastByteAllowed = 1;
constexpr std::size_t ChannelNameByte = 32;

bool hasDfuSePrefix(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() >= DfuSePrefix.size() && std::equal(DfuSePrefix.begin(), DfuSePrefix.end(), bytes.begin());
}

bool isMd2017FamilyFile(const FileContent& file, std::string_view model)
{
    if (file.fileSize > Md2017ImageSize + Md2017FileSlack || file.bytes.empty() || !hasDfuSePrefix(file.bytes))
        return false;
    return getCString(file.bytes, DfuSeDataOffset, 32) == model;
}

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

void copyOut(ConstBytes from, Bytes to)
{
    std::copy_n(from.begin(), std::min(from.size(), to.size()), to.begin());
}

// copyOut for a table of `Size`-byte records: a record of the table's own size, as almost all are,
// is copied as one block of known length, which the compiler does in a few moves instead of a call.
template <std::size_t Size>
void copyRecordOut(ConstBytes from, Bytes to)
{
    if (from.size() == Size && to.size() == Size)
        std::memcpy(to.data(), from.data(), Size);
    else
        copyOut(from, to);
}

// Empty-slot rules of the tables.
bool isEmptyContactSlot(ConstBytes record)
{
    const auto flags = getU8(record, ContactFlagByte);
    return flags == 0xC0 || flags == 0xFF;
}

// A name is empty when its first unit is zero. The whole unit counts: a name may begin with a
// character whose low byte is zero (U+4E00, U+0400).
bool isEmptyChannelSlot(ConstBytes record) { return getU8(record, 0) == 0xFF || getU16Le(record, ChannelNameByte) == 0; }

// Emergency systems, zones, scan lists and RX group lists: the first name unit.
bool isEmptyNamedSlot(ConstBytes record) { return getU16Le(record, 0) == 0; }

// ---- Decode ----

class TytDecoder {
public:
    TytDecoder(Codeplug& codeplug, const TytLayout& layout, const std::vector<std::uint8_t>& image)
        : cp_(codeplug), layout_(layout), image_(image), formats_(recordFormats(layout.formatId)),
          log_(codeplug.errorLog())
    {
    }

    void run()
    {
        decodeContacts();
        decodeChannels();
        decodeEmergencySystems();
        decodeZones();
        decodeRxGroupLists();
        checkRxGroupMembers();
        decodeScanLists();
        checkChannelReferences();
    }

private:
    void decodeContacts()
    {
        const auto slot = [this](int i) { return layout_.contactRecordAt(i); };
        readTable(Contact(*formats_.contact), layout_.contactSlots, slot, ContactRecordSize, isEmptyContactSlot,
                  [this](int, std::unique_ptr<Contact> contact) {
                      ContactRecordFormat::load(*contact);
                      cp_.contacts().append(std::move(contact));
                  });
    }

    // The records of a table, read slot by slot up to the first empty slot: each a copy of
    // `prototype` holding its slot's bytes, handed to `take` with its slot number.
    template <typename Record, typename SlotAt, typename Take>
    void readTable(const Record& prototype, int slots, SlotAt slotAt, std::size_t size, bool (*isEmpty)(ConstBytes),
                   Take take)
    {
        for (int i = 0; i < slots; ++i) {
            const auto record = recordAt(image_, slotAt(i), size);
            if (record.empty() || isEmpty(record))
                break;
            auto item = std::make_unique<Record>(prototype);
            item->setFamilyRecord(record);
            take(i, std::move(item));
        }
    }

    void decodeChannels()
    {
        const auto& contacts = cp_.contacts();
        const auto& format = static_cast<const ChannelRecordFormat&>(*formats_.channel);
        // Every decoded channel starts as a new channel of the format; creating one costs some
        // thirty setters, copying one a block copy.
        const auto slot = [this](int i) { return layout_.channelRecordAt(i); };
        readTable(Channel(format), layout_.channelSlots, slot, ChannelRecordSize, isEmptyChannelSlot,
                  [&](int i, std::unique_ptr<Channel> channel) {
                      format.load(*channel);
                      const int contact = channel->txContact();
                      if (channel->isDigital() && contact != 0 && contact - 1 >= contacts.count()) {
                          log_.add("Invalid contact table index value of " + std::to_string(contact) + " in channel #" +
                                   std::to_string(i + 1) + ", '" + channel->name() + "' -- now set to NONE.\r\n");
                          channel->setTxContact(0);
                      }
                      channel->refreshContactName(contacts);
                      cp_.channels().append(std::move(channel));
                  });
    }

    void decodeEmergencySystems()
    {
        // The table has room for 32 records before 0x61A5, where the MD-380 family keeps its
        // contacts; reading on would take contact bytes for names.
        for (int i = 0; i < layout_.emergencySlots; ++i) {
            const auto record = recordAt(image_, layout_.emergencyRecordAt(i), EmergencyRecordSize);
            if (record.empty() || isEmptyNamedSlot(record))
                break;
            cp_.emergencySystems().append(std::make_unique<EmergencySystem>(
                getUtf16Name(record, 0, 16), std::vector<std::uint8_t>(record.begin(), record.end())));
        }
    }

    // Zone members are checked in both banks, all entries of each: a member that names no channel
    // would otherwise stay in the zone, be moved among the 16 of the zone record by a later delete,
    // or turn into a gap that hides the rest of its bank when the channels are sorted.
    void repairZoneMembers(Zone& zone)
    {
        const auto& channels = cp_.channels();
        for (int bank = 1; bank <= zone.bankCount(); ++bank) {
            zone.selectBank(bank);
            int i = 0;
            while (i < zone.entryCount()) {
                const int member = zone.member(i);
                if (member == 0 || channels.at(member - 1) || !zone.removeMember(i)) {
                    ++i;
                    continue;
                }
                log_.add("Invalid channel index " + std::to_string(member - 1) + " in zone '" + zone.name() +
                         "'; channel reference ignored, and zone corrected.\r\n");
                // The member that moved up into entry i is checked next.
            }
        }
        zone.selectBank(1);
    }

    void decodeZones()
    {
        const Zone prototype(*formats_.zone);
        const bool banked = prototype.bankCount() > 1;
        for (int i = 0; i < layout_.zoneSlots; ++i) {
            const auto record = recordAt(image_, layout_.zoneRecordAt(i), ZoneRecordSize);
            if (record.empty() || isEmptyNamedSlot(record))
                break;
            auto zone = std::make_unique<Zone>(prototype);
            auto& bytes = zone->familyRecord();
            std::copy(record.begin(), record.end(), bytes.begin());
            if (banked) {
                const auto extension = recordAt(image_, layout_.zoneExtensionAt(i), ZoneExtensionSize);
                std::copy(extension.begin(), extension.end(), bytes.begin() + ZoneRecordSize);
            }
            repairZoneMembers(*zone);
            cp_.zones().append(std::move(zone));
        }
    }

    void decodeRxGroupLists()
    {
        const auto slot = [this](int i) { return layout_.rxGroupRecordAt(i); };
        readTable(RxGroupList(*formats_.rxGroupList), layout_.rxGroupSlots, slot, RxGroupRecordSize, isEmptyNamedSlot,
                  [this](int, std::unique_ptr<RxGroupList> list) {
                      list->loadMemberCount();
                      cp_.rxGroupLists().append(std::move(list));
                  });
    }

    // A member that names no contact is only logged: the list keeps it.
    void checkRxGroupMembers()
    {
        const auto& contacts = cp_.contacts();
        for (const auto& list : cp_.rxGroupLists()) {
            for (int j = 0; j < list->memberCount(); ++j) {
                const int member = list->member(j);
                if (member == 0)
                    break;
                if (!contacts.at(member - 1))
                    log_.add("Invalid digital contact index " + std::to_string(member - 1) + " in RxGroup '" +
                             list->name() + "'\r\n");
            }
        }
    }

    void decodeScanLists()
    {
        const ScanList prototype(*formats_.scanList);
        const auto& channels = cp_.channels();
        for (int i = 0; i < layout_.scanListSlots; ++i) {
            const auto record = recordAt(image_, layout_.scanListRecordAt(i), ScanListRecordSize);
            if (record.empty() || isEmptyNamedSlot(record))
                break;
            auto list = std::make_unique<ScanList>(prototype);
            list->setFamilyRecord(record);
            for (int k = 0; k < list->entryCount();) {
                const int value = list->member(k);
                if (value == 0 || channels.at(value - 1) || !list->removeMember(k)) {
                    ++k;
                    continue;
                }
                log_.add("Invalid channel index " + std::to_string(value - 1) + " in scanlist '" + list->name() +
                         "'; scan list corrected.\r\n");
                // The member that moved up into entry k is checked next.
            }
            cp_.scanLists().append(std::move(list));
        }
    }

    // Checked only now that every table is loaded. The contact line of the channel table printed the
    // stored reference; these print the reference minus one.
    void checkChannelReferences()
    {
        const auto& contacts = cp_.contacts();
        const int rxGroupLists = cp_.rxGroupLists().count();
        const int emergencySystems = cp_.emergencySystems().count();
        const int scanLists = cp_.scanLists().count();
        int k = 0;
        for (const auto& channel : cp_.channels()) {
            ++k;
            const std::string suffix = std::to_string(k) + ", '" + channel->name() + "'\r\n";
            const int contact = channel->txContact();
            if (channel->isDigital() && contact != 0 && !contacts.at(contact - 1)) {
                channel->setTxContact(0);
                channel->refreshContactName(contacts);
            }
            const int group = channel->rxGroupList();
            if (group != 0 && group - 1 >= rxGroupLists) {
                log_.add("Invalid group list table index " + std::to_string(group - 1) + " in channel #" + suffix);
                channel->setRxGroupList(0);
            }
            const int system = channel->emergencySystem();
            if (system != 0 && system - 1 >= emergencySystems) {
                log_.add("Invalid emergency system table index " + std::to_string(system - 1) + " in channel #" +
                         suffix);
                channel->setEmergencySystem(0);
            }
            const int scanList = channel->scanList();
            if (scanList != 0 && scanList - 1 >= scanLists) {
                log_.add("Invalid scan list table index " + std::to_string(scanList - 1) + " in channel #" + suffix);
                channel->setScanList(0);
            }
        }
    }

    Codeplug& cp_;
    const TytLayout& layout_;
    const std::vector<std::uint8_t>& image_;
    const RecordFormats& formats_;
    ErrorLog& log_;
};

// ---- Encode ----

// Writes `count` records through `write(i, slot)` and the blank record into every later slot that
// does not already read as empty. Slot i lies at `first` + i·size.
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
    if (!isKnownFormat(formatId) || familyOf(formatId) != FormatFamily::TytFamily)
        return std::nullopt;
    // The MD-2017 and MD-9600 have the larger image, with more contacts and channels elsewhere
    // and the zone extension table.
    const bool large = isLargeTyt(formatId);
    TytLayout layout;
    layout.formatId = formatId;
    layout.imageSize = large ? Md2017ImageSize : Md380ImageSize;
    layout.contactSlots = large ? 10000 : 1000;
    layout.channelSlots = large ? 3000 : 1000;
    layout.emergencySlots = EmergencySlots;
    layout.zoneSlots = layout.scanListSlots = layout.rxGroupSlots = ListSlots;
    layout.contactTable = large ? Md2017ContactTable : Md380ContactTable;
    layout.channelTable = large ? Md2017ChannelTable : Md380ChannelTable;
    if (large)
        layout.zoneExtensionTable = ZoneExtensionTable;
    return layout;
}

// ---- Recognition ----

bool isMd9600File(const FileContent& file)
{
    return isMd2017FamilyFile(file, "MD9600") || isMd2017FamilyFile(file, "MD-UV380") ||
           isMd2017FamilyFile(file, "MD-UV390");
}

bool isMd2017File(const FileContent& file) { return isMd2017FamilyFile(file, "2017"); }

// Radios built on the MD-UV380 (DM-1701, RT84 and others) write their own model text into files of
// the MD-UV380's size. Taken by the MD-380 reader such a file would read the wrong tables and, once
// saved, damage them; only a file of the MD-380's size is left to that reader.
bool isUvLayoutFile(const FileContent& file)
{
    return file.fileSize >= ShortestUvFile && file.fileSize <= Md2017ImageSize + Md2017FileSlack &&
           hasDfuSePrefix(file.bytes);
}

bool isMd380File(const FileContent& file)
{
    return file.bytes.size() >= Md380ImageSize && file.fileSize <= LongestTytFile && hasDfuSePrefix(file.bytes);
}

std::unique_ptr<FormatCodec> takeMd9600File(FileContent file)
{
    return std::make_unique<TytCodec>(*TytLayout::forFormat(Md9600Format), std::move(file));
}

std::unique_ptr<FormatCodec> takeMd2017File(FileContent file)
{
    return std::make_unique<TytCodec>(*TytLayout::forFormat(Md2017Format), std::move(file));
}

std::unique_ptr<FormatCodec> takeMd380File(FileContent file)
{
    return std::make_unique<TytCodec>(*TytLayout::forFormat(Md380Format), std::move(file));
}

bool isMd380Image(const FileContent& file)
{
    return file.fileSize == Md380MemorySize && file.bytes.size() == Md380MemorySize;
}

bool isUvImage(const FileContent& file) { return file.fileSize == UvMemorySize && file.bytes.size() == UvMemorySize; }

std::unique_ptr<FormatCodec> takeMd380Image(FileContent file)
{
    return std::make_unique<TytCodec>(*TytLayout::forFormat(Md380Format), std::move(file), FileForm::RadioImage);
}

// An image of the MD-UV380's layout holds no model text: it opens as the format of that layout.
std::unique_ptr<FormatCodec> takeUvImage(FileContent file)
{
    return std::make_unique<TytCodec>(*TytLayout::forFormat(Md9600Format), std::move(file), FileForm::RadioImage);
}

// ---- The codec ----

TytCodec::TytCodec(const TytLayout& layout, FileContent file, FileForm form)
    : ImageCodec(RadioName, RadioDmrId), layout_(layout), form_(form)
{
    auto& bytes = file.bytes;
    if (form == FileForm::RadioImage) {
        // Kept in the vendor file's layout, its wrapping zero, so that every offset of the map holds.
        std::vector<std::uint8_t> image(layout.imageSize + BufferMargin, 0);
        placeMemory(image, std::span<const std::uint8_t>(bytes).first(memorySizeOf(layout.imageSize)));
        bytesRead_ = layout.imageSize;
        image_ = std::move(image);
        return;
    }
    bytesRead_ = std::min(bytes.size(), layout.imageSize);
    fileTail_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(bytesRead_), bytes.end());
    bytes.resize(layout.imageSize + BufferMargin, 0);
    image_ = std::move(bytes);
}

std::uint32_t TytCodec::featureFlags() const
{
    // The manufacturer code lies in the vendor file's wrapping, which an image does not have.
    if (form_ == FileForm::RadioImage)
        return (formatId() == Md380Format ? Md380Features : OtherFeatures) & ~feature::VendorChange;
    return formatId() == Md380Format ? Md380Features : OtherFeatures;
}

bool TytCodec::decode(Codeplug& codeplug)
{
    // Vendor software writes the 852534-byte images one byte short; a file shorter still was cut
    // off, and its missing tables would read as thousands of empty records and be saved short.
    if (bytesRead_ + MissingLastByteAllowed < layout_.imageSize) {
        codeplug.addMessage("the file is truncated (" + std::to_string(bytesRead_) + " of " +
                            std::to_string(layout_.imageSize) + " bytes)");
        return false;
    }
    TytDecoder(codeplug, layout_, image_).run();
    return true;
}

void TytCodec::encode(Codeplug& codeplug)
{
    static constexpr auto BlankContact = blankContactRecord();
    encodeTable(image_, layout_.contactRecordAt(0), layout_.contactSlots, codeplug.contacts().count(),
                ContactRecordSize, isEmptyContactSlot, BlankContact,
                [&](int i, Bytes slot) {
                    copyRecordOut<ContactRecordSize>(codeplug.contacts().at(i)->familyRecord(), slot);
                });

    static constexpr auto BlankChannel = blankChannelRecord();
    encodeTable(image_, layout_.channelRecordAt(0), layout_.channelSlots, codeplug.channels().count(),
                ChannelRecordSize, isEmptyChannelSlot, BlankChannel,
                [&](int i, Bytes slot) {
                    copyRecordOut<ChannelRecordSize>(codeplug.channels().at(i)->familyRecord(), slot);
                });

    const auto& formats = recordFormats();
    const auto blankRxGroup = formats.rxGroupList->blankRecord();
    encodeTable(image_, layout_.rxGroupRecordAt(0), layout_.rxGroupSlots, codeplug.rxGroupLists().count(),
                RxGroupRecordSize, isEmptyNamedSlot, blankRxGroup,
                [&](int i, Bytes slot) { copyOut(codeplug.rxGroupLists().at(i)->familyRecord(), slot); });

    // Zones write their extension records with them.
    const auto blankZone = formats.zone->blankRecord();
    const int zones = codeplug.zones().count();
    for (int i = 0; i < layout_.zoneSlots; ++i) {
        const auto record = recordAt(image_, layout_.zoneRecordAt(i), ZoneRecordSize);
        if (record.empty())
            break;
        if (i >= zones && isEmptyNamedSlot(record))
            continue;
        const ConstBytes zone = i < zones ? ConstBytes(codeplug.zones().at(i)->familyRecord()) : ConstBytes(blankZone);
        copyOut(zone.first(std::min(zone.size(), ZoneRecordSize)), record);
        const auto extension = recordAt(image_, layout_.zoneExtensionAt(i), ZoneExtensionSize);
        if (zone.size() > ZoneRecordSize)
            copyOut(zone.subspan(ZoneRecordSize), extension);
    }

    const auto blankScanList = formats.scanList->blankRecord();
    encodeTable(image_, layout_.scanListRecordAt(0), layout_.scanListSlots, codeplug.scanLists().count(),
                ScanListRecordSize, isEmptyNamedSlot, blankScanList,
                [&](int i, Bytes slot) { copyOut(codeplug.scanLists().at(i)->familyRecord(), slot); });
}

bool TytCodec::writeFile(Codeplug& /*codeplug*/, ByteSink& sink, std::string& /*why*/)
{
    if (form_ == FileForm::RadioImage) {
        const std::span<const std::uint8_t> image(image_);
        const std::size_t memorySize = memorySizeOf(layout_.imageSize);
        const bool written = sink.write(image.subspan(MemoryStart, std::min(memorySize, FirstMemoryPart)));
        if (memorySize <= FirstMemoryPart || !written)
            return written;
        return sink.write(image.subspan(SecondMemoryPartStart, memorySize - FirstMemoryPart));
    }
    // A file shorter than its image (vendor software writes MD-UV380 files one byte short) keeps its
    // length, unless an edit wrote data past its end.
    std::size_t length = std::min(layout_.imageSize, image_.size());
    if (bytesRead_ < length) {
        std::size_t last = length;
        while (last > bytesRead_ && image_[last - 1] == 0)
            --last;
        length = last;
    }
    // Bytes of the file beyond the part its format reads go back after the image.
    return sink.write(std::span<const std::uint8_t>(image_.data(), length)) && sink.write(fileTail_);
}

std::string TytCodec::modelText() const { return getLatin1Text(image_, DfuSeDataOffset, 32); }

} // namespace pw::tyt
