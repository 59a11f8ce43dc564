#pragma once
// A scan list: a named list of channels that the radio scans in turn.
//
// Members are 1-based channel table positions in the TYT and D868 families and channel slot
// numbers in the RDB family; 0 marks an empty entry. The list keeps each family's record:
//
// TYT record, 104 bytes (the image record as it stands):
//   0   32  name, 16 UTF-16LE units
//   32  10  header (priority channels, hold and sample times)
//   42  62  31 member words (u16 LE); the member count is the number of non-zero words
// RDB record, 128 bytes:
//   0   32  name, 16 UTF-16LE units
//   32  u16, 34 u16   0xFFFF on a new list
//   38  u8  member count + 1 (1 on a new list)
//   39, 41, 42, 43    2, 13, 20, 20 on a new list; other header bytes 0
//   64  u16 0
//   66  62  31 member words (u16 LE, channel slot numbers)
// D868 record, 298 bytes: a 296-byte block followed by a word, copied as one piece:
//   0 u16 record number, 2 u16 in use, 4 name (16 characters and a terminator), 21-31 option
//   bytes (28-31 hold 5, 5, 1, 1 on a new list), 32 u16 member count, 34 50 words (one per
//   member, 0 for a member added here), 134 50 member words (1-based in the model; the codec
//   converts to and from the file's 0-based record numbers)

#include "model/format_id.h"
#include "model/record_list.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace pw {

class Channel;
class ErrorLog;
class IndexRemap;

// Members a scan list of the format holds: 50 in the D868 family, otherwise 31.
int scanListMemberLimit(FormatId formatId);

// Looks a channel up by name: its 0-based table index, or -1 (Codeplug::findChannelByName).
using ChannelFinder = std::function<int(std::string_view name)>;

class ScanList {
public:
    static constexpr std::size_t TytRecordSize = 104;
    static constexpr std::size_t RdbRecordSize = 128;
    static constexpr std::size_t D868BlockSize = 296;
    static constexpr std::size_t D868RecordSize = 298;
    static constexpr int MemberSlots = 31;
    static constexpr int D868MemberSlots = 50;

    using TytRecord = std::array<std::uint8_t, TytRecordSize>;
    using RdbRecord = std::array<std::uint8_t, RdbRecordSize>;
    using D868Record = std::array<std::uint8_t, D868RecordSize>;

    explicit ScanList(FormatId formatId);
    ScanList(const ScanList&) = default;
    ScanList& operator=(const ScanList&) = default;

    FormatId formatId() const { return formatId_; }
    FormatFamily family() const { return familyOf(formatId_); }

    // At most 16 characters, written into every family's record.
    std::string name() const;
    void setName(std::string_view name);

    int memberLimit() const { return scanListMemberLimit(formatId_); }
    int memberCount() const;
    // The member number at entry i (0-based), 0 when the entry holds no member.
    int member(int i) const;
    void setMember(int i, int value);
    bool hasMember(int value) const;

    // Adds the channel at 0-based table index `channelIndex`: 1 when added, 0 when the list is full,
    // the index names no channel (or, in the RDB family, a channel without a slot), or the channel
    // is already a member.
    int addMember(int channelIndex, const RecordList<Channel>& channels);
    // Later members move up one place; false when entry i holds no member.
    bool removeMember(int i);
    bool moveMemberUp(int i);
    bool moveMemberDown(int i);
    // As Zone::memberChannelIndex.
    int memberChannelIndex(int i, const RecordList<Channel>& channels) const;

    // TYT family: removes the members that refer to no channel and logs one line for each, counted
    // as one problem in the log. Lists of the other families are not checked. Returns the number
    // of members removed.
    int validateMembers(const RecordList<Channel>& channels, ErrorLog& log);

    // After channel `position` (1-based) left the table (TYT, D868): the first member equal to it
    // goes and larger members are lowered by one.
    void forgetChannel(int position);
    // After the channel in `slot` left the table (RDB): the first member equal to the slot goes.
    void removeSlot(int slot);
    // After a sort: every non-zero member becomes remap.lookup(member).
    void remapMembers(const IndexRemap& remap);

    // The one-line text form: the quoted list name and a comma, then the quoted channel names of
    // the members separated by commas. "[Error]" without a channel table, "[Empty]" for a list
    // without members.
    std::string toLine(const RecordList<Channel>* channels) const;
    // Reads the one-line text form: field 0 (up to 16 characters) is the name, fields 1 to 31 (D868:
    // 50) channel names, each found by `findChannel` added as a member. 1 on success, 0 when the
    // line has no field 1.
    int fromLine(std::string_view line, const ChannelFinder& findChannel, const RecordList<Channel>& channels);

    // ---- For the codecs ----

    TytRecord& tytRecord() { return tyt_; }
    const TytRecord& tytRecord() const { return tyt_; }
    RdbRecord& rdbRecord() { return rdb_; }
    const RdbRecord& rdbRecord() const { return rdb_; }
    D868Record& d868Record() { return d868_; }
    const D868Record& d868Record() const { return d868_; }
    int d868RecordNumber() const;
    void setD868RecordNumber(int number);

private:
    int entryCount() const;
    bool holdsMember(int i) const;
    int rawMember(int i) const;
    void setCount(int count);

    FormatId formatId_;
    TytRecord tyt_{};
    RdbRecord rdb_{};
    D868Record d868_{};
};

} // namespace pw
