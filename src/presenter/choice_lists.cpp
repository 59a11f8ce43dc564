// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/choice_lists.h"

#include "model/tone_code.h"

namespace pw {
namespace {

// The first entry of the editors' CTCSS table (62.5 Hz) is listed by no dialog.
constexpr std::size_t FirstListedCtcss = 1;

} // namespace

std::vector<std::string> toneChoiceList(std::size_t ctcssCount)
{
    std::vector<std::string> list{"None"};
    for (std::size_t i = FirstListedCtcss; i < FirstListedCtcss + ctcssCount; ++i)
        list.push_back(ToneCode::fromText(CtcssToneTable[i]).text());
    for (const bool inverted : {false, true})
        for (const auto octal : DcsCodeTable)
            list.push_back(dcsTone(octal, inverted).text());
    return list;
}

std::vector<std::string> numberChoices(int first, int last)
{
    std::vector<std::string> list;
    for (int n = first; n <= last; ++n)
        list.push_back(std::to_string(n));
    return list;
}

} // namespace pw
