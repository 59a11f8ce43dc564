#pragma once
// A zone: a named list of channels that the radio shows together.
//
// A zone keeps the zone record of each format family in that family's byte layout. Members are
// 1-based channel table positions in the TYT and D868 families and channel slot numbers in the RDB
// family; 0 marks an empty entry.
//
// TYT record, 64 bytes (the image record as it stands):
//   0   32  name, 16 UTF-16LE units, zero-filled
//   32  32  16 member words (u16 LE): bank A members 1-16
// TYT extension, 224 bytes (0x1002 and 0x1003 only, one per zone record in the image):
//   0   96  48 member words: bank A members 17-64
//   96  128 64 member words: bank B members 1-64
// The TYT family works on a member table of two banks of 64 members; loadTytMembers fills it from
// the record and the extension and storeTytMembers writes it back. A zone carries the extension
// block only once it is tied to an image (the decoder and Codeplug::addZone tie it); a zone that is
// not tied reads and writes only its 64-byte record.
//
// RDB record, 80 bytes:
//   0   32  name, 16 UTF-16LE units
//   32  16  header; byte 36 is the member count
//   48  32  16 member words (u16 LE, channel slot numbers)
// D868 record, 611 bytes: a 608-byte block followed by a word and a byte, copied as one piece:
//   0 u16 record number (1 on a new zone), 2 u16 in use (1), 4 u16 member count,
//   6 250 member words (1-based in the model; the codec converts to and from the file's 0-based
//   record numbers), 506 and 508 two words (1 and 1 on a new zone), 520 name (16 characters,
//   zero-terminated when shorter)

#include "model/byte_field.h"
#include "model/format_id.h"
#include "model/record_list.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pw {

class Channel;
class ErrorLog;
class IndexRemap;

// Members per bank of a zone of the format.
int zoneCapacity(FormatId formatId);
// Banks of a zone of the format: 2 for 0x1002 and 0x1003, otherwise 1.
int zoneBankCount(FormatId formatId);

class Zone {
public:
    static constexpr std::size_t TytRecordSize = 64;
    static constexpr std::size_t TytExtensionSize = 224;
    static constexpr std::size_t RdbRecordSize = 80;
    static constexpr std::size_t D868BlockSize = 608;
    static constexpr std::size_t D868RecordSize = 611;
    static constexpr int MaxBanks = 2;
    static constexpr int TytBankSlots = 64;
    static constexpr int D868MaxMembers = 250;

    using TytRecord = std::array<std::uint8_t, TytRecordSize>;
    using TytExtension = std::array<std::uint8_t, TytExtensionSize>;
    using RdbRecord = std::array<std::uint8_t, RdbRecordSize>;
    using D868Record = std::array<std::uint8_t, D868RecordSize>;

    explicit Zone(FormatId formatId);
    Zone(const Zone&) = default;
    Zone& operator=(const Zone&) = default;

    FormatId formatId() const { return formatId_; }
    FormatFamily family() const { return familyOf(formatId_); }

    // At most 16 characters, written into every family's record.
    std::string name() const;
    void setName(std::string_view name);

    int bankCount() const { return zoneBankCount(formatId_); }
    int capacity() const { return zoneCapacity(formatId_); }
    // 1 (bank A) or 2 (bank B).
    int currentBank() const { return currentBank_; }
    // Only zones with two banks switch: above 2 selects bank 2, 0 or below bank 1.
    void selectBank(int bank);

    // Member operations act on the current bank; i is 0-based.
    int memberCount() const;
    // The member number at entry i, 0 when the entry is empty or outside the bank.
    int member(int i) const;
    void setMember(int i, int value);
    bool hasMember(int value) const;

    // Adds the channel at 0-based table index `channelIndex`: 1 when added, 0 when the bank is full,
    // the index names no channel (or, in the RDB family, a channel without a slot), or the channel
    // is already in the bank.
    int addMember(int channelIndex, const RecordList<Channel>& channels);
    // Adds the first channel whose name equals `name` ignoring case; 1 when added, else 0.
    int addMemberByName(std::string_view name, const RecordList<Channel>& channels);
    // Later members move up one place; false when entry i holds no member.
    bool removeMember(int i);
    // Swap members i - 1 and i, or i and i + 1; false when either is not a member.
    bool moveMemberUp(int i);
    bool moveMemberDown(int i);

    // The 0-based channel table index that member i refers to: member - 1 in the TYT and D868
    // families (returned even when the table is shorter, so that a dangling member can be told
    // from an empty one), the index of the channel with that slot in the RDB family; -1 when the
    // entry is empty or, in the RDB family, no channel has the slot.
    int memberChannelIndex(int i, const RecordList<Channel>& channels) const;

    // Removes the members that refer to no channel and logs one line per member removed, each
    // counted as one problem in the log. D868 zones check every member, TYT and RDB zones the first
    // 16 entries (bank A). Returns the number of members removed.
    int validateMembers(const RecordList<Channel>& channels, ErrorLog& log);

    // After channel `position` (1-based) left the table (TYT, D868): members equal to it go from
    // every bank and larger members are lowered by one.
    void forgetChannel(int position);
    // After the channel in `slot` left the table (RDB): members equal to the slot go from every
    // bank, and a bank emptied by this gets `replacementSlot` as its only member (when not 0).
    void removeSlot(int slot, int replacementSlot);
    // After a sort: every non-zero member of every bank becomes remap.lookup(member).
    void remapMembers(const IndexRemap& remap);

    // ---- For the codecs ----

    TytRecord& tytRecord() { return tyt_; }
    const TytRecord& tytRecord() const { return tyt_; }
    // The extension block, present once the zone is tied to an image of 0x1002 or 0x1003.
    std::optional<TytExtension>& tytExtension() { return tytExtension_; }
    const std::optional<TytExtension>& tytExtension() const { return tytExtension_; }
    bool isTiedToImage() const { return tytExtension_.has_value(); }
    // Gives a zone of 0x1002 or 0x1003 its extension block (zeroed when new); other zones have none.
    void tieToImage();
    // Fills the TYT member table from the record and, when tied, the extension.
    void loadTytMembers();
    // Writes the TYT member table into the record and, when tied, the extension.
    void storeTytMembers();
    // Copies a zone record (and, when tied, its extension record) from an image and loads the
    // member table. Spans shorter than a record are copied as far as they go.
    void readTytImage(ConstBytes record, ConstBytes extension = {});
    // Stores the member table and copies the record (and, when tied, the extension) into an image.
    void writeTytImage(Bytes record, Bytes extension = {});

    RdbRecord& rdbRecord() { return rdb_; }
    const RdbRecord& rdbRecord() const { return rdb_; }
    D868Record& d868Record() { return d868_; }
    const D868Record& d868Record() const { return d868_; }
    int d868RecordNumber() const;
    void setD868RecordNumber(int number);

private:
    using Bank = std::array<std::uint32_t, TytBankSlots>;

    // The number of entries of the current bank that can hold members.
    int entryCount() const;
    // Moves entries i + 1 .. end of the current bank's storage up by one and empties the last.
    void shiftOut(int i);
    int rdbCountByte() const;
    void setRdbCountByte(int count);
    int d868Count() const;
    void setD868Count(int count);

    // Runs `action` with the current bank set to each bank in turn, then restores the selection.
    template <typename Action>
    void forEachBank(Action action);

    FormatId formatId_;
    int currentBank_ = 1;
    TytRecord tyt_{};
    std::optional<TytExtension> tytExtension_;
    std::array<Bank, MaxBanks> tytMembers_{};
    RdbRecord rdb_{};
    D868Record d868_{};
};

} // namespace pw
