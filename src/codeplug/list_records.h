// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The zone, scan-list and RX group list records of every family: a name at a fixed place and a
// row of member entries. The families differ only in where these lie, in the bytes of a new
// record and in the rule that tells which entries hold members, so each family describes its
// records as a layout here and one record format per list kind serves them all.

#include "codeplug/byte_field.h"
#include "model/record_format.h"
#include "model/rx_group_list.h"
#include "model/scan_list.h"
#include "model/zone.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Bytes that a new record holds from `offset` on.
struct PresetBytes {
    std::size_t offset = 0;
    std::string_view bytes;
};

// The size of a new record and the bytes that are not zero in it.
struct BlankRecord {
    std::size_t size = 0;
    std::array<PresetBytes, 3> presets{};

    std::vector<std::uint8_t> make() const;
};

enum class NameStorage : std::uint8_t { Utf16, Latin1 };

// Where a record keeps its name, in UTF-16LE units or in Latin-1 bytes.
struct RecordName {
    std::size_t offset = 0;
    std::size_t characters = 16;
    NameStorage storage = NameStorage::Utf16;
    // Latin-1 names: the bytes a new name clears, the characters and their terminator.
    std::size_t fieldBytes = 0;

    std::string read(ConstBytes record) const;
    void write(Bytes record, std::string_view name) const;
};

// A count the record stores: `bytes` little-endian bytes at `offset` (0 bytes: no count), holding
// the count plus `bias`.
struct StoredCount {
    std::size_t offset = 0;
    std::size_t bytes = 0;
    int bias = 0;

    int read(ConstBytes record) const;
    void write(Bytes record, int count) const;
};

// How a record tells which of its member entries hold members.
enum class MemberRule : std::uint8_t {
    // The entries below the stored count.
    BelowCount,
    // The non-zero entries; the count stored beside them follows each add and removal, and is
    // the member count the list reports.
    NonZeroBesideCount,
    // The non-zero entries, counted up to the first empty one (the radio stops reading there).
    LeadingNonZero,
    // The non-zero entries wherever they lie.
    NonZero,
};

// Member words of 16 bits: `entries` of them from `offset`.
struct WordRun {
    std::size_t offset = 0;
    int entries = 0;
};

// The member entries of a zone bank or of a scan list: up to two runs of words, the second
// continuing the first (bank A of a TYT zone with banks goes on in the zone's extension record).
struct MemberRow {
    MemberRule rule = MemberRule::NonZero;
    std::array<WordRun, 2> runs{};
    StoredCount count{};
    // A removal moves the words of the whole row up, words past the members included; or, when
    // false, the members' alone, leaving the words past them as they are.
    bool removalMovesRow = true;
    // Words, one an entry, of which an append clears the appended entry's (0: none).
    std::size_t clearedOnAppend = 0;

    int entries() const { return runs[0].entries + runs[1].entries; }
    int memberCount(ConstBytes record) const;
    bool holds(ConstBytes record, int i) const;
    int member(ConstBytes record, int i) const;
    void setMember(Bytes record, int i, int value) const;
    bool append(Bytes record, int value) const;
    bool remove(Bytes record, int i) const;

private:
    std::optional<std::size_t> wordAt(int i) const;
    int word(ConstBytes record, int i) const;
};

// The name and the blank record, which every list kind keeps alike; `Layout` says where.
template <class Format, class List, class Layout>
class NamedListRecords : public Format {
public:
    constexpr explicit NamedListRecords(const Layout& layout) : layout_(layout) {}

    std::vector<std::uint8_t> blankRecord() const final { return layout_.blank.make(); }
    std::string name(const List& list) const final { return layout_.name.read(list.familyRecord()); }
    void setName(List& list, std::string_view name) const final { layout_.name.write(list.familyRecord(), name); }

protected:
    Layout layout_;
};

// ---- Zones ----

struct ZoneLayout {
    BlankRecord blank;
    RecordName name;
    MemberRow bankA;
    // No entries when the zones have no bank B.
    MemberRow bankB{};
};

class ZoneRecords final : public NamedListRecords<ZoneFormat, Zone, ZoneLayout> {
public:
    using NamedListRecords::NamedListRecords;

    int bankCount() const override { return layout_.bankB.entries() > 0 ? 2 : 1; }
    int capacity() const override { return layout_.bankA.entries(); }
    int entryCount() const override { return capacity(); }
    int memberCount(const Zone& zone, int bank) const override;
    int member(const Zone& zone, int bank, int i) const override;
    void setMember(Zone& zone, int bank, int i, int value) const override;
    bool holdsMember(const Zone& zone, int bank, int i) const override;
    bool appendMember(Zone& zone, int bank, int value) const override;
    bool removeMember(Zone& zone, int bank, int i) const override;

private:
    // The row of bank 1 or 2; none for a bank the zones do not have.
    const MemberRow* row(int bank) const;
};

// ---- Scan lists ----

struct ScanListLayout {
    BlankRecord blank;
    RecordName name;
    MemberRow members;
};

class ScanListRecords final : public NamedListRecords<ScanListFormat, ScanList, ScanListLayout> {
public:
    using NamedListRecords::NamedListRecords;

    int memberLimit() const override { return layout_.members.entries(); }
    int entryCount() const override { return memberLimit(); }
    int memberCount(const ScanList& list) const override;
    int member(const ScanList& list, int i) const override;
    void setMember(ScanList& list, int i, int value) const override;
    bool holdsMember(const ScanList& list, int i) const override;
    bool appendMember(ScanList& list, int value) const override;
    bool removeMember(ScanList& list, int i) const override;
};

// ---- RX group lists ----

// Members of `bytes` bytes each, `entries` of them from `offset`.
struct MemberSlots {
    std::size_t offset = 0;
    std::size_t bytes = 2;
    int entries = 0;
};

struct RxGroupListLayout {
    BlankRecord blank;
    RecordName name;
    MemberSlots members;
    int memberLimit = 0;
    // The record keeps each member less one (0-based positions).
    bool zeroBased = false;
    // With no stored count, the count is the leading non-zero members among the first
    // `countedEntries`.
    StoredCount count{};
    int countedEntries = 0;
};

class RxGroupListRecords final : public NamedListRecords<RxGroupListFormat, RxGroupList, RxGroupListLayout> {
public:
    using NamedListRecords::NamedListRecords;

    int memberLimit() const override { return layout_.memberLimit; }
    int entryCount() const override { return layout_.members.entries; }
    int storedMemberCount(const RxGroupList& list) const override;
    int member(const RxGroupList& list, int i) const override;
    void setMember(RxGroupList& list, int i, int value) const override;
    void setMemberCount(RxGroupList& list, int count) const override;

private:
    std::size_t memberAt(int i) const { return layout_.members.offset + layout_.members.bytes * static_cast<std::size_t>(i); }
};

} // namespace pw
