// SPDX-License-Identifier: GPL-3.0-or-later
// Pastes arbitrary text into codeplugs of every family, answering the questions from the input's
// first byte. The paste must end, keep every table within its capacity, count exactly what it
// added, and what it added must copy into a text that, pasted back, adds nothing.
#include "fuzz_codeplugs.h"
#include "operations/clipboard_transfer.h"
#include "support/silent_prompts.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Answers Yes or No by turns of the bits of one byte, and names each rename anew.
class FuzzPrompts final : public pw::Prompts {
public:
    explicit FuzzPrompts(std::uint8_t pattern) : pattern_(pattern) {}

    pw::MessageAnswer message(pw::MessageIcon, pw::MessageButtons buttons, std::string_view,
                              std::string_view) override
    {
        if (buttons == pw::MessageButtons::Ok)
            return pw::MessageAnswer::Ok;
        const bool yes = (pattern_ >> (asked_++ % 8)) & 1;
        return yes ? pw::MessageAnswer::Yes : pw::MessageAnswer::No;
    }
    std::optional<std::string> inputBox(std::string_view, std::string_view, std::size_t maxLength,
                                        std::string_view initial) override
    {
        // Every eighth box repeats the refused name, which must not be asked for ever.
        if (++typed_ % 8 == 0)
            return std::string(initial);
        return ("Fz" + std::to_string(typed_)).substr(0, maxLength);
    }
    std::optional<std::string> chooseFile(const pw::FileChooserRequest&) override { return std::nullopt; }
    void setBusy(bool) override {}

private:
    std::uint8_t pattern_;
    unsigned asked_ = 0;
    unsigned typed_ = 0;
};

// A name that the line cannot carry as it is: one with both kinds of quote, or with a line feed.
bool changesOnTheWay(const std::string& text)
{
    return (text.find('"') != std::string::npos && text.find('\'') != std::string::npos) ||
           text.find('\n') != std::string::npos;
}

std::vector<int> rowsFrom(int first, int last)
{
    std::vector<int> rows;
    for (int i = first; i < last; ++i)
        rows.push_back(i);
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::uint8_t pattern = size > 0 ? data[0] : 0;
    for (auto& plug : pw::fuzz::codeplugs()) {
        auto& codeplug = *plug.codeplug;
        pw::fuzz::reset(plug);
        codeplug.zones().deleteAll();
        const int contactsBefore = codeplug.contacts().count();
        const int channelsBefore = codeplug.channels().count();
        const int zonesBefore = codeplug.zones().count();
        FuzzPrompts prompts(pattern);
        pw::ListTabState state;
        const auto outcome = pw::pasteText(codeplug, prompts, text, state);

        const int contactsAdded = codeplug.contacts().count() - contactsBefore;
        const int channelsAdded = codeplug.channels().count() - channelsBefore;
        if (outcome.contactsAdded != contactsAdded || outcome.channelsAdded != channelsAdded ||
            outcome.duplicates < 0 || outcome.zoneMembers < 0)
            __builtin_trap();
        if (codeplug.contacts().count() > pw::contactCapacity(codeplug.formatId()) ||
            codeplug.channels().count() > pw::channelCapacity(codeplug.formatId()) ||
            codeplug.zones().count() > pw::MaxZones)
            __builtin_trap();
        if (codeplug.zones().count() > zonesBefore) {
            pw::Zone zone(*codeplug.zones().at(codeplug.zones().count() - 1));
            int members = 0;
            for (int bank = 1; bank <= zone.bankCount(); ++bank) {
                zone.selectBank(bank);
                if (zone.memberCount() > zone.capacity())
                    __builtin_trap();
                members += zone.memberCount();
            }
            if (members != outcome.zoneMembers || state.currentZone != codeplug.zones().count() - 1)
                __builtin_trap();
        }

        // What was pasted copies and pastes back as duplicates only (as far as a paste reads).
        if (contactsAdded > 0) {
            pw::SilentPrompts silent;
            const auto again = pw::contactsClipboardText(codeplug, rowsFrom(contactsBefore, codeplug.contacts().count()));
            const auto back = pw::pasteText(codeplug, silent, again, state);
            if (again.size() <= pw::PasteTextLimit && (back.contactsAdded != 0 || back.duplicates != contactsAdded))
                __builtin_trap();
        }
        if (channelsAdded > 0) {
            bool renamed = false;
            for (int i = channelsBefore; i < codeplug.channels().count(); ++i)
                renamed = renamed || changesOnTheWay(codeplug.channelAt(i)->name());
            pw::SilentPrompts silent;
            const auto again = pw::channelsClipboardText(codeplug, rowsFrom(channelsBefore, codeplug.channels().count()));
            const auto back = pw::pasteText(codeplug, silent, again, state);
            if (!renamed && again.size() <= pw::PasteTextLimit &&
                (back.channelsAdded != 0 || back.duplicates != channelsAdded))
                __builtin_trap();
        }
    }
    return 0;
}
