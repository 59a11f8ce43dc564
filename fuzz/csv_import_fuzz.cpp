// SPDX-License-Identifier: GPL-3.0-or-later
// Imports arbitrary files as contact and channel CSV files into codeplugs of every family. The
// import must end, keep the tables within their capacity, report its progress forward only and
// to the end, and what it took must export into a file that, imported again, adds nothing.
#include "fuzz_codeplugs.h"
#include "operations/channel_transfer.h"
#include "operations/contact_transfer.h"
#include "platform/work_progress.h"

#include <cstddef>
#include <cstdint>
#include <fstream>

namespace {

// A name that the line cannot carry as it is: one with both kinds of quote, or with a line feed.
bool changesOnTheWay(const std::string& text)
{
    return (text.find('"') != std::string::npos && text.find('\'') != std::string::npos) ||
           text.find('\n') != std::string::npos;
}

// Traps on a report that goes back or leaves the scale.
class CheckedProgress final : public pw::WorkProgress {
public:
    void progressed(int done, int total) override
    {
        if (total != pw::ProgressScale || done < last || done > total)
            __builtin_trap();
        last = done;
    }
    int last = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = pw::fuzz::scratchFolder() / "input.csv";
    const auto again = pw::fuzz::scratchFolder() / "again.csv";
    pw::fuzz::writeInput(input, data, size);
    for (auto& plug : pw::fuzz::codeplugs()) {
        auto& codeplug = *plug.codeplug;
        pw::fuzz::reset(plug);
        const int contactsBefore = codeplug.contacts().count();
        const int imported = pw::importContactsCsv(codeplug, input);
        if (imported < 0 || codeplug.contacts().count() != contactsBefore + imported ||
            codeplug.contacts().count() > pw::contactCapacity(codeplug.formatId()))
            __builtin_trap();
        if (!pw::exportContactsCsv(codeplug, again) || pw::importContactsCsv(codeplug, again) != 0)
            __builtin_trap();

        CheckedProgress progress;
        const auto counts = pw::importChannelsCsv(codeplug, input, &progress);
        if (progress.last != pw::ProgressScale || !counts.opened || counts.added != codeplug.channels().count() ||
            codeplug.channels().count() > pw::channelCapacity(codeplug.formatId()))
            __builtin_trap();
        if (counts.added == 0 || counts.tableFull)
            continue;
        bool renamed = false;
        for (const auto& channel : codeplug.channels())
            renamed = renamed || changesOnTheWay(channel->name());
        if (!pw::exportChannelsCsv(codeplug, again))
            __builtin_trap();
        const auto back = pw::importChannelsCsv(codeplug, again);
        if (!renamed && (back.added != 0 || back.duplicates != counts.added))
            __builtin_trap();
    }
    return 0;
}
