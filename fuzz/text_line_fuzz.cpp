// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary lines to the field and word readers, to the contact line reader of every family
// and to the channel editor's frequency box reader: each must stay within the line and never
// crash, whatever the bytes, and a frequency box always reads as a finite number.
#include "codeplug/record_factory.h"
#include "model/contact.h"
#include "model/field_readers.h"
#include "presenter/channel_editor_rules.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    std::string out;
    for (int n = 0; n < 48; ++n) {
        const std::size_t limit = static_cast<std::size_t>(n % 4) * 7;
        const int csv = pw::CsvFieldReader::field(line, n, limit, out);
        if (csv > static_cast<int>(size) || (limit != 0 && out.size() > limit))
            __builtin_trap();
        const int word = pw::WordReader::word(line, n, limit, out);
        if (word > static_cast<int>(size) || (limit != 0 && out.size() > limit))
            __builtin_trap();
        if (csv < 0 && word < 0)
            break;
    }
    if (!std::isfinite(pw::frequencyFromBox(line)))
        __builtin_trap();
    for (const pw::FormatId format : {pw::Md380Format, pw::RdbV2Format, pw::D868Format}) {
        pw::Contact contact = pw::newContact(format);
        if (contact.fromLine(line) != pw::ContactLineRead::Read)
            continue;
        // What was read writes a line that reads back to the same contact, unless a text holds a
        // double quote: the line has no escape for it.
        const auto written = contact.toLine();
        if (std::count(written.begin(), written.end(), '"') != 18)
            continue;
        pw::Contact again = pw::newContact(format);
        if (again.fromLine(written) != pw::ContactLineRead::Read || again.toLine() != written)
            __builtin_trap();
    }
    return 0;
}
