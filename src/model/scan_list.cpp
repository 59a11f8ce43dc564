#include "model/scan_list.h"

#include "model/byte_field.h"
#include "model/channel.h"
#include "model/error_log.h"
#include "model/field_readers.h"
#include "model/index_remap.h"

#include <algorithm>

namespace pw {
namespace {

constexpr std::size_t NameUnits = 16;
constexpr std::size_t NameCharacters = 16;

constexpr std::size_t TytHeader = 32;
constexpr std::size_t TytMembers = 42;
// The header of a blank list as the vendor software writes it: no priority channels (0xFFFF), no
// designated transmit channel, then its hold and sample times. Zero words would name a channel.
constexpr std::array<std::uint8_t, 10> TytBlankHeader = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF1, 0x14, 0x08, 0xFF};

constexpr std::size_t RdbCountPlusOne = 38;
constexpr std::size_t RdbMembers = 66;

constexpr std::size_t D868RecordNumber = 0;
constexpr std::size_t D868InUse = 2;
constexpr std::size_t D868Name = 4;
constexpr std::size_t D868NameField = 17;  // 16 characters and the terminator before byte 21
constexpr std::size_t D868Count = 32;
constexpr std::size_t D868MemberFlags = 34;
constexpr std::size_t D868Members = 134;

std::size_t wordAt(std::size_t base, int i) { return base + 2 * static_cast<std::size_t>(i); }

} // namespace

int scanListMemberLimit(FormatId formatId)
{
    return familyOf(formatId) == FormatFamily::D868Family ? ScanList::D868MemberSlots : ScanList::MemberSlots;
}

ScanList::ScanList(FormatId formatId) : formatId_(formatId)
{
    std::copy(TytBlankHeader.begin(), TytBlankHeader.end(), tyt_.begin() + TytHeader);

    setU16Le(rdb_, 32, 0xFFFF);
    setU16Le(rdb_, 34, 0xFFFF);
    setU8(rdb_, RdbCountPlusOne, 1);
    setU8(rdb_, 39, 2);
    setU8(rdb_, 41, 13);
    setU8(rdb_, 42, 20);
    setU8(rdb_, 43, 20);

    setU16Le(d868_, D868RecordNumber, 1);
    setU16Le(d868_, D868InUse, 1);
    setU8(d868_, 28, 5);
    setU8(d868_, 29, 5);
    setU8(d868_, 30, 1);
    setU8(d868_, 31, 1);
}

std::string ScanList::name() const
{
    switch (family()) {
    case FormatFamily::D868Family: return getCString(d868_, D868Name, NameCharacters);
    case FormatFamily::RdbFamily: return getUtf16Name(rdb_, 0, NameUnits);
    default: return getUtf16Name(tyt_, 0, NameUnits);
    }
}

void ScanList::setName(std::string_view name)
{
    setCString(d868_, D868Name, D868NameField, name, NameCharacters);
    setUtf16Name(tyt_, 0, NameUnits, name);
    setUtf16Name(rdb_, 0, NameUnits, name);
}

// ---- Member storage ----
//
// TYT lists keep 31 words whose non-zero entries are the members; RDB and D868 lists keep a count
// and the members in the entries below it.

int ScanList::entryCount() const
{
    return family() == FormatFamily::D868Family ? D868MemberSlots : MemberSlots;
}

int ScanList::memberCount() const
{
    switch (family()) {
    case FormatFamily::RdbFamily: return std::clamp(getU8(rdb_, RdbCountPlusOne) - 1, 0, MemberSlots);
    case FormatFamily::D868Family: return std::min<int>(getU16Le(d868_, D868Count), D868MemberSlots);
    default: {
        int count = 0;
        for (int i = 0; i < MemberSlots; ++i)
            count += rawMember(i) != 0 ? 1 : 0;
        return count;
    }
    }
}

void ScanList::setCount(int count)
{
    if (family() == FormatFamily::RdbFamily)
        setU8(rdb_, RdbCountPlusOne, static_cast<unsigned>(std::clamp(count, 0, MemberSlots) + 1));
    else if (family() == FormatFamily::D868Family)
        setU16Le(d868_, D868Count, static_cast<std::uint32_t>(std::clamp(count, 0, D868MemberSlots)));
}

int ScanList::rawMember(int i) const
{
    if (i < 0 || i >= entryCount())
        return 0;
    switch (family()) {
    case FormatFamily::RdbFamily: return getU16Le(rdb_, wordAt(RdbMembers, i));
    case FormatFamily::D868Family: return getU16Le(d868_, wordAt(D868Members, i));
    default: return getU16Le(tyt_, wordAt(TytMembers, i));
    }
}

bool ScanList::holdsMember(int i) const
{
    if (i < 0 || i >= entryCount())
        return false;
    if (family() == FormatFamily::RdbFamily || family() == FormatFamily::D868Family)
        return i < memberCount();
    return rawMember(i) != 0;
}

int ScanList::member(int i) const
{
    return holdsMember(i) ? rawMember(i) : 0;
}

void ScanList::setMember(int i, int value)
{
    if (i < 0 || i >= entryCount())
        return;
    const auto word = static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF));
    switch (family()) {
    case FormatFamily::RdbFamily: setU16Le(rdb_, wordAt(RdbMembers, i), word); break;
    case FormatFamily::D868Family: setU16Le(d868_, wordAt(D868Members, i), word); break;
    default: setU16Le(tyt_, wordAt(TytMembers, i), word); break;
    }
}

