// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record formats of the RDB family: how its contacts, channels, zones, scan lists and RX group
// lists keep their values in the records of the memory map (rdb_map.h).

#include "codeplug/format_codec.h"
#include "codeplug/rdb/six_bit_text.h"
#include "model/channel.h"
#include "model/contact.h"
#include "model/rx_group_list.h"
#include "model/scan_list.h"
#include "model/zone.h"

namespace pw::rdb {

// The record formats of an RDB FormatId (0x2001, 0x2002 or 0x2003).
const RecordFormats& recordFormats(FormatId formatId);

// A channel's family record is its 32-byte record followed by the 12 bytes of its packed name.
inline constexpr std::size_t ChannelRecordSize = 32;
inline constexpr std::size_t ChannelNameSize = 12;

class ContactRecordFormat final : public ContactFormat {
public:
    void initialize(Contact& contact) const override;
    void store(Contact& contact, ContactField field) const override;
    std::string lookupName(std::string_view name) const override;
    bool holdsName(std::string_view name) const override;
    TextRoom nameRoom() const override { return {SixBitText::Characters, StoredCharacters::Ascii}; }
    static void load(Contact& contact);
};

class ChannelRecordFormat final : public ChannelFormat {
public:
    // Channels of 0x2003 keep a 32-bit transmit contact.
    explicit ChannelRecordFormat(bool wideContact) : wideContact_(wideContact) {}

    std::vector<std::uint8_t> blankRecord() const override;
    void finishNewChannel(Channel& channel, double frequencyMhz) const override;
    void store(Channel& channel, ChannelField field) const override;
    void beginChannelLine(Channel& channel) const override;
    void endChannelLine(Channel& /*channel*/) const override {}
    std::string admitText(const Channel& channel) const override;
    int admitFromText(const Channel& channel, std::string_view text) const override;
    std::vector<std::string> admitChoices(ChannelMode mode) const override;
    std::string powerText(const Channel& channel, std::string_view radioModel) const override;
    PowerLevel powerOfUnknownText() const override { return PowerLevel::Low; }
    bool isHighPower(const Channel& channel) const override;
    std::string lookupName(std::string_view name) const override;
    bool holdsName(std::string_view name) const override;
    TextRoom nameRoom() const override { return {SixBitText::Characters, StoredCharacters::Ascii}; }
    void load(Channel& channel) const;

private:
    void clearSharedBytes(Channel& channel, ChannelMode newMode) const;

    bool wideContact_;
};

class ZoneRecordFormat final : public ZoneFormat {
public:
    std::vector<std::uint8_t> blankRecord() const override;
    std::string name(const Zone& zone) const override;
    void setName(Zone& zone, std::string_view name) const override;
    int bankCount() const override { return 1; }
    int capacity() const override { return 16; }
    int entryCount() const override { return 16; }
    int memberCount(const Zone& zone, int bank) const override;
    int member(const Zone& zone, int bank, int i) const override;
    void setMember(Zone& zone, int bank, int i, int value) const override;
    bool holdsMember(const Zone& zone, int bank, int i) const override { return member(zone, bank, i) != 0; }
    bool appendMember(Zone& zone, int bank, int value) const override;
    bool removeMember(Zone& zone, int bank, int i) const override;
    // The count byte beside the members.
    static int countByte(const Zone& zone);
    static void setCountByte(Zone& zone, int count);
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

private:
    static int entry(const ScanList& list, int i);
    static void setCount(ScanList& list, int count);
};

class RxGroupListRecordFormat final : public RxGroupListFormat {
public:
    // Lists of 0x2003 keep 32-bit members in a 164-byte record.
    explicit RxGroupListRecordFormat(bool wide) : wide_(wide) {}

    std::vector<std::uint8_t> blankRecord() const override;
    std::string name(const RxGroupList& list) const override;
    void setName(RxGroupList& list, std::string_view name) const override;
    int memberLimit() const override { return 31; }
    int entryCount() const override { return 32; }
    int storedMemberCount(const RxGroupList& list) const override;
    int member(const RxGroupList& list, int i) const override;
    void setMember(RxGroupList& list, int i, int value) const override;
    void setMemberCount(RxGroupList& list, int count) const override;

private:
    bool wide_;
};

} // namespace pw::rdb
