// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record formats of the D868 family: how its contacts, channels, zones, scan lists and RX group
// lists keep their values in the records of the file (d868_map.h).
//
// Contacts are stored packed (packed_contact_stream.h) and keep no record of their own: their
// values are all there is of them. Channels keep their 214-byte record: the 212-byte block and the
// word after it.

#include "codeplug/format_codec.h"
#include "model/channel.h"
#include "model/contact.h"
#include "model/rx_group_list.h"
#include "model/scan_list.h"
#include "model/zone.h"

namespace pw::d868 {

const RecordFormats& recordFormats();

inline constexpr std::size_t ChannelBlockSize = 212;

class ContactRecordFormat final : public ContactFormat {
public:
    void initialize(Contact& contact) const override;
    void store(Contact& contact, ContactField field) const override;
    std::string lookupName(std::string_view name) const override { return std::string(name); }
    TextRoom nameRoom() const override;
    TextRoom textRoom(ContactText which) const override;
    // The name as the radio shows it: at most 16 characters, control characters as hyphens.
    static std::string shownName(std::string_view name);
};

class ChannelRecordFormat final : public ChannelFormat {
public:
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
    std::string lookupName(std::string_view name) const override { return std::string(name); }
    TextRoom nameRoom() const override;
    // Takes the values the record keeps; the reference frequencies, the TOT rekey delay and the
    // emergency alarm ack, which the file does not keep, stay as they are.
    static void load(Channel& channel);
    // Resets the block to a new channel's, receiving on `rxMhz`.
    static void resetBlock(Channel& channel, double rxMhz);
};

class ZoneRecordFormat final : public ZoneFormat {
public:
    std::vector<std::uint8_t> blankRecord() const override;
    std::string name(const Zone& zone) const override;
    void setName(Zone& zone, std::string_view name) const override;
    int bankCount() const override { return 1; }
    int capacity() const override { return 250; }
    int entryCount() const override { return 250; }
    int memberCount(const Zone& zone, int bank) const override;
    int member(const Zone& zone, int bank, int i) const override;
    void setMember(Zone& zone, int bank, int i, int value) const override;
    bool holdsMember(const Zone& zone, int bank, int i) const override;
    bool appendMember(Zone& zone, int bank, int value) const override;
    bool removeMember(Zone& zone, int bank, int i) const override;
};

class ScanListRecordFormat final : public ScanListFormat {
public:
    std::vector<std::uint8_t> blankRecord() const override;
    std::string name(const ScanList& list) const override;
    void setName(ScanList& list, std::string_view name) const override;
    int memberLimit() const override { return 50; }
    int entryCount() const override { return 50; }
    int memberCount(const ScanList& list) const override;
    int member(const ScanList& list, int i) const override;
    void setMember(ScanList& list, int i, int value) const override;
    bool holdsMember(const ScanList& list, int i) const override;
    bool appendMember(ScanList& list, int value) const override;
    bool removeMember(ScanList& list, int i) const override;
};

class RxGroupListRecordFormat final : public RxGroupListFormat {
public:
    std::vector<std::uint8_t> blankRecord() const override;
    std::string name(const RxGroupList& list) const override;
    void setName(RxGroupList& list, std::string_view name) const override;
    int memberLimit() const override { return 30; }
    int entryCount() const override;
    int storedMemberCount(const RxGroupList& list) const override;
    int member(const RxGroupList& list, int i) const override;
    void setMember(RxGroupList& list, int i, int value) const override;
    void setMemberCount(RxGroupList& list, int count) const override;
};

} // namespace pw::d868
