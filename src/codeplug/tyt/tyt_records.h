// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record formats of the TYT family: how its contacts, channels, zones, scan lists and RX group
// lists keep their values, field by field, in the records of the memory map (tyt_map.h).

#include "codeplug/format_codec.h"
#include "codeplug/list_records.h"
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

} // namespace pw::tyt
