#include "model/zone.h"

#include "model/channel.h"
#include "model/error_log.h"
#include "model/index_remap.h"
#include "model/list_support.h"

#include <algorithm>

namespace pw {
namespace {

constexpr std::size_t NameUnits = 16;
constexpr std::size_t NameCharacters = 16;

constexpr std::size_t TytMembers = 32;      // 16 words: bank A members 1-16
constexpr int TytRecordMembers = 16;
constexpr int TytExtensionBankA = 48;       // words 0-47: bank A members 17-64

constexpr std::size_t RdbCountByte = 36;
constexpr std::size_t RdbMembers = 48;
constexpr int RdbMemberSlots = 16;

constexpr std::size_t D868RecordNumber = 0;
constexpr std::size_t D868InUse = 2;
constexpr std::size_t D868Count = 4;
constexpr std::size_t D868Members = 6;
constexpr std::size_t D868NewZoneWordA = 506;
constexpr std::size_t D868NewZoneWordB = 508;
constexpr std::size_t D868Name = 520;

// The TYT and RDB decoders check the entries that the zone record itself holds.
constexpr int CheckedRecordEntries = 16;

void copyBytes(ConstBytes from, Bytes to)
{
    std::copy_n(from.begin(), std::min(from.size(), to.size()), to.begin());
}

// An entry holds a member when it is not empty; in a D868 zone when it lies below the count.
bool holdsMember(const Zone& zone, int i)
{
    if (zone.family() == FormatFamily::D868Family)
        return i >= 0 && i < zone.memberCount();
    return zone.member(i) != 0;
}

} // namespace

int zoneCapacity(FormatId formatId)
{
    if (hasZoneBanks(formatId))
        return Zone::TytBankSlots;
    if (familyOf(formatId) == FormatFamily::D868Family)
        return Zone::D868MaxMembers;
    return 16;
}

int zoneBankCount(FormatId formatId)
{
    return hasZoneBanks(formatId) ? 2 : 1;
}

Zone::Zone(FormatId formatId) : formatId_(formatId)
{
    setU16Le(d868_, D868RecordNumber, 1);
    setU16Le(d868_, D868InUse, 1);
    setU16Le(d868_, D868NewZoneWordA, 1);
    setU16Le(d868_, D868NewZoneWordB, 1);
    setCString(d868_, D868Name, NameCharacters, "New Zone", NameCharacters);
}

std::string Zone::name() const
{
    switch (family()) {
    case FormatFamily::D868Family: return getCString(d868_, D868Name, NameCharacters);
    case FormatFamily::RdbFamily: return getUtf16Name(rdb_, 0, NameUnits);
    default: return getUtf16Name(tyt_, 0, NameUnits);
    }
}

void Zone::setName(std::string_view name)
{
    setCString(d868_, D868Name, NameCharacters, name, NameCharacters);
    setUtf16Name(tyt_, 0, NameUnits, name);
    setUtf16Name(rdb_, 0, NameUnits, name);
}

void Zone::selectBank(int bank)
{
    if (bankCount() < 2)
        return;
    currentBank_ = bank >= 2 ? 2 : 1;
}

// ---- Storage of the current bank ----
//
// TYT zones (and zones of an unknown family) keep their members in the working table, RDB zones in
// the 16 words of their record with the count byte beside them, D868 zones in the block's word
// array behind its count word.

int Zone::entryCount() const
{
    switch (family()) {
    case FormatFamily::RdbFamily: return RdbMemberSlots;
    case FormatFamily::D868Family: return D868MaxMembers;
    default: return capacity();
    }
}

int Zone::rdbCountByte() const { return getU8(rdb_, RdbCountByte); }
void Zone::setRdbCountByte(int count) { setU8(rdb_, RdbCountByte, static_cast<unsigned>(std::clamp(count, 0, 255))); }
int Zone::d868Count() const { return std::min<int>(getU16Le(d868_, D868Count), D868MaxMembers); }
void Zone::setD868Count(int count) { setU16Le(d868_, D868Count, static_cast<std::uint32_t>(std::clamp(count, 0, D868MaxMembers))); }

int Zone::memberCount() const
{
    switch (family()) {
    case FormatFamily::RdbFamily: return std::min(rdbCountByte(), RdbMemberSlots);
    case FormatFamily::D868Family: return d868Count();
    default: {
        // The radio reads a bank up to its first empty entry.
        int count = 0;
        while (count < entryCount() && member(count) != 0)
            ++count;
        return count;
    }
    }
}

int Zone::member(int i) const
{
    if (i < 0 || i >= entryCount())
        return 0;
    switch (family()) {
    case FormatFamily::RdbFamily: return getU16Le(rdb_, RdbMembers + 2 * static_cast<std::size_t>(i));
    case FormatFamily::D868Family:
        if (i >= d868Count())
            return 0;
        return getU16Le(d868_, D868Members + 2 * static_cast<std::size_t>(i));
    default:
        return static_cast<int>(tytMembers_[static_cast<std::size_t>(currentBank_ - 1)][static_cast<std::size_t>(i)]);
    }
}

void Zone::setMember(int i, int value)
{
    if (i < 0 || i >= entryCount())
        return;
    const auto word = static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF));
    switch (family()) {
    case FormatFamily::RdbFamily: setU16Le(rdb_, RdbMembers + 2 * static_cast<std::size_t>(i), word); break;
    case FormatFamily::D868Family: setU16Le(d868_, D868Members + 2 * static_cast<std::size_t>(i), word); break;
    default:
        tytMembers_[static_cast<std::size_t>(currentBank_ - 1)][static_cast<std::size_t>(i)] =
            static_cast<std::uint32_t>(std::max(value, 0));
        break;
    }
}

