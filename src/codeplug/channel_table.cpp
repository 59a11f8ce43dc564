// The codeplug's operations on its channel table. Zones and scan lists refer to channels by
// 1-based table position (TYT, D868) or by image slot (RDB), so every delete and sort here repairs
// those references.
//
// RDB images keep channels in numbered slots (record of slot s at channelRecords + 32·s, name at
// channelNames + 16·(s − 1)) and list the slots in table order in the slot-order table: a u16 count,
// then one u16 slot number per channel, followed by a 0.

#include "codeplug/codeplug.h"

#include "model/byte_field.h"
#include "model/index_remap.h"
#include "model/letter_case.h"
#include "model/six_bit_text.h"

#include <algorithm>

namespace pw {
namespace {

constexpr std::size_t RdbChannelRecordSize = Channel::RdbRecordSize;
constexpr std::size_t RdbChannelNameEntrySize = 16;
constexpr std::size_t RdbModelText = 0x2000;
constexpr std::size_t RdbModelTextSize = 16;
// C0 of the D868 count table: the channel records of the file.
constexpr int D868ChannelCount = 0;

// The highest slot whose record and name entry lie inside their tables.
int rdbSlotLimit(const RdbLayout& layout) { return layout.highestSlot(); }

// The slot-order table as the model has it: the slots of the channels in table order.
std::vector<std::uint16_t> slotsInTableOrder(const RecordList<Channel>& channels)
{
    std::vector<std::uint16_t> slots;
    slots.reserve(static_cast<std::size_t>(channels.count()));
    for (const auto& channel : channels)
        slots.push_back(static_cast<std::uint16_t>(std::clamp(channel->slotNumber(), 0, 0xFFFF)));
    return slots;
}

void writeSlotOrderTable(Codeplug& codeplug, const std::vector<std::uint16_t>& slots)
{
    Bytes image(codeplug.rdbImage());
    const auto table = codeplug.rdbLayout().slotOrderTable;
    setU16Le(image, table, static_cast<std::uint32_t>(slots.size()));
    for (std::size_t i = 0; i < slots.size(); ++i)
        setU16Le(image, table + 2 + 2 * i, slots[i]);
    setU16Le(image, table + 2 + 2 * slots.size(), 0);
}

// Writes the channel's record and name into image slot `slot`; a slot outside the tables is left
// alone.
void writeRdbChannelSlot(Codeplug& codeplug, const Channel& channel, int slot)
{
    const auto& layout = codeplug.rdbLayout();
    if (slot < 1 || slot > rdbSlotLimit(layout))
        return;
    Bytes image(codeplug.rdbImage());
    const auto s = static_cast<std::size_t>(slot);
    const auto record = layout.channelRecords + RdbChannelRecordSize * s;
    const auto name = layout.channelNames + RdbChannelNameEntrySize * (s - 1);
    if (!inBounds(image, record, RdbChannelRecordSize) || !inBounds(image, name, Channel::RdbNameSize))
        return;
    std::copy(channel.rdbChannelRecord().begin(), channel.rdbChannelRecord().end(), image.begin() + static_cast<std::ptrdiff_t>(record));
    // Only the 12 bytes of the packed name; the entry's last four bytes are not ours.
    std::copy(channel.rdbChannelName().begin(), channel.rdbChannelName().end(), image.begin() + static_cast<std::ptrdiff_t>(name));
}

int compareNumbers(double a, double b) { return a < b ? -1 : a > b ? 1 : 0; }

// Texts compare as unsigned bytes: std::string::compare uses char_traits<char>, which does.
int compareTexts(const std::string& a, const std::string& b)
{
    const int result = a.compare(b);
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

// A channel without a tone sorts as the lowest inverted DCS code would.
std::string toneSortText(ToneCode code) { return code.isNone() ? "D000I" : code.text(); }

// Columns of the channel list: "No.", "Channel Name", "Rx Freq", "Mode", " BW", "Tx Freq", "Admit",
// "PWR", "Slot", "Color", "T-Enc/Contact", "R-Dec/Grp".
int compareChannels(const Channel& a, const Channel& b, int column, std::string_view radioModel)
{
    switch (column) {
    case 2: return compareNumbers(a.rxFrequency(), b.rxFrequency());
    case 3: return compareNumbers(a.isDigital() ? 0 : 1, b.isDigital() ? 0 : 1);
    case 4:
        return compareNumbers(a.bandwidth() == Bandwidth::Wide25k ? 1 : 0, b.bandwidth() == Bandwidth::Wide25k ? 1 : 0);
    case 5: return compareNumbers(a.txFrequency(), b.txFrequency());
    case 6: return compareTexts(a.admitText(), b.admitText());
    case 7: return compareTexts(a.powerText(radioModel), b.powerText(radioModel));
    case 8: return compareNumbers(a.timeSlot(), b.timeSlot());
    case 9: return compareNumbers(a.colorCode(), b.colorCode());
    case 10: {
        auto key = [](const Channel& c) { return c.isDigital() ? c.contactNameCache() : toneSortText(c.ctcssEncode()); };
        return compareTexts(key(a), key(b));
    }
    case 11: {
        auto key = [](const Channel& c) {
            return c.isDigital() ? std::to_string(c.rxGroupList()) : toneSortText(c.ctcssDecode());
        };
        return compareTexts(key(a), key(b));
    }
    default: return compareTexts(a.name(), b.name());
    }
}

} // namespace

std::string Codeplug::radioModelName() const
{
    if (family() != FormatFamily::RdbFamily)
        return {};
    return getCString(rdbImage_, RdbModelText, RdbModelTextSize);
}

std::vector<std::uint16_t> Codeplug::slotOrderTable() const
{
    if (!loaded_ || family() != FormatFamily::RdbFamily)
        return {};
    const auto table = rdbLayout_.slotOrderTable;
    // A count beyond the table's capacity comes from a damaged image; the entries past it are not
    // slot numbers.
    const int count = std::min<int>(getU16Le(rdbImage_, table), channelCapacity(formatId_));
    std::vector<std::uint16_t> slots;
    slots.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        slots.push_back(getU16Le(rdbImage_, table + 2 + 2 * static_cast<std::size_t>(i)));
    return slots;
}

int Codeplug::addChannel(const Channel& channel)
{
    if (!loaded_ || channel.formatId() != formatId_ || !isKnownFormat(formatId_))
        return NotLoadedRefused;
    if (channels_.count() >= channelCapacity(formatId_))
        return TableFullRefused;
    if (findChannelByName(channel.name()) >= 0)
        return DuplicateRefused;

    auto added = std::make_unique<Channel>(channel);
    if (family() == FormatFamily::RdbFamily) {
        // A slot counts as used when the image's table or the model holds it, so that a damaged
        // table never leads to overwriting a channel.
        auto used = slotOrderTable();
        const auto order = slotsInTableOrder(channels_);
        used.insert(used.end(), order.begin(), order.end());
        std::sort(used.begin(), used.end());
        int slot = 1;
        for (const auto taken : used) {
            if (taken == slot)
                ++slot;
            else if (taken > slot)
                break;
        }
        if (slot > rdbSlotLimit(rdbLayout_))
            return TableFullRefused;
        added->setSlotNumber(slot);
        auto newOrder = order;
        newOrder.push_back(static_cast<std::uint16_t>(slot));
        writeSlotOrderTable(*this, newOrder);
        writeRdbChannelSlot(*this, *added, slot);
    } else if (family() == FormatFamily::D868Family) {
        d868_.setCount(D868ChannelCount, d868_.count(D868ChannelCount) + 1);
    }
    channels_.append(std::move(added));
    markChanged();
    return Added;
}

void Codeplug::deleteChannel(int index)
{
    if (!loaded_ || index < 0 || index >= channels_.count())
        return;

    if (family() == FormatFamily::RdbFamily) {
        // The table always keeps one channel.
        if (channels_.count() < 2)
            return;
        const int slot = channels_.at(index)->slotNumber();
        channels_.deleteAt(index);
        writeSlotOrderTable(*this, slotsInTableOrder(channels_));
        // Members are slot numbers, which do not move; a zone left empty gets the first channel.
        const int replacement = channels_.empty() ? 0 : channels_.at(0)->slotNumber();
        for (const auto& zone : zones_)
            zone->removeSlot(slot, replacement);
        for (const auto& list : scanLists_)
            list->removeSlot(slot);
    } else {
        // A D868 codeplug always keeps one channel.
        if (family() == FormatFamily::D868Family && channels_.count() < 2)
            return;
        const int position = index + 1;
        for (const auto& zone : zones_)
            zone->forgetChannel(position);
        for (const auto& list : scanLists_)
            list->forgetChannel(position);
        channels_.deleteAt(index);
        if (family() == FormatFamily::D868Family)
            d868_.setCount(D868ChannelCount, d868_.count(D868ChannelCount) - 1);
    }
    encode();
    markChanged();
}

void Codeplug::sortChannels(int column)
{
    const int n = channels_.count();
    if (!loaded_ || n < 2)
        return;
    const std::string radioModel = radioModelName();
    for (int i = 0; i < n; ++i) {
        auto* channel = channels_.at(i);
        channel->setSortPosition(i + 1);
        channel->setD868RecordNumber(i + 1);
    }
    channels_.sortBy([column, &radioModel](const Channel& a, const Channel& b) {
        return compareChannels(a, b, column, radioModel);
    });

    if (family() == FormatFamily::RdbFamily) {
        // Zones and scan lists hold slot numbers, which stay; only the order of the slots changes.
        writeSlotOrderTable(*this, slotsInTableOrder(channels_));
    } else {
        IndexRemap remap(n, prompts_);
        for (int j = 1; j <= n; ++j)
            remap.remap(j, channels_.at(j - 1)->sortPosition());
        remap.finalize();
        for (const auto& zone : zones_)
            zone->remapMembers(remap);
        for (const auto& list : scanLists_)
            list->remapMembers(remap);
    }
    encode();
    markChanged();
}

int Codeplug::findChannelByName(std::string_view name) const
{
    const std::string wanted = family() == FormatFamily::RdbFamily ? SixBitText::normalize(name) : std::string(name);
    for (int i = 0; i < channels_.count(); ++i)
        if (equalsIgnoringCase(channels_.at(i)->name(), wanted))
            return i;
    return -1;
}

bool Codeplug::isContactUsed(int index) const
{
    for (const auto& channel : channels_)
        if (channel->isDigital() && channel->txContact() == index + 1)
            return true;
    return false;
}

void Codeplug::refreshContactNames()
{
    if (!loaded_)
        return;
    for (const auto& channel : channels_)
        channel->refreshContactName(contacts_);
}

} // namespace pw
