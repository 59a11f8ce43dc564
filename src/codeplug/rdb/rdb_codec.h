// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The RDB family's codec: probes for the three RDB layout versions, and the codec of an opened RDB
// file, which holds its memory image (map in rdb_map.h).

#include "codeplug/format_codec.h"
#include "codeplug/image_codec.h"
#include "codeplug/probe_chain.h"
#include "codeplug/rdb/rdb_layout.h"

#include <cstdint>
#include <vector>

namespace pw::rdb {

// Probes of the recognition chain: the layout version text at 0x2010.
bool isV1File(const FileContent& file);
bool isV11File(const FileContent& file);
bool isV2File(const FileContent& file);

class RdbCodec final : public ImageCodec {
public:
    RdbCodec(FormatId formatId, FileContent file);

    FormatId formatId() const override { return formatId_; }
    std::uint32_t featureFlags() const override { return 0x13F; }

    bool decode(Codeplug& codeplug) override;
    void encode(Codeplug& codeplug) override;
    bool writeFile(Codeplug& codeplug, ByteSink& sink, std::string& why) override;

    std::string radioTypeText() const override;
    std::string radioModelName() const override;

    // Zones and scan lists name channels by image slot.
    int memberNumberOf(const Codeplug& codeplug, int channelIndex) const override;
    int channelIndexOfMember(const Codeplug& codeplug, int number) const override;
    int minimumChannels() const override { return 1; }
    void contactLeaving(Codeplug& codeplug, int index) override;
    void contactsLeaving(Codeplug& codeplug, const std::vector<int>& indexes) override;
    bool placeNewChannel(Codeplug& codeplug, Channel& channel) override;
    void channelLeaving(Codeplug& codeplug, int index) override;
    void channelLeft(Codeplug& codeplug, int index) override;
    void channelsSorted(Codeplug& codeplug, const IndexRemap& remap) override;

    const RdbLayout& layout() const { return layout_; }
    // Number of bytes of the image to write back; the encoder may raise it.
    std::size_t imageLength() const { return imageLength_; }
    // The image slots of the channels in table order, as the slot-order table lists them.
    std::vector<std::uint16_t> slotOrderTable() const;

private:
    void writeSlotOrderTable(const std::vector<std::uint16_t>& slots);
    void writeChannelSlot(const Channel& channel, int slot);

    FormatId formatId_;
    RdbLayout layout_;
    std::size_t imageLength_ = 0;
    // The slot of the channel being deleted, between channelLeaving and channelLeft.
    int leavingSlot_ = 0;
};

// The probe chain's taker of version `Id`: the codec of the file's bytes.
template <FormatId Id>
std::unique_ptr<FormatCodec> takeFile(FileContent file)
{
    return std::make_unique<RdbCodec>(Id, std::move(file));
}

} // namespace pw::rdb
