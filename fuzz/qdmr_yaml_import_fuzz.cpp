// SPDX-License-Identifier: GPL-3.0-or-later
// Imports arbitrary text as a qdmr YAML codeplug into codeplugs of every family. The import must
// end, keep every table within its capacity, and leave a codeplug whose own qdmr YAML reads back
// as a codeplug that brings in no channel a second time.
#include "fuzz_codeplugs.h"
#include "operations/qdmr_codeplug.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (auto& plug : pw::fuzz::codeplugs()) {
        auto& codeplug = *plug.codeplug;
        pw::fuzz::reset(plug);
        const auto imported = pw::importQdmrYaml(codeplug, text);
        if (imported.read != imported.refusal.empty() || imported.counts.channels != codeplug.channels().count() ||
            codeplug.channels().count() > pw::channelCapacity(codeplug.formatId()) ||
            codeplug.contacts().count() > pw::contactCapacity(codeplug.formatId()) ||
            codeplug.zones().count() > pw::MaxZones || codeplug.scanLists().count() > pw::MaxScanLists ||
            codeplug.rxGroupLists().count() > pw::MaxRxGroupLists)
            __builtin_trap();
        const auto again = pw::importQdmrYaml(codeplug, pw::qdmrYaml(codeplug));
        if (!again.read || again.counts.channels != 0)
            __builtin_trap();
    }
    return 0;
}
