// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary lines to the channel line reader of every family: reading must stay within the
// line, every channel it gives writes a line that reads back, and after one trip the written line
// settles (frequencies within the printed precision). A line whose frequency the format cannot
// store is refused.
#include "fuzz_codeplugs.h"
#include "model/field_readers.h"
#include "operations/channel_line.h"
#include "operations/contact_transfer.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool settled(const std::string& a, const std::string& b)
{
    for (int n = 0; n < pw::ChannelLine::FieldCount; ++n) {
        const auto x = pw::CsvFieldReader::field(a, n);
        const auto y = pw::CsvFieldReader::field(b, n);
        if (n == 3 || n == 4) {
            // Beyond any radio's range a frequency keeps only the precision a double holds.
            const double a = std::atof(x.c_str());
            const double b = std::atof(y.c_str());
            if (std::fabs(a - b) > 2e-5 + 1e-12 * std::fabs(a))
                return false;
        } else if (x != y) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    for (auto& plug : pw::fuzz::codeplugs()) {
        auto& codeplug = *plug.codeplug;
        pw::fuzz::reset(plug);
        const pw::ContactIndex contacts(codeplug);
        pw::Channel channel = codeplug.newChannel();
        if (pw::ChannelLine::read(line, channel, &codeplug, (size & 1) ? &contacts : nullptr) !=
            pw::ChannelLineRead::Read)
            continue;
        if (!std::isfinite(channel.rxFrequency()) || !std::isfinite(channel.txFrequency()))
            __builtin_trap();
        const auto first = pw::ChannelLine::write(channel, codeplug);
        pw::Channel once = codeplug.newChannel();
        if (pw::ChannelLine::read(first, once, &codeplug) != pw::ChannelLineRead::Read)
            __builtin_trap();
        const auto second = pw::ChannelLine::write(once, codeplug);
        pw::Channel twice = codeplug.newChannel();
        if (pw::ChannelLine::read(second, twice, &codeplug) != pw::ChannelLineRead::Read)
            __builtin_trap();
        if (!settled(second, pw::ChannelLine::write(twice, codeplug)))
            __builtin_trap();
        codeplug.addChannel(channel);
    }
    return 0;
}
