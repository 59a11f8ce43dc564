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
        const int read = contact.fromLine(line);
        if (read != 1 && read != 0 && read != pw::Contact::TooFewFields && read != pw::Contact::IdNotANumber &&
            read != pw::Contact::IdOutOfRange)
            __builtin_trap();
        if (read == 1) {
            // A written line always reads, and after one trip the line no longer changes (a text
            // holding both kinds of quote has its double quotes written as single ones).
            pw::Contact once = codeplug.newContact();
            if (once.fromLine(contact.toLine()) != 1)
                __builtin_trap();
            pw::Contact twice = codeplug.newContact();
            if (twice.fromLine(once.toLine()) != 1 || twice.toLine() != once.toLine())
                __builtin_trap();
        }
        const int before = codeplug.contacts().count();
        const int added = pw::addContactFromLine(codeplug, line);
        if (added != 0 && added != 1 && added != -1 && added != pw::Contact::TooFewFields &&
            added != pw::Contact::IdNotANumber && added != pw::Contact::IdOutOfRange && added != -4)
            __builtin_trap();
        if (codeplug.contacts().count() != before + (added == 1 ? 1 : 0))
            __builtin_trap();
    }
    return 0;
}
