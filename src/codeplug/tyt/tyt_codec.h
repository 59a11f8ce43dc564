// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The TYT family's codec: probes for the three TYT formats, and the codec of an opened TYT file,
// which holds the file's memory image (map in tyt_map.h).

#include "codeplug/format_codec.h"
#include "codeplug/image_codec.h"
#include "codeplug/probe_chain.h"
#include "codeplug/tyt/tyt_file_forms.h"
#include "codeplug/tyt/tyt_map.h"

#include <cstdint>
#include <vector>

namespace pw::tyt {

// Probes of the recognition chain. The MD-2017 family's files are recognised by the model text at
// 0x125; a DfuSe file of the MD-UV380's size with any other model text has the MD-UV380 layout
// (0x1003); any other DfuSe file at least as long as the MD-380 image is an MD-380 family file.
bool isMd9600File(const FileContent& file);
bool isMd2017File(const FileContent& file);
bool isUvLayoutFile(const FileContent& file);
bool isMd380File(const FileContent& file);
std::unique_ptr<FormatCodec> takeMd9600File(FileContent file);
std::unique_ptr<FormatCodec> takeMd2017File(FileContent file);
std::unique_ptr<FormatCodec> takeMd380File(FileContent file);
// Radio images (the memory without the vendor file's wrapping) are told by their size alone: they
// carry no signature, so their probes come after every other.
bool isMd380Image(const FileContent& file);
bool isUvImage(const FileContent& file);
std::unique_ptr<FormatCodec> takeMd380Image(FileContent file);
std::unique_ptr<FormatCodec> takeUvImage(FileContent file);

// Its image holds the file's first bytes, as many as the format reads, and a margin of zeros.
class TytCodec final : public ImageCodec {
public:
    // `file` is a vendor file, or a radio image when `form` says so.
    TytCodec(const TytLayout& layout, FileContent file, FileForm form = FileForm::VendorFile);

    FormatId formatId() const override { return layout_.formatId; }
    std::uint32_t featureFlags() const override;

    bool decode(Codeplug& codeplug) override;
    void encode(Codeplug& codeplug) override;
    bool writeFile(Codeplug& codeplug, ByteSink& sink, std::string& why) override;

    std::string radioTypeText() const override;
    std::string modelText() const override;
    bool keepsEmergencySystems() const override { return true; }
    std::vector<FrequencyLimits> radioBands() const override;
    int vendorIndex() const override;
    void setVendor(int entry) override;
    std::string vendorName(int entry) const override;

    const TytLayout& layout() const { return layout_; }
    FileForm form() const { return form_; }
    // The radio's memory as the image last encoded holds it.
    std::vector<std::uint8_t> radioMemory() const { return memoryOf(image_, memorySizeOf(layout_.imageSize)); }

private:
    TytLayout layout_;
    FileForm form_;
    // The bytes of the file beyond the part its format reads, written back after the image, and
    // how many bytes of the image came from the file.
    std::vector<std::uint8_t> fileTail_;
    std::size_t bytesRead_ = 0;
};

// The name of vendor entry 1-4 of the MD-380 family ("Tyt MD380/90 & Retevis RT3", ...).
std::string vendorEntryName(int entry);

} // namespace pw::tyt
