#pragma once
// Export of ID database records as the contact list CSV that a radio type's programming software
// imports, without the window: the criteria, the match count and the export command.
//
// Layouts, by radio type (values written as stored, without quotes or escaping; lines end in CR LF):
//   1 "TYT MD2017 / MDUV380"       header "Radio ID,CallSign,Name,Nickname,City,State,Country,"
//                                  record radioId,callsign,name,,city,state,country
//   2 "TYT MD9600 / Retevis RT90"  header "Radio ID,CallSign,Name,City,State/Prov,Country,"
//                                  record radioId,callsign,name,city,state,country
//   3 "TYT MD380"                  no header; record radioId,name,,,,,
//
// The file is written beside its destination and renamed over it only when it is whole, so a
// failed export never leaves a half-written file, and a failure is reported as one.

#include "iddb/id_database.h"

#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Prompts;

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

// The whole CSV text of an export.
std::string exportCsvText(const IdRecordStore& records, int radioType, std::string_view criteriaText);

enum class ExportOutcome { Written, NoDatabase, NoRadioType, Cancelled, Declined, WriteFailed };

// "Export...": asks for the file, confirms an overwrite, writes the file and reports.
// `database` may be null.
ExportOutcome exportIdRecords(const IdDatabase* database, int radioType, std::string_view criteriaText,
                              Prompts& prompts);

} // namespace pw
