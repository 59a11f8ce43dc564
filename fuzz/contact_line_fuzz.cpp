// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary lines to the contact line reader of every family and to the one-line add of
// the clipboard paste: each must stay within the line, give one of its results, and write a line
// that reads back. A line whose DMR ID no record can hold is refused.
#include "fuzz_codeplugs.h"
#include "operations/contact_transfer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    for (auto& plug : pw::fuzz::codeplugs()) {
        auto& codeplug = *plug.codeplug;
        pw::fuzz::reset(plug);
        pw::Contact contact = codeplug.newContact();
        if (contact.fromLine(line) == pw::ContactLineRead::Read) {
            // A written line always reads, and after one trip the line no longer changes (a text
            // holding both kinds of quote has its double quotes written as single ones).
            pw::Contact once = codeplug.newContact();
            if (once.fromLine(contact.toLine()) != pw::ContactLineRead::Read)
                __builtin_trap();
            pw::Contact twice = codeplug.newContact();
            if (twice.fromLine(once.toLine()) != pw::ContactLineRead::Read || twice.toLine() != once.toLine())
                __builtin_trap();
        }
        const int before = codeplug.contacts().count();
        const auto added = pw::addContactFromLine(codeplug, line);
        // A line that reads is always offered to the table; one that does not never is.
        if ((added.read == pw::ContactLineRead::Read) != added.add.has_value())
            __builtin_trap();
        if (codeplug.contacts().count() != before + (added.added() ? 1 : 0))
            __builtin_trap();
    }
    return 0;
}
