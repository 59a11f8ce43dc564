// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Export..." of the ID record CSV export: asks for the file, confirms an overwrite, writes the
// file (iddb/id_export.h) and reports. The file is written beside its destination and renamed over
// it only when it is whole, so a failed export never leaves a half-written file.

#include "iddb/id_database.h"
#include "iddb/id_export.h"

#include <string_view>

namespace pw {

class Prompts;

enum class ExportOutcome { Written, NoDatabase, NoRadioType, Cancelled, Declined, WriteFailed };

// `database` may be null.
ExportOutcome exportIdRecords(const IdDatabase* database, int radioType, std::string_view criteriaText,
                              Prompts& prompts, ExportCharset charset = ExportCharset::Windows1252);

} // namespace pw
