#pragma once
// An RX group list: a named list of contacts (talkgroups) that a digital channel listens to.
//
// Members are 1-based contact table positions in every family. The list keeps its member count and
// each family's record; the member arrays of all records move together, so a list reads the same
// whichever record its codec writes:
//
// TYT record, 96 bytes:      0 name (16 UTF-16LE units), 32 32 member words (u16 LE); the decoder
//                            counts the leading non-zero words among the first 31
// RDB record, 100 bytes      0 member count (u32 LE), 4 name (16 UTF-16LE units),
// (0x2001, 0x2002):          36 32 member words (u16 LE)
// RDB V2 record, 164 bytes   0 member count (u32 LE), 4 name (16 UTF-16LE units),
// (0x2003):                  36 32 members (u32 LE)
// D868 record, 297 bytes:    a 296-byte block and a byte: 0 u16 record number, 2 u16 in use (1),
//                            4 name (up to 20 characters), 39 u16 member count, 41 members (u32 LE,
//                            0-based contact positions)

#include "model/format_id.h"
#include "model/record_list.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

class Contact;
class IndexRemap;

// Members an RX group list of the format holds: 30 in the D868 family, otherwise 31.
int rxGroupMemberLimit(FormatId formatId);

class RxGroupList {
public:
    static constexpr std::size_t TytRecordSize = 96;
    static constexpr std::size_t RdbRecordSize = 100;
    static constexpr std::size_t RdbV2RecordSize = 164;
    static constexpr std::size_t D868BlockSize = 296;
    static constexpr std::size_t D868RecordSize = 297;

    using TytRecord = std::array<std::uint8_t, TytRecordSize>;
    using RdbRecord = std::array<std::uint8_t, RdbRecordSize>;
    using RdbV2Record = std::array<std::uint8_t, RdbV2RecordSize>;
    using D868Record = std::array<std::uint8_t, D868RecordSize>;

    explicit RxGroupList(FormatId formatId);
    RxGroupList(const RxGroupList&) = default;
    RxGroupList& operator=(const RxGroupList&) = default;

    FormatId formatId() const { return formatId_; }
    FormatFamily family() const { return familyOf(formatId_); }

    // At most 16 characters (20 in the D868 family), written into every family's record.
    std::string name() const;
    void setName(std::string_view name);

    int memberLimit() const { return rxGroupMemberLimit(formatId_); }
    int memberCount() const { return count_; }
    // The 1-based contact position of member i (0-based), 0 outside the list.
    int member(int i) const;
    // Writes member i into every record's array (the D868 array 0-based).
    void setMember(int i, int value);
    bool hasMember(int value) const;

    // Adds the contact at 0-based table index `contactIndex`: 1 when added, 0 when the list is
    // full, the index names no contact, or the contact is already a member.
    int addMember(int contactIndex, const RecordList<Contact>& contacts);
    // Later members move up one place; false when i is outside the list.
    bool removeMember(int i);

    // After contact `position` (1-based) left the table: the first member equal to it goes and
    // larger members are lowered by one.
    void forgetContact(int position);
    // After a sort: every non-zero member becomes remap.lookup(member).
    void remapMembers(const IndexRemap& remap);

    // ---- For the codecs ----

    TytRecord& tytRecord() { return tyt_; }
    const TytRecord& tytRecord() const { return tyt_; }
    RdbRecord& rdbRecord() { return rdb_; }
    const RdbRecord& rdbRecord() const { return rdb_; }
    RdbV2Record& rdbV2Record() { return rdbV2_; }
    const RdbV2Record& rdbV2Record() const { return rdbV2_; }
    D868Record& d868Record() { return d868_; }
    const D868Record& d868Record() const { return d868_; }
    // Takes the member count from the list's own record after the codec copied it in: TYT the
    // leading non-zero words among the first 31, RDB the count word, D868 the count word; each
    // bounded by the entries that the record holds.
    void loadMemberCount();
    // Sets the count in the model and in the count words of the records.
    void setMemberCount(int count);
    int d868RecordNumber() const;
    void setD868RecordNumber(int number);

private:
    int slotCount() const;

    FormatId formatId_;
    int count_ = 0;
    TytRecord tyt_{};
    RdbRecord rdb_{};
    RdbV2Record rdbV2_{};
    D868Record d868_{};
};

} // namespace pw
