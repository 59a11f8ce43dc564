#pragma once
// One entry of a codeplug's digital contact list.
//
// A contact keeps the record of each format family in that family's byte layout; the accessors
// read the block of the contact's own family. Moving a contact to a codeplug of another family makes
// a new contact there and copies the fields through these accessors.
//
// TYT record, 36 bytes (the image record as it stands):
//   0  u24  DMR ID
//   3  u8   flags: bits 0-1 call type (1 group, 2 private, 3 all; 0 reads as private),
//               bit 5 alert tone, bits 6-7 set whenever the call type is written
//   4  32   name, 16 UTF-16LE units, zero-filled
// RDB record, 16 bytes:
//   0  u24  DMR ID
//   3  12   name, 16 characters of SixBitText
//   15 u8   flags: bits 0-1 call type (1 group, 2 all, 0 private; 3 reads as private), bit 3 alert
// D868 block, 172 bytes (copied whole by the D868 codec):
//   0 u32 record number, 4 u16 in use, 6 u16 call type (0 private, 1 group, 2 all), 8 name[18],
//   26 city[16], 42 u32 DMR ID, 46 u16 alert tone, 48 callsign[9], 57 state[17], 74 country[17],
//   91 remarks[17], 108 64 reserved bytes

#include "model/format_id.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

enum class CallType { GroupCall = 0, PrivateCall = 1, AllCall = 2 };

// The DMR ID that All Call contacts carry.
inline constexpr std::uint32_t AllCallId = 0xFFFFFF;

class Contact {
public:
    static constexpr std::size_t TytRecordSize = 36;
    static constexpr std::size_t RdbRecordSize = 16;
    static constexpr std::size_t D868BlockSize = 172;

    explicit Contact(FormatId formatId);

    FormatId formatId() const { return formatId_; }
    FormatFamily family() const { return familyOf(formatId_); }

    std::uint32_t dmrId() const;
    void setDmrId(std::uint32_t id);

    std::string name() const;
    void setName(std::string_view name);

    CallType callType() const;
    void setCallType(CallType type);
    // "A" gives All Call, "G" Group Call, any other letter Private Call (case ignored).
    void setCallTypeFromLetter(char letter);
    std::string callTypeText() const { return callTypeName(callType()); }
    static std::string callTypeName(CallType type);

    bool alertTone() const;
    void setAlertTone(bool on);
    std::string alertToneText() const { return alertTone() ? "Yes" : "No"; }

    // The descriptive texts of the D868 family; empty for the other families.
    std::string callsign() const;
    std::string city() const;
    std::string state() const;
    std::string country() const;
    std::string remarks() const;
    void setCallsign(std::string_view text);
    void setCity(std::string_view text);
    void setState(std::string_view text);
    void setCountry(std::string_view text);
    void setRemarks(std::string_view text);

    // The D868 record number and in-use word, kept in the D868 block.
    std::uint32_t d868RecordNumber() const;
    void setD868RecordNumber(std::uint32_t number);

    int sortPosition() const { return sortPosition_; }
    void setSortPosition(int position) { sortPosition_ = position; }
    bool isTalkgroup() const { return isTalkgroup_; }
    void setTalkgroup(bool on) { isTalkgroup_ = on; }

    // The family blocks as raw bytes, for the image codecs.
    std::array<std::uint8_t, TytRecordSize>& tytRecord() { return tyt_; }
    const std::array<std::uint8_t, TytRecordSize>& tytRecord() const { return tyt_; }
    std::array<std::uint8_t, RdbRecordSize>& rdbRecord() { return rdb_; }
    const std::array<std::uint8_t, RdbRecordSize>& rdbRecord() const { return rdb_; }
    std::array<std::uint8_t, D868BlockSize>& d868Block() { return d868_; }
    const std::array<std::uint8_t, D868BlockSize>& d868Block() const { return d868_; }

    // The one-line text form: nine quoted fields separated by commas, no line end.
    std::string toLine() const;
    // Reads a contact line into this contact: 1 on success, 0 for a short line or an ID field that
    // is not a number, -2 for a line with fewer than four fields.
    int fromLine(std::string_view line);

private:
    FormatId formatId_;
    std::array<std::uint8_t, TytRecordSize> tyt_{};
    std::array<std::uint8_t, RdbRecordSize> rdb_{};
    std::array<std::uint8_t, D868BlockSize> d868_{};
    int sortPosition_ = 0;
    bool isTalkgroup_ = false;
};

} // namespace pw
