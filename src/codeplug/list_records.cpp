// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/list_records.h"

#include <algorithm>

namespace pw {

std::vector<std::uint8_t> BlankRecord::make() const
{
    std::vector<std::uint8_t> record(size, 0);
    for (const PresetBytes& preset : presets)
        if (preset.offset <= size && preset.bytes.size() <= size - preset.offset)
            std::copy(preset.bytes.begin(), preset.bytes.end(), record.begin() + static_cast<std::ptrdiff_t>(preset.offset));
    return record;
}

std::string RecordName::read(ConstBytes record) const
{
    if (storage == NameStorage::Utf16)
        return getUtf16Name(record, offset, characters);
    return getLatin1Text(record, offset, characters);
}

void RecordName::write(Bytes record, std::string_view name) const
{
    if (storage == NameStorage::Utf16)
        setUtf16Name(record, offset, characters, name);
    else
        setLatin1Text(record, offset, fieldBytes, name, characters);
}

int StoredCount::read(ConstBytes record) const
{
    return static_cast<int>(getUIntLe(record, offset, bytes)) - bias;
}

void StoredCount::write(Bytes record, int count) const
{
    setUIntLe(record, offset, bytes, static_cast<std::uint32_t>(std::max(count, 0) + bias));
}

// ---- Member rows ----

std::optional<std::size_t> MemberRow::wordAt(int i) const
{
    if (i < 0)
        return std::nullopt;
    for (const WordRun& run : runs) {
        if (i < run.entries)
            return run.offset + 2 * static_cast<std::size_t>(i);
        i -= run.entries;
    }
    return std::nullopt;
}

int MemberRow::word(ConstBytes record, int i) const
{
    const auto at = wordAt(i);
    return at ? getU16Le(record, *at) : 0;
}

int MemberRow::memberCount(ConstBytes record) const
{
    switch (rule) {
    case MemberRule::BelowCount:
    case MemberRule::NonZeroBesideCount: return std::clamp(count.read(record), 0, entries());
    case MemberRule::LeadingNonZero: {
        int leading = 0;
        while (leading < entries() && word(record, leading) != 0)
            ++leading;
        return leading;
    }
    case MemberRule::NonZero: break;
    }
    int nonZero = 0;
    for (int i = 0; i < entries(); ++i)
        nonZero += word(record, i) != 0 ? 1 : 0;
    return nonZero;
}

bool MemberRow::holds(ConstBytes record, int i) const
{
    if (rule == MemberRule::BelowCount)
        return i >= 0 && i < memberCount(record);
    return word(record, i) != 0;
}

int MemberRow::member(ConstBytes record, int i) const
{
    if (rule == MemberRule::BelowCount && !holds(record, i))
        return 0;
    return word(record, i);
}

void MemberRow::setMember(Bytes record, int i, int value) const
{
    if (const auto at = wordAt(i))
        setU16Le(record, *at, static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF)));
}

bool MemberRow::append(Bytes record, int value) const
{
    const bool counted = rule == MemberRule::BelowCount || rule == MemberRule::NonZeroBesideCount;
    const int stored = counted ? memberCount(record) : 0;
    if (counted && stored >= entries())
        return false;
    if (rule == MemberRule::BelowCount) {
        setMember(record, stored, value);
        if (clearedOnAppend != 0)
            setU16Le(record, clearedOnAppend + 2 * static_cast<std::size_t>(stored), 0);
        count.write(record, stored + 1);
        return true;
    }
    for (int i = 0; i < entries(); ++i) {
        if (word(record, i) == 0) {
            setMember(record, i, value);
            if (counted)
                count.write(record, stored + 1);
            return true;
        }
    }
    return false;
}

bool MemberRow::remove(Bytes record, int i) const
{
    if (!holds(record, i))
        return false;
    const int members = memberCount(record);
    const int end = removalMovesRow ? entries() : members;
    for (int j = i; j + 1 < end; ++j)
        setMember(record, j, word(record, j + 1));
    setMember(record, end - 1, 0);
    if (rule == MemberRule::BelowCount)
        count.write(record, members - 1);
    else if (rule == MemberRule::NonZeroBesideCount)
        // The count beside the members goes down by one, whatever it held.
        count.write(record, count.read(record) - 1);
    return true;
}

