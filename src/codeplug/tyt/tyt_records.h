// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record formats of the TYT family: how its contacts, channels, zones, scan lists and RX group
// lists keep their values, field by field, in the records of the memory map (tyt_map.h).

#include "codeplug/format_codec.h"
#include "codeplug/tyt/tyt_map.h"
#include "model/channel.h"
#include "model/contact.h"
#include "model/rx_group_list.h"
#include "model/scan_list.h"
#include "model/zone.h"

namespace pw::tyt {

// The record formats of a TYT FormatId (0x1001, 0x1002 or 0x1003).
const RecordFormats& recordFormats(FormatId formatId);

class ContactRecordFormat final : public ContactFormat {
public:
    void initialize(Contact& contact) const override;
    void store(Contact& contact, ContactField field) const override;
    std::string lookupName(std::string_view name) const override { return std::string(name); }
    TextRoom nameRoom() const override { return {RecordNameUnits, StoredCharacters::Utf16}; }
    // Takes every value from the contact's record.
    static void load(Contact& contact);
};

class ChannelRecordFormat final : public ChannelFormat {
public:
    explicit ChannelRecordFormat(FormatId formatId) : formatId_(formatId) {}

    std::vector<std::uint8_t> blankRecord() const override;
    void finishNewChannel(Channel& channel, double frequencyMhz) const override;
    void store(Channel& channel, ChannelField field) const override;
    void beginChannelLine(Channel& channel) const override;
    void endChannelLine(Channel& channel) const override;
    std::string admitText(const Channel& channel) const override;
    int admitFromText(const Channel& channel, std::string_view text) const override;
    std::vector<std::string> admitChoices(ChannelMode mode) const override;
    std::string powerText(const Channel& channel, std::string_view radioModel) const override;
    PowerLevel powerOfUnknownText() const override;
    bool isHighPower(const Channel& channel) const override;
    std::string lookupName(std::string_view name) const override { return std::string(name); }
    TextRoom nameRoom() const override { return {RecordNameUnits, StoredCharacters::Utf16}; }
    // Takes every value from the channel's record.
    void load(Channel& channel) const;

private:
    FormatId formatId_;
};

class ZoneRecordFormat final : public ZoneFormat {
public:
    explicit ZoneRecordFormat(bool banked) : banked_(banked) {}

    std::vector<std::uint8_t> blankRecord() const override;
    std::string name(const Zone& zone) const override;
    void setName(Zone& zone, std::string_view name) const override;
    int bankCount() const override { return banked_ ? 2 : 1; }
    int capacity() const override { return banked_ ? 64 : 16; }
    int entryCount() const override { return capacity(); }
    int memberCount(const Zone& zone, int bank) const override;
    int member(const Zone& zone, int bank, int i) const override;
    void setMember(Zone& zone, int bank, int i, int value) const override;
    bool holdsMember(const Zone& zone, int bank, int i) const override { return member(zone, bank, i) != 0; }
    bool appendMember(Zone& zone, int bank, int value) const override;
    bool removeMember(Zone& zone, int bank, int i) const override;
    // The zone record and, for zones with banks, the extension record follow each other.
    bool banked() const { return banked_; }

private:
    // Where entry i of a bank lies in the zone's record.
    std::optional<std::size_t> entryOffset(int bank, int i) const;

    bool banked_;
};

class ScanListRecordFormat final : public ScanListFormat {
public:
    std::vector<std::uint8_t> blankRecord() const override;
    std::string name(const ScanList& list) const override;
    void setName(ScanList& list, std::string_view name) const override;
    int memberLimit() const override { return 31; }
    int entryCount() const override { return 31; }
    int memberCount(const ScanList& list) const override;
    int member(const ScanList& list, int i) const override;
    void setMember(ScanList& list, int i, int value) const override;
    bool holdsMember(const ScanList& list, int i) const override;
    bool appendMember(ScanList& list, int value) const override;
    bool removeMember(ScanList& list, int i) const override;
    // The member word at entry i, whether or not it holds a member.
    static int entry(const ScanList& list, int i);
};

class RxGroupListRecordFormat final : public RxGroupListFormat {
public:
    std::vector<std::uint8_t> blankRecord() const override;
    std::string name(const RxGroupList& list) const override;
    void setName(RxGroupList& list, std::string_view name) const override;
    int memberLimit() const override { return 31; }
    int entryCount() const override { return 32; }
    int storedMemberCount(const RxGroupList& list) const override;
    int member(const RxGroupList& list, int i) const override;
    void setMember(RxGroupList& list, int i, int value) const override;
    void setMemberCount(RxGroupList& /*list*/, int /*count*/) const override {}
};

} // namespace pw::tyt
