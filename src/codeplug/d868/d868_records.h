// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record formats of the D868 family: how its contacts, channels, zones, scan lists and RX group
// lists keep their values in the records of the file (d868_map.h).
//
// Contacts are stored packed (packed_contact_stream.h) and keep no record of their own: their
// values are all there is of them. Channels keep their 214-byte record: the 212-byte block and the
// word after it.

#include "codeplug/format_codec.h"
#include "codeplug/list_records.h"
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

} // namespace pw::d868
