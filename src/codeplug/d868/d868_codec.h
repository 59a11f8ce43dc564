// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The D868 family's codec: the probe for D868 files, and the codec of an opened D868 file, which
// keeps the sections the model does not cover and builds a new file from the model when saved
// (map in d868_map.h).

#include "codeplug/format_codec.h"
#include "codeplug/probe_chain.h"
#include "codeplug/d868/d868_data.h"

#include <cstdint>
#include <vector>

namespace pw::d868 {

bool isD868File(const FileContent& file);
std::unique_ptr<FormatCodec> takeD868File(FileContent file);

class D868Codec final : public FormatCodec {
public:
    explicit D868Codec(FileContent file);

    FormatId formatId() const override { return D868Format; }
    std::uint32_t featureFlags() const override { return 0x13F; }

    bool decode(Codeplug& codeplug) override;
    void encode(Codeplug& /*codeplug*/) override {}
    bool writeFile(Codeplug& codeplug, ByteSink& sink, std::string& why) override;
    void saved() override;

    std::string radioTypeText() const override { return "AT868UV"; }
    std::string radioName() const override;
    void setRadioName(std::string_view name) override;
    std::uint32_t radioDmrId() const override;
    void setRadioDmrId(std::uint32_t id) override;

    // A D868 codeplug always keeps one channel and one contact.
    int minimumChannels() const override { return 1; }
    int minimumContacts() const override { return 1; }

    D868Data& data() { return data_; }
    const D868Data& data() const { return data_; }

private:
    D868Data data_;
    // The file as read, until it is decoded.
    std::vector<std::uint8_t> file_;
    // The count table of the file the latest save wrote.
    std::vector<std::uint8_t> writtenCounts_;
};

} // namespace pw::d868
