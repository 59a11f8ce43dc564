// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A codeplug of a format held in memory only, without a file: where the records of another
// program's file (a qdmr YAML codeplug) are built as records of the format they are going into,
// with its capacities and name lengths, so that they can be imported from there by name as
// another codeplug's records are. Zones and scan lists refer to channels by table position. It
// cannot be saved.

#include "codeplug/format_codec.h"

namespace pw {

class ScratchCodec final : public FormatCodec {
public:
    explicit ScratchCodec(FormatId formatId) : formatId_(formatId) {}

    FormatId formatId() const override { return formatId_; }
    std::uint32_t featureFlags() const override;

    bool decode(Codeplug& /*codeplug*/) override { return true; }
    void encode(Codeplug& /*codeplug*/) override {}
    bool writeFile(Codeplug& codeplug, ByteSink& sink, std::string& why) override;

    std::string radioTypeText() const override { return "Codeplug in memory"; }
    std::string radioName() const override { return radioName_; }
    void setRadioName(std::string_view name) override { radioName_ = name; }
    std::uint32_t radioDmrId() const override { return radioDmrId_; }
    void setRadioDmrId(std::uint32_t id) override { radioDmrId_ = id; }

private:
    FormatId formatId_;
    std::string radioName_;
    std::uint32_t radioDmrId_ = 0;
};

} // namespace pw