bool Zone::hasMember(int value) const
{
    if (value == 0)
        return false;
    for (int i = 0; i < entryCount(); ++i)
        if (member(i) == value)
            return true;
    return false;
}

void Zone::shiftOut(int i)
{
    const int end = family() == FormatFamily::D868Family ? d868Count() : entryCount();
    for (int j = i; j + 1 < end; ++j)
        setMember(j, member(j + 1));
    setMember(end - 1, 0);
}

bool Zone::removeMember(int i)
{
    if (!holdsMember(*this, i))
        return false;
    shiftOut(i);
    if (family() == FormatFamily::RdbFamily)
        setRdbCountByte(std::max(rdbCountByte() - 1, 0));
    else if (family() == FormatFamily::D868Family)
        setD868Count(d868Count() - 1);
    return true;
}

bool Zone::moveMemberUp(int i)
{
    if (i <= 0 || !holdsMember(*this, i) || !holdsMember(*this, i - 1))
        return false;
    const int above = member(i - 1);
    setMember(i - 1, member(i));
    setMember(i, above);
    return true;
}

bool Zone::moveMemberDown(int i)
{
    if (i < 0 || !holdsMember(*this, i) || !holdsMember(*this, i + 1))
        return false;
    const int below = member(i + 1);
    setMember(i + 1, member(i));
    setMember(i, below);
    return true;
}

int Zone::addMember(int channelIndex, const RecordList<Channel>& channels)
{
    const Channel* channel = channels.at(channelIndex);
    if (!channel)
        return 0;
    const int value = family() == FormatFamily::RdbFamily ? channel->slotNumber() : channelIndex + 1;
    if (value <= 0 || hasMember(value))
        return 0;

    switch (family()) {
    case FormatFamily::D868Family: {
        const int count = d868Count();
        if (count >= D868MaxMembers)
            return 0;
        setU16Le(d868_, D868Members + 2 * static_cast<std::size_t>(count), static_cast<std::uint32_t>(value));
        setD868Count(count + 1);
        return 1;
    }
    case FormatFamily::RdbFamily:
        if (rdbCountByte() >= RdbMemberSlots)
            return 0;
        [[fallthrough]];
    default:
        for (int i = 0; i < entryCount(); ++i) {
            if (member(i) == 0) {
                setMember(i, value);
                if (family() == FormatFamily::RdbFamily)
                    setRdbCountByte(rdbCountByte() + 1);
                return 1;
            }
        }
        return 0;
    }
}

int Zone::addMemberByName(std::string_view name, const RecordList<Channel>& channels)
{
    for (int i = 0; i < channels.count(); ++i)
        if (list_support::equalsIgnoringCase(channels.at(i)->name(), name))
            return addMember(i, channels);
    return 0;
}

int Zone::memberChannelIndex(int i, const RecordList<Channel>& channels) const
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

int Zone::validateMembers(const RecordList<Channel>& channels, ErrorLog& log)
{
    const int savedBank = currentBank_;
    currentBank_ = 1;
    int removed = 0;
    const bool d868 = family() == FormatFamily::D868Family;
    int i = 0;
    while (d868 ? i < memberCount() : i < std::min(CheckedRecordEntries, entryCount())) {
        const int value = member(i);
        const bool empty = !d868 && value == 0;
        const int index = memberChannelIndex(i, channels);
        if (empty || channels.at(index)) {
            ++i;
            continue;
        }
        if (!removeMember(i)) {
            ++i;
            continue;
        }
        log.add("Invalid channel index " + std::to_string(value - 1) + " in zone '" + name() +
                "'; channel reference ignored, and zone corrected.\r\n");
        ++removed;
        // The member that moved up into entry i is checked next.
    }
    currentBank_ = savedBank;
    return removed;
}

