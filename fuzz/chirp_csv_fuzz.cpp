// SPDX-License-Identifier: GPL-3.0-or-later
// Imports arbitrary files as CHIRP CSV files into codeplugs of every family. The import must end,
// count every memory line once, keep the channel table within its capacity, and what it took must
// export into a CHIRP file that reads back whole: every memory readable and in the radio's bands.
#include "fuzz_codeplugs.h"
#include "operations/chirp_csv.h"
#include "operations/text_lines.h"

#include <cstddef>
#include <cstdint>
#include <fstream>

namespace {

pw::ChirpImport importFile(pw::Codeplug& codeplug, const std::filesystem::path& path)
{
    pw::TextLineReader lines(path);
    return pw::importChirpCsv(codeplug, lines);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = pw::fuzz::scratchFolder() / "input.csv";
    const auto again = pw::fuzz::scratchFolder() / "again.csv";
    pw::fuzz::writeInput(input, data, size);
    for (auto& plug : pw::fuzz::codeplugs()) {
        auto& codeplug = *plug.codeplug;
        pw::fuzz::reset(plug);
        const auto imported = importFile(codeplug, input);
        if (imported.read != imported.refusal.empty() || imported.imported != codeplug.channels().count() ||
            codeplug.channels().count() > pw::channelCapacity(codeplug.formatId()))
            __builtin_trap();
        {
            std::ofstream out(again, std::ios::binary | std::ios::trunc);
            out << pw::chirpCsv(codeplug);
        }
        const int written = codeplug.channels().count();
        pw::fuzz::reset(plug);
        const auto back = importFile(codeplug, again);
        if (!back.read || back.unreadable != 0 || back.outOfBand != 0 || back.notFm != 0 ||
            back.imported + back.namePresent != written)
            __builtin_trap();
    }
    return 0;
}
