// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_export.h"

#include "iddb/id_search.h"
#include "iddb/id_searcher.h"
#include "model/line_fields.h"
#include "model/unicode_text.h"

namespace pw {
namespace {

// A value holding a comma or a quote is quoted, with inner quotes doubled, so that it stays one
// column.
void appendField(std::string& out, std::string_view text, ExportCharset charset)
{
    std::string converted;
    if (!isAscii(text)) {
        converted = charset == ExportCharset::Ascii ? transliterateToAscii(text) : transliterateToWindows1252(text);
        text = converted;
    }
    appendCsvField(out, text);
}

void appendRecordLine(std::string& out, const IdRecord& record, int radioType, ExportCharset charset)
{
    switch (radioType) {
    case 1:
        for (const auto text : {record.radioId(), record.callsign(), record.name()}) {
            appendField(out, text, charset);
            out += ',';
        }
        out += ',';
        appendField(out, record.city(), charset);
        out += ',';
        appendField(out, record.state(), charset);
        out += ',';
        appendField(out, record.country(), charset);
        break;
    case 2:
        for (const auto text : {record.radioId(), record.callsign(), record.name(), record.city(), record.state()}) {
            appendField(out, text, charset);
            out += ',';
        }
        appendField(out, record.country(), charset);
        break;
    default:
        appendField(out, record.radioId(), charset);
        out += ',';
        appendField(out, record.name(), charset);
        out += ",,,,,";
        break;
    }
    out += "\r\n";
}

} // namespace

std::string radioTypeButtonText(int radioType)
{
    switch (radioType) {
    case 1: return "TYT MD2017 / MDUV380";
    case 2: return "TYT MD9600 / Retevis RT90";
    case 3: return "TYT MD380";
    default: return {};
    }
}

std::vector<std::string> exportCriteriaTerms(std::string_view criteriaText)
{
    std::vector<std::string> terms;
    for (const auto line : leadingLines(criteriaText)) {
        if (terms.size() >= MaxSearchTerms)
            break;
        terms.push_back(" " + std::string(line.substr(0, CriteriaLineLimit)));
    }
    return terms;
}

std::vector<int> exportedRecords(const IdRecordStore& records, std::string_view criteriaText)
{
    const auto terms = exportCriteriaTerms(criteriaText);
    if (!terms.empty())
        return FindRecords(records, terms);
    std::vector<int> all(static_cast<std::size_t>(records.count()));
    for (int i = 0; i < records.count(); ++i)
        all[static_cast<std::size_t>(i)] = i;
    return all;
}

std::string matchingRecordsText(const IdRecordStore& records, std::string_view criteriaText)
{
    const auto terms = exportCriteriaTerms(criteriaText);
    const int count = terms.empty() ? records.count() : CountRecords(records, terms);
    return std::to_string(count) + " matching records in database";
}

std::string exportCsvText(const IdRecordStore& records, int radioType, std::string_view criteriaText,
                          ExportCharset charset)
{
    std::string out;
    if (radioType == 1)
        out = "Radio ID,CallSign,Name,Nickname,City,State,Country,\r\n";
    else if (radioType == 2)
        out = "Radio ID,CallSign,Name,City,State/Prov,Country,\r\n";
    const auto included = exportedRecords(records, criteriaText);
    // Most records are short; reserve about what they take to spare repeated growth.
    out.reserve(out.size() + included.size() * 64);
    for (const int index : included)
        appendRecordLine(out, records.at(index), radioType, charset);
    return out;
}

} // namespace pw