// ---- Zones ----

const MemberRow* ZoneRecords::row(int bank) const
{
    if (bank == 1)
        return &layout_.bankA;
    if (bank == 2 && bankCount() == 2)
        return &layout_.bankB;
    return nullptr;
}

int ZoneRecords::memberCount(const Zone& zone, int bank) const
{
    const MemberRow* members = row(bank);
    return members ? members->memberCount(zone.familyRecord()) : 0;
}

int ZoneRecords::member(const Zone& zone, int bank, int i) const
{
    const MemberRow* members = row(bank);
    return members ? members->member(zone.familyRecord(), i) : 0;
}

void ZoneRecords::setMember(Zone& zone, int bank, int i, int value) const
{
    if (const MemberRow* members = row(bank))
        members->setMember(zone.familyRecord(), i, value);
}

bool ZoneRecords::holdsMember(const Zone& zone, int bank, int i) const
{
    const MemberRow* members = row(bank);
    return members && members->holds(zone.familyRecord(), i);
}

bool ZoneRecords::appendMember(Zone& zone, int bank, int value) const
{
    const MemberRow* members = row(bank);
    return members && members->append(zone.familyRecord(), value);
}

bool ZoneRecords::removeMember(Zone& zone, int bank, int i) const
{
    const MemberRow* members = row(bank);
    return members && members->remove(zone.familyRecord(), i);
}

// ---- Scan lists ----

int ScanListRecords::memberCount(const ScanList& list) const { return layout_.members.memberCount(list.familyRecord()); }
int ScanListRecords::member(const ScanList& list, int i) const { return layout_.members.member(list.familyRecord(), i); }

void ScanListRecords::setMember(ScanList& list, int i, int value) const
{
    layout_.members.setMember(list.familyRecord(), i, value);
}

bool ScanListRecords::holdsMember(const ScanList& list, int i) const { return layout_.members.holds(list.familyRecord(), i); }
bool ScanListRecords::appendMember(ScanList& list, int value) const { return layout_.members.append(list.familyRecord(), value); }
bool ScanListRecords::removeMember(ScanList& list, int i) const { return layout_.members.remove(list.familyRecord(), i); }

// ---- RX group lists ----

int RxGroupListRecords::storedMemberCount(const RxGroupList& list) const
{
    const ConstBytes record = list.familyRecord();
    if (layout_.count.bytes != 0) {
        const auto stored = getUIntLe(record, layout_.count.offset, layout_.count.bytes);
        return static_cast<int>(std::min<std::uint32_t>(stored, static_cast<std::uint32_t>(layout_.members.entries)));
    }
    int leading = 0;
    while (leading < layout_.countedEntries && getUIntLe(record, memberAt(leading), layout_.members.bytes) != 0)
        ++leading;
    return leading;
}

int RxGroupListRecords::member(const RxGroupList& list, int i) const
{
    const auto stored = static_cast<int>(getUIntLe(list.familyRecord(), memberAt(i), layout_.members.bytes));
    return layout_.zeroBased ? stored + 1 : stored;
}

void RxGroupListRecords::setMember(RxGroupList& list, int i, int value) const
{
    auto stored = static_cast<std::uint32_t>(std::max(value, 0));
    if (layout_.members.bytes < 4)
        stored = std::min<std::uint32_t>(stored, 0xFFFF);
    if (layout_.zeroBased)
        stored = stored > 0 ? stored - 1 : 0;
    setUIntLe(list.familyRecord(), memberAt(i), layout_.members.bytes, stored);
}

void RxGroupListRecords::setMemberCount(RxGroupList& list, int count) const
{
    if (layout_.count.bytes != 0)
        setUIntLe(list.familyRecord(), layout_.count.offset, layout_.count.bytes, static_cast<std::uint32_t>(count));
}

} // namespace pw
