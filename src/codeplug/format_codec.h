// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One codeplug format as the document sees it.
//
// A FormatCodec is made for one opened file by its family's probe (see probe_chain.h) and holds
// what the family keeps of that file besides the model: the memory image, the layout of its
// tables, the sections the model does not cover. It decodes the file into the document's lists,
// encodes the lists back into its image, gives the bytes of the file to save, and answers what
// differs between formats: capacities, the record formats of the model, the radio's identity, and
// how zones and scan lists refer to channels.

#include "codeplug/format_id.h"
#include "codeplug/frequency_limits.h"
#include "model/record_format.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class ByteSink;
class Codeplug;
class Channel;
class IndexRemap;

// Functions the window may offer for a format.
namespace feature {
inline constexpr std::uint32_t ContactsTab = 0x01;
inline constexpr std::uint32_t ChannelsTab = 0x02;
inline constexpr std::uint32_t ChannelOperations = 0x04;
inline constexpr std::uint32_t ZonesTab = 0x08;
inline constexpr std::uint32_t ScanListsTab = 0x10;
inline constexpr std::uint32_t RxGroupsTab = 0x20;
inline constexpr std::uint32_t VendorChange = 0x80;
inline constexpr std::uint32_t StructuralImportTab = 0x100;
} // namespace feature

// The record formats of one codeplug format.
struct RecordFormats {
    const ContactFormat* contact = nullptr;
    const ChannelFormat* channel = nullptr;
    const ZoneFormat* zone = nullptr;
    const ScanListFormat* scanList = nullptr;
    const RxGroupListFormat* rxGroupList = nullptr;
};

// The sizes of a format's tables.
struct TableCapacities {
    int contacts = 0;
    int channels = 0;
    int zones = 250;
    int scanLists = 250;
    int rxGroupLists = 250;
};

class FormatCodec {
public:
    virtual ~FormatCodec() = default;

    virtual FormatId formatId() const = 0;
    FormatFamily family() const { return familyOf(formatId()); }
    virtual std::uint32_t featureFlags() const = 0;
    // The format's table sizes and record formats, as its probe has them (probe_chain.cpp).
    TableCapacities capacities() const;
    const RecordFormats& recordFormats() const;

    // ---- Decode, encode, save ----

    // Fills the document's lists (emptied before) from the file, repairing and logging what points
    // nowhere; false when the file is damaged, with the reason in the error log.
    virtual bool decode(Codeplug& codeplug) = 0;
    // Writes the lists into the image, so that the image mirrors the model.
    virtual void encode(Codeplug& codeplug) = 0;
    // Writes the file to save into `sink`; false when no file can be built (the reason is then in
    // `why`) or the sink failed.
    virtual bool writeFile(Codeplug& codeplug, ByteSink& sink, std::string& why) = 0;
    // The file was saved; a format that built it afresh keeps what it needs of it.
    virtual void saved() {}

    // ---- Identity ----

    virtual std::string radioTypeText() const = 0;
    virtual std::string radioName() const = 0;
    virtual void setRadioName(std::string_view name) = 0;
    virtual std::uint32_t radioDmrId() const = 0;
    virtual void setRadioDmrId(std::uint32_t id) = 0;
    // The radio model name that chooses power texts (ChannelFormat::powerText); empty in most formats.
    virtual std::string radioModelName() const { return {}; }
    // The model text of the image ("2017", "MD9600", ...), empty where there is none.
    virtual std::string modelText() const { return {}; }
    // Whether the format has an emergency system table that channels refer to by name.
    virtual bool keepsEmergencySystems() const { return false; }
    // The frequency bands the radio works in: the limits its file names, else the VHF (136-174 MHz)
    // and UHF (400-480 MHz) bands of the radios.
    virtual std::vector<FrequencyLimits> radioBands() const;
    // The vendor entry (1-4) of formats whose vendor can be changed, 0 otherwise.
    virtual int vendorIndex() const { return 0; }
    virtual void setVendor(int /*entry*/) {}
    // The name of vendor entry `entry` (1-4) of formats whose vendor can be changed; "Unknown" for
    // any other entry, and in other formats.
    virtual std::string vendorName(int /*entry*/) const { return "Unknown"; }

    // ---- Channel references ----
    //
    // Zones and scan lists refer to channels by member number: the 1-based table position in most
    // formats, the image slot in others.

    virtual int memberNumberOf(const Codeplug& codeplug, int channelIndex) const;
    // The 0-based channel index member `number` names: number − 1 for positions (also beyond the
    // table, so that a dangling member can be told from an empty one), the index of the channel in
    // that slot for slots; -1 for none.
    virtual int channelIndexOfMember(const Codeplug& codeplug, int number) const;
    // The smallest channel and contact tables the radio accepts (deletes stop there).
    virtual int minimumChannels() const { return 0; }
    virtual int minimumContacts() const { return 0; }
    // Keeps the image right when the contact at `index` is about to leave the table.
    virtual void contactLeaving(Codeplug& /*codeplug*/, int /*index*/) {}
    // The same for several contacts leaving at once (ascending, each once): the image ends as it
    // would after contactLeaving and the delete of each, from the last to the first.
    virtual void contactsLeaving(Codeplug& codeplug, const std::vector<int>& indexes);
    // Gives a channel about to be appended its place in the image; false when there is none.
    virtual bool placeNewChannel(Codeplug& /*codeplug*/, Channel& /*channel*/) { return true; }
    // Keeps zones and scan lists right before the channel at `index` leaves the table.
    virtual void channelLeaving(Codeplug& codeplug, int index);
    // Keeps the image right after the channel at `index` left the table.
    virtual void channelLeft(Codeplug& /*codeplug*/, int /*index*/) {}
    // Keeps zones and scan lists right after a channel sort; `remap` maps old positions to new.
    virtual void channelsSorted(Codeplug& codeplug, const IndexRemap& remap);
};

} // namespace pw
