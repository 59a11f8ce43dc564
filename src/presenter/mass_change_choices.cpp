// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/mass_change_choices.h"

#include "codeplug/codeplug.h"
#include "codeplug/probe_chain.h"
#include "model/letter_case.h"
#include "model/text_trim.h"
#include "model/tone_code.h"
#include "presenter/choice_lists.h"

namespace pw {
namespace {

// The CTCSS tones of the dialog's lists: 67.0 to 225.7 Hz, as the Channel Editor's encode list.
constexpr std::size_t ListedCtcssCount = 45;
constexpr int HighestColorCode = 15;

} // namespace

std::vector<std::string> offsetChoices()
{
    return {"Simplex", "( + )", "( -- )"};
}

std::vector<std::string> scanListChoices(const Codeplug& codeplug)
{
    return noneThenNames(codeplug.scanLists());
}

std::vector<std::string> contactChoices(const Codeplug& codeplug)
{
    return noneThenNames(codeplug.contacts());
}

std::vector<std::string> rxGroupChoices(const Codeplug& codeplug)
{
    return noneThenNames(codeplug.rxGroupLists());
}

std::vector<std::string> admitChoicesForMassChange(FormatId formatId)
{
    return recordFormatsOf(formatId).channel->admitChoices(ChannelMode::Dmr);
}

std::vector<std::string> timeSlotChoices()
{
    return {"1", "2"};
}

std::vector<std::string> colorCodeChoices()
{
    return numberChoices(0, HighestColorCode);
}

const std::vector<std::string>& toneChoices()
{
    static const std::vector<std::string> tones = toneChoiceList(ListedCtcssCount);
    return tones;
}

std::optional<std::size_t> toneChoiceIndex(std::string_view text)
{
    const std::string word(trimmedBlanks(text));
    if (equalsIgnoringCase(word, "NONE"))
        return 0;
    // Any other text that reads as no tone fits no form: a typing error, not a choice.
    const auto code = ToneCode::fromText(text);
    if (code.isNone())
        return std::nullopt;
    const auto& tones = toneChoices();
    for (std::size_t i = 1; i < tones.size(); ++i)
        if (ToneCode::fromText(tones[i]) == code)
            return i;
    return std::nullopt;
}

} // namespace pw
