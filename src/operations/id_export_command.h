// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Export..." of the radio CSV export: asks for the file, confirms an overwrite, selects the users
// and writes the file (iddb/id_export.h), and reports. The file is written beside its destination
// and renamed over it only when it is whole, so a failed export never leaves a half-written file.

#include "iddb/id_export.h"
#include "iddb/id_user_index.h"

namespace pw {

class Prompts;

enum class ExportOutcome { Written, NoDatabase, NoRadioType, Cancelled, Declined, WriteFailed };

struct ExportRequest {
    RadioCsvType type = RadioCsvType::None;
    IdSelectionCriteria criteria;
    RadioCsvOptions options;
};

// `users` may be null (no database). The closing message tells the selection's counts after
// "CSV output file successfully written.".
ExportOutcome exportIdRecords(const IdUserIndex* users, const ExportRequest& request, Prompts& prompts);

} // namespace pw
