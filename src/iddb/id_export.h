// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Export of ID database records as the contact list CSV that a radio's programming software (or
// dmrconfig) imports, without the window and without questions to the user: the radio types, their
// capacities, the criteria, the match count and the file's text. The export command with its file
// chooser and overwrite question is in operations/id_export_command.h.
//
// Layouts, by radio type (a value holding a comma or a double quote is quoted, with inner quotes
// doubled, so that it stays in its column, unless said otherwise):
//   1 "TYT MD2017 / MDUV380"       header "Radio ID,CallSign,Name,Nickname,City,State,Country,"
//                                  record radioId,callsign,name,,city,state,country
//   2 "TYT MD9600 / Retevis RT90"  header "Radio ID,CallSign,Name,City,State/Prov,Country,"
//                                  record radioId,callsign,name,city,state,country
//   3 "TYT MD380"                  no header; record radioId,name,,,,,
//   anytone                        the digital contact list of the AnyTone D868/D878/D578
//                                  software: header "No.","Radio ID","Callsign","Name","City",
//                                  "State","Country","Remarks","Call Type","Call Alert", every
//                                  field quoted, rows numbered from 1, "Private Call", "None"
//   dmrconfig                      what `dmrconfig -u` reads: header Radio ID,Callsign,Name,City,
//                                  State,Country,Remarks. dmrconfig splits at every comma (no
//                                  quoting), turns every byte beyond ASCII into '?', reads lines
//                                  of at most 255 bytes and stops at the first line with fewer
//                                  than seven fields; so values are plain ASCII, a comma in a
//                                  value becomes a blank, and each value is cut to what the
//                                  radio's user database keeps.
// Lines end in CR LF; dmrconfig's, a Unix tool's, in LF.
//
// The records hold UTF-8; the vendors' programs read these files as Windows-1252, so the file is
// written in Windows-1252 with every character outside it transliterated ("Łódź" as "Lodz"), or,
// for radios that show no accents, in plain ASCII.

#include "iddb/id_record.h"
#include "iddb/id_selection.h"
#include "platform/file_io.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

inline constexpr std::size_t CriteriaLineLimit = 126;

enum class RadioCsvType { None = 0, Md2017 = 1, Md9600 = 2, Md380 = 3, AnyTone = 4, Dmrconfig = 5 };

struct RadioCsvTypeInfo {
    RadioCsvType type;
    // The name on the command line: "1", "2", "3", "anytone", "dmrconfig".
    const char* name;
    // The exporter's radio button.
    const char* buttonText;
    // The most users the radio keeps, where it is known.
    std::optional<std::size_t> capacity;
};

// Every type, in the order of the exporter's buttons.
const std::vector<RadioCsvTypeInfo>& radioCsvTypes();
const RadioCsvTypeInfo* radioCsvTypeInfo(RadioCsvType type);
std::optional<RadioCsvType> radioCsvTypeNamed(std::string_view name);

// The button text of type 1, 2 or 3 (and of the others); empty for none.
std::string radioTypeButtonText(RadioCsvType type);
inline std::string radioTypeButtonText(int type) { return radioTypeButtonText(static_cast<RadioCsvType>(type)); }

// The criteria terms: one blank followed by each line (at most 126 characters of it), up to the
// first empty line, 50 at most. No terms: every record is included.
std::vector<std::string> exportCriteriaTerms(std::string_view criteriaText);
// "%d matching records in database".
std::string matchingRecordsText(const IdRecordStore& records, std::string_view criteriaText);

enum class ExportCharset { Windows1252, Ascii };

struct RadioCsvOptions {
    ExportCharset charset = ExportCharset::Windows1252;
    // The callsign only: name, city and state are left empty (type 3, which has no callsign
    // column, writes the callsign as the name).
    bool noNames = false;
};

// The CSV text of the records at these positions, in this order.
std::string radioCsvText(const IdRecordStore& records, const std::vector<int>& recordOrder, RadioCsvType type,
                         RadioCsvOptions options = {});
// The same text for a file writer, handed over a piece at a time as it is made, so that the text of
// a few hundred thousand users is never whole in memory. The store and the order must outlive the
// write.
ContentProducer radioCsvContent(const IdRecordStore& records, const std::vector<int>& recordOrder, RadioCsvType type,
                                RadioCsvOptions options = {});

// The limit of an export: the one asked for, else the type's capacity (none when unknown).
std::optional<std::size_t> exportLimit(RadioCsvType type, std::optional<std::size_t> asked);

struct RadioCsvExport {
    IdSelection selection;
    std::optional<std::size_t> capacity;
    // The store positions of the selected users' records, in the order they are written.
    std::vector<int> records;
    // The CSV text: exportSelection's; selectForExport leaves it to radioCsvContent.
    std::string text;
    // The selection's count line ("N users selected of M; capacity C") and its notes, CR LF apart.
    std::string report;
};

// Selects the users (cut at exportLimit), with the report, without the text.
RadioCsvExport selectForExport(const IdUserIndex& users, IdSelectionCriteria criteria, RadioCsvType type);
// Selects the users as selectForExport does and writes them as the type's CSV text.
RadioCsvExport exportSelection(const IdUserIndex& users, IdSelectionCriteria criteria, RadioCsvType type,
                               RadioCsvOptions options = {});

} // namespace pw
