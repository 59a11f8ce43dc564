// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record formats of the RDB family: how its contacts, channels, zones, scan lists and RX group
// lists keep their values in the records of the memory map (rdb_map.h).

#include "codeplug/format_codec.h"
#include "codeplug/list_records.h"
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

// Sets the count byte a zone keeps beside its members.
void setZoneCountByte(Zone& zone, int count);

} // namespace pw::rdb
