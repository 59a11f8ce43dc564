// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A codec that holds its file's memory image, in which the radio keeps its name (16 UTF-16LE
// units) and its DMR ID (24 bits) at places of its format's: the TYT and RDB families.

#include "codeplug/byte_field.h"
#include "codeplug/format_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class ImageCodec : public FormatCodec {
public:
    std::string radioName() const final { return getUtf16Name(image_, radioNameAt_, 16); }
    void setRadioName(std::string_view name) final { setUtf16Name(image_, radioNameAt_, 16, name); }
    std::uint32_t radioDmrId() const final { return getU24Le(image_, radioDmrIdAt_); }
    void setRadioDmrId(std::uint32_t id) final { setU24Le(image_, radioDmrIdAt_, id); }

    std::vector<std::uint8_t>& image() { return image_; }
    const std::vector<std::uint8_t>& image() const { return image_; }

protected:
    ImageCodec(std::size_t radioNameAt, std::size_t radioDmrIdAt) : radioNameAt_(radioNameAt), radioDmrIdAt_(radioDmrIdAt) {}

    std::vector<std::uint8_t> image_;

private:
    std::size_t radioNameAt_;
    std::size_t radioDmrIdAt_;
};

} // namespace pw