bool ScanList::hasMember(int value) const
{
    if (value == 0)
        return false;
    for (int i = 0; i < entryCount(); ++i)
        if (member(i) == value)
            return true;
    return false;
}

int ScanList::addMember(int channelIndex, const RecordList<Channel>& channels)
{
    const Channel* channel = channels.at(channelIndex);
    if (!channel || memberCount() >= memberLimit())
        return 0;
    const int value = family() == FormatFamily::RdbFamily ? channel->slotNumber() : channelIndex + 1;
    if (value <= 0 || hasMember(value))
        return 0;

    if (family() == FormatFamily::RdbFamily || family() == FormatFamily::D868Family) {
        const int count = memberCount();
        setMember(count, value);
        if (family() == FormatFamily::D868Family)
            setU16Le(d868_, wordAt(D868MemberFlags, count), 0);
        setCount(count + 1);
        return 1;
    }
    for (int i = 0; i < MemberSlots; ++i) {
        if (rawMember(i) == 0) {
            setMember(i, value);
            return 1;
        }
    }
    return 0;
}

bool ScanList::removeMember(int i)
{
    if (!holdsMember(i))
        return false;
    // RDB moves cover all 31 entries, D868 moves the members below the count.
    const int end = family() == FormatFamily::D868Family ? memberCount() : entryCount();
    for (int j = i; j + 1 < end; ++j)
        setMember(j, rawMember(j + 1));
    setMember(end - 1, 0);
    setCount(memberCount() - 1);
    return true;
}

bool ScanList::moveMemberUp(int i)
{
    if (i <= 0 || !holdsMember(i) || !holdsMember(i - 1))
        return false;
    const int above = member(i - 1);
    setMember(i - 1, member(i));
    setMember(i, above);
    return true;
}

bool ScanList::moveMemberDown(int i)
{
    if (i < 0 || !holdsMember(i) || !holdsMember(i + 1))
        return false;
    const int below = member(i + 1);
    setMember(i + 1, member(i));
    setMember(i, below);
    return true;
}

int ScanList::memberChannelIndex(int i, const RecordList<Channel>& channels) const
{
    const int value = member(i);
    if (value <= 0)
        return -1;
    if (family() != FormatFamily::RdbFamily)
        return value - 1;
    for (int index = 0; index < channels.count(); ++index)
        if (channels.at(index)->slotNumber() == value)
            return index;
    return -1;
}

int ScanList::validateMembers(const RecordList<Channel>& channels, ErrorLog& log)
{
    if (family() != FormatFamily::TytFamily)
        return 0;
    int removed = 0;
    for (int i = 0; i < MemberSlots;) {
        const int value = rawMember(i);
        if (value == 0 || channels.at(value - 1) || !removeMember(i)) {
            ++i;
            continue;
        }
        log.add("Invalid channel index " + std::to_string(value - 1) + " in scanlist '" + name() +
                "'; scan list corrected.\r\n");
        ++removed;
        // The member that moved up into entry i is checked next.
    }
    return removed;
}

void ScanList::forgetChannel(int position)
{
    if (family() == FormatFamily::RdbFamily || position <= 0)
        return;
    for (int i = 0; i < entryCount(); ++i) {
        if (holdsMember(i) && member(i) == position) {
            removeMember(i);
            break;
        }
    }
    for (int i = 0; i < entryCount(); ++i)
        if (member(i) > position)
            setMember(i, member(i) - 1);
}

void ScanList::removeSlot(int slot)
{
    if (family() != FormatFamily::RdbFamily || slot <= 0)
        return;
    for (int i = 0; i < entryCount(); ++i) {
        if (member(i) == slot) {
            removeMember(i);
            return;
        }
    }
}

void ScanList::remapMembers(const IndexRemap& remap)
{
    for (int i = 0; i < entryCount(); ++i)
        if (member(i) > 0)
            setMember(i, remap.lookup(member(i)));
}

std::string ScanList::toLine(const RecordList<Channel>* channels) const
{
    if (!channels)
        return "[Error]";
    if (memberCount() == 0)
        return "[Empty]";
    std::string line = "\"" + name() + "\",";
    bool first = true;
    for (int i = 0; i < entryCount(); ++i) {
        if (!holdsMember(i))
            continue;
        std::string channelName;
        const int index = memberChannelIndex(i, *channels);
        if (index < 0)
            channelName = "Index_Error";
        else if (const Channel* channel = channels->at(index))
            channelName = channel->name();
        else
            channelName = "Channel_Null";
        if (!first)
            line += ',';
        line += "\"" + channelName + "\"";
        first = false;
    }
    return line;
}

int ScanList::fromLine(std::string_view line, const ChannelFinder& findChannel, const RecordList<Channel>& channels)
{
    std::string text;
    CsvFieldReader::field(line, 0, NameCharacters, text);
    setName(text);
    if (CsvFieldReader::field(line, 1, 0, text) < 0)
        return 0;
    for (int field = 1; field <= memberLimit(); ++field) {
        if (CsvFieldReader::field(line, field, 0, text) < 0)
            break;
        const int index = findChannel ? findChannel(text) : -1;
        if (index >= 0)
            addMember(index, channels);
    }
    return 1;
}

int ScanList::d868RecordNumber() const { return getU16Le(d868_, D868RecordNumber); }
void ScanList::setD868RecordNumber(int number) { setU16Le(d868_, D868RecordNumber, static_cast<std::uint32_t>(number)); }

} // namespace pw