template <typename Action>
void Zone::forEachBank(Action action)
{
    const int savedBank = currentBank_;
    for (int bank = 1; bank <= bankCount(); ++bank) {
        currentBank_ = bank;
        action();
    }
    currentBank_ = savedBank;
}

void Zone::forgetChannel(int position)
{
    if (family() == FormatFamily::RdbFamily || position <= 0)
        return;
    forEachBank([&] {
        for (int i = 0; i < entryCount();) {
            if (holdsMember(*this, i) && member(i) == position && removeMember(i))
                continue;
            ++i;
        }
        for (int i = 0; i < entryCount(); ++i)
            if (member(i) > position)
                setMember(i, member(i) - 1);
    });
}

void Zone::removeSlot(int slot, int replacementSlot)
{
    if (family() != FormatFamily::RdbFamily || slot <= 0)
        return;
    forEachBank([&] {
        bool removedAny = false;
        for (int i = 0; i < entryCount();) {
            if (member(i) == slot && removeMember(i)) {
                removedAny = true;
                continue;
            }
            ++i;
        }
        bool empty = true;
        for (int i = 0; i < entryCount(); ++i)
            empty = empty && member(i) == 0;
        if (removedAny && empty && replacementSlot > 0) {
            setMember(0, replacementSlot);
            setRdbCountByte(1);
        }
    });
}

void Zone::remapMembers(const IndexRemap& remap)
{
    forEachBank([&] {
        for (int i = 0; i < entryCount(); ++i)
            if (member(i) > 0)
                setMember(i, remap.lookup(member(i)));
    });
}

// ---- Codec support ----

void Zone::tieToImage()
{
    if (hasZoneBanks(formatId_) && !tytExtension_)
        tytExtension_.emplace();
}

void Zone::loadTytMembers()
{
    auto& bankA = tytMembers_[0];
    auto& bankB = tytMembers_[1];
    bankA.fill(0);
    bankB.fill(0);
    for (int i = 0; i < TytRecordMembers; ++i)
        bankA[static_cast<std::size_t>(i)] = getU16Le(tyt_, TytMembers + 2 * static_cast<std::size_t>(i));
    if (!tytExtension_)
        return;
    const ConstBytes extension(*tytExtension_);
    for (int i = 0; i < TytExtensionBankA; ++i)
        bankA[static_cast<std::size_t>(TytRecordMembers + i)] = getU16Le(extension, 2 * static_cast<std::size_t>(i));
    for (int i = 0; i < TytBankSlots; ++i)
        bankB[static_cast<std::size_t>(i)] =
            getU16Le(extension, 2 * static_cast<std::size_t>(TytExtensionBankA + i));
}

void Zone::storeTytMembers()
{
    const auto& bankA = tytMembers_[0];
    const auto& bankB = tytMembers_[1];
    for (int i = 0; i < TytRecordMembers; ++i)
        setU16Le(tyt_, TytMembers + 2 * static_cast<std::size_t>(i), bankA[static_cast<std::size_t>(i)] & 0xFFFF);
    if (!tytExtension_)
        return;
    const Bytes extension(*tytExtension_);
    for (int i = 0; i < TytExtensionBankA; ++i)
        setU16Le(extension, 2 * static_cast<std::size_t>(i), bankA[static_cast<std::size_t>(TytRecordMembers + i)] & 0xFFFF);
    for (int i = 0; i < TytBankSlots; ++i)
        setU16Le(extension, 2 * static_cast<std::size_t>(TytExtensionBankA + i), bankB[static_cast<std::size_t>(i)] & 0xFFFF);
}

void Zone::readTytImage(ConstBytes record, ConstBytes extension)
{
    tyt_.fill(0);
    copyBytes(record, tyt_);
    tieToImage();
    if (tytExtension_) {
        tytExtension_->fill(0);
        copyBytes(extension, *tytExtension_);
    }
    loadTytMembers();
}

void Zone::writeTytImage(Bytes record, Bytes extension)
{
    storeTytMembers();
    copyBytes(tyt_, record);
    if (tytExtension_)
        copyBytes(*tytExtension_, extension);
}

int Zone::d868RecordNumber() const { return getU16Le(d868_, D868RecordNumber); }
void Zone::setD868RecordNumber(int number) { setU16Le(d868_, D868RecordNumber, static_cast<std::uint32_t>(number)); }

} // namespace pw
