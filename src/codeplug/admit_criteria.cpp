// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/admit_criteria.h"

#include "model/letter_case.h"

namespace pw {

std::string AdmitCriteria::text(int value) const
{
    return std::string(texts[static_cast<std::size_t>(value) % texts.size()]);
}

int AdmitCriteria::valueOf(std::string_view text) const
{
    for (const AdmitWords& reading : readings)
        for (const std::string_view word : reading.words)
            if (!word.empty() && equalsIgnoringCase(text, word))
                return reading.value;
    return 0;
}

std::vector<std::string> AdmitCriteria::choices() const
{
    const auto shown = offered.empty() ? texts : offered;
    return {shown.begin(), shown.end()};
}

} // namespace pw
