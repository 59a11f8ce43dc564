// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recognition chain: each codeplug format's probe tests the file's size, signature and model
// text, in a fixed order, and the first that passes takes the file. Adding a format is adding its
// probe here.

#include "codeplug/format_codec.h"
#include "platform/file_io.h"

#include <memory>
#include <span>

namespace pw {

struct FormatProbe {
    FormatId formatId;
    // True when the file (its first bytes, up to ProbeReadLimit, and its size) is of this format.
    bool (*matches)(const FileContent& file);
    // Makes the format's codec, which takes the file's bytes.
    std::unique_ptr<FormatCodec> (*take)(FileContent file);
    // The format's record formats and table sizes, which need no file.
    const RecordFormats& (*recordFormats)();
    TableCapacities capacities;
};

// The most bytes of a file that recognition reads: as much as the largest format can be.
inline constexpr std::size_t ProbeReadLimit = (256u << 20) + 1;

std::span<const FormatProbe> probeChain();

// The codec of the first format that takes the file; nothing when none does.
std::unique_ptr<FormatCodec> recognise(FileContent file);

// The probe of a format; nothing for a FormatId no format has.
const FormatProbe* probeOf(FormatId formatId);

// The name of vendor entry `entry` (1-4) of the formats whose vendor can be changed, "Unknown" for
// any other entry: what a document lists before a file is opened.
std::string changeableVendorName(int entry);

// The record formats of a format, for records made without a file (tests, tools). A FormatId no
// format has gives those of the first format of the chain.
const RecordFormats& recordFormatsOf(FormatId formatId);

} // namespace pw
