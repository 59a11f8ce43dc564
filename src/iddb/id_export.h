// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Export of ID database records as the contact list CSV that a radio type's programming software
// imports, without the window and without questions to the user: the criteria, the match count and
// the file's text. The export command with its file chooser and overwrite question is in
// operations/id_export_command.h.
//
// Layouts, by radio type (lines end in CR LF; a value holding a comma or a double quote is quoted,
// with inner quotes doubled, so that it stays in its column):
//   1 "TYT MD2017 / MDUV380"       header "Radio ID,CallSign,Name,Nickname,City,State,Country,"
//                                  record radioId,callsign,name,,city,state,country
//   2 "TYT MD9600 / Retevis RT90"  header "Radio ID,CallSign,Name,City,State/Prov,Country,"
//                                  record radioId,callsign,name,city,state,country
//   3 "TYT MD380"                  no header; record radioId,name,,,,,
//
// The records hold UTF-8; the vendors' programs read these files as Windows-1252, so the file is
// written in Windows-1252 with every character outside it transliterated ("Łódź" as "Lodz"), or,
// for radios that show no accents, in plain ASCII.

#include "iddb/id_database.h"

#include <string>
#include <string_view>
#include <vector>

namespace pw {

inline constexpr std::size_t CriteriaLineLimit = 126;

// 1, 2 or 3; 0 for none chosen.
std::string radioTypeButtonText(int radioType);

// The criteria terms: one blank followed by each line (at most 126 characters of it), up to the
// first empty line, 50 at most. No terms: every record is included.
std::vector<std::string> exportCriteriaTerms(std::string_view criteriaText);
// The records included by the criteria, in record order.
std::vector<int> exportedRecords(const IdRecordStore& records, std::string_view criteriaText);
// "%d matching records in database".
std::string matchingRecordsText(const IdRecordStore& records, std::string_view criteriaText);

enum class ExportCharset { Windows1252, Ascii };

// The whole CSV text of an export, in the chosen character set.
std::string exportCsvText(const IdRecordStore& records, int radioType, std::string_view criteriaText,
                          ExportCharset charset = ExportCharset::Windows1252);

} // namespace pw
