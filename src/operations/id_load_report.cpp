// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/id_load_report.h"

#include "iddb/id_database.h"
#include "platform/prompts.h"

#include <algorithm>

namespace pw {

void showLoadReport(const IdDatabase& database, Prompts& prompts)
{
    const auto outcomes = database.Outcomes();
    const auto lines = database.OutcomeLines();
    if (lines.empty())
        return;
    std::string text;
    for (const auto& line : lines) {
        if (!text.empty())
            text += "\r\n";
        text += line;
    }
    const bool anyFailed = !database.Options().settingsProblems.empty()
                        || std::any_of(outcomes.begin(), outcomes.end(), [](const IdSourceOutcome& o) { return o.failed; });
    prompts.message(anyFailed ? MessageIcon::Warning : MessageIcon::Information, MessageButtons::Ok, text);
}

} // namespace pw
