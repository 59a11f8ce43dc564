// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_export.h"

#include "iddb/id_search.h"
#include "iddb/id_searcher.h"
#include "model/line_fields.h"
#include "model/unicode_text.h"

#include <algorithm>

namespace pw {
namespace {

// The capacities, and where each figure comes from:
// - The MD-UV380, MD-2017 and MD-9600 keep their user database in flash from 0x200000 to
//   0x1000000, behind a 0x4003-byte index, at 120 bytes a user: 122,197 users (the memory maps
//   of dmrconfig and qdmr).
// - The MD-380's own programming software imports these lines into the codeplug's contact list,
//   which holds 1,000 contacts.
// - The AnyTone D868UV's user database index has room for 0x186A00 bytes at 8 bytes a user:
//   200,000 users (qdmr's memory map). The D878UV II and D578UV hold more: raise it with --limit.
// - dmrconfig -u writes the user database of the MD-UV380 family, as above.
constexpr std::size_t TytUserDatabase = 122197;
constexpr std::size_t Md380Contacts = 1000;
constexpr std::size_t D868UserDatabase = 200000;

const std::vector<RadioCsvTypeInfo> Types = {
    {RadioCsvType::Md2017, "1", "TYT MD2017 / MDUV380", TytUserDatabase},
    {RadioCsvType::Md9600, "2", "TYT MD9600 / Retevis RT90", TytUserDatabase},
    {RadioCsvType::Md380, "3", "TYT MD380", Md380Contacts},
    {RadioCsvType::AnyTone, "anytone", "AnyTone D868 / D878 / D578", D868UserDatabase},
    {RadioCsvType::Dmrconfig, "dmrconfig", "dmrconfig -u", TytUserDatabase},
};

// dmrconfig keeps 16 characters of a callsign and 100 of the name with the place; these cuts keep
// every line below its 255 bytes.
struct DmrconfigWidths {
    std::size_t radioId = 8, callsign = 16, name = 100, city = 40, state = 30, country = 30, remarks = 20;
};

std::string converted(std::string_view text, ExportCharset charset)
{
    if (isAscii(text))
        return std::string(text);
    return charset == ExportCharset::Ascii ? transliterateToAscii(text) : transliterateToWindows1252(text);
}

// A value holding a comma or a quote is quoted, with inner quotes doubled, so that it stays one
// column.
void appendField(std::string& out, std::string_view text, ExportCharset charset)
{
    if (isAscii(text)) {
        appendCsvField(out, text);
        return;
    }
    appendCsvField(out, converted(text, charset));
}

void appendQuoted(std::string& out, std::string_view text, ExportCharset charset)
{
    out += '"';
    for (const char c : converted(text, charset)) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// A dmrconfig value: plain ASCII without commas, quotes or control characters, cut to `width`.
void appendDmrconfigField(std::string& out, std::string_view text, std::size_t width)
{
    std::string ascii = converted(text, ExportCharset::Ascii);
    for (auto& c : ascii)
        if (c == ',' || c == '"' || static_cast<unsigned char>(c) < 0x20)
            c = c == '"' ? '\'' : ' ';
    out.append(ascii, 0, std::min(ascii.size(), width));
}

struct RecordTexts {
    std::string_view radioId, callsign, name, city, state, country, remarks;
};

RecordTexts textsOf(const IdRecord& record, bool noNames)
{
    RecordTexts texts{record.radioId(), record.callsign(), record.name(),   record.city(),
                      record.state(),   record.country(),  record.remarks()};
    if (noNames)
        texts.name = texts.city = texts.state = {};
    return texts;
}

void appendRecordLine(std::string& out, const IdRecord& record, RadioCsvType type, RadioCsvOptions options,
                      std::size_t row)
{
    const auto t = textsOf(record, options.noNames);
    const auto charset = options.charset;
    auto fields = [&](std::initializer_list<std::string_view> texts) {
        bool first = true;
        for (const auto text : texts) {
            if (!first)
                out += ',';
            first = false;
            appendField(out, text, charset);
        }
    };
    switch (type) {
    case RadioCsvType::Md2017:
        fields({t.radioId, t.callsign, t.name, {}, t.city, t.state, t.country});
        break;
    case RadioCsvType::Md9600:
        fields({t.radioId, t.callsign, t.name, t.city, t.state, t.country});
        break;
    case RadioCsvType::AnyTone:
        out += '"' + std::to_string(row) + "\",";
        for (const auto text : {t.radioId, t.callsign, t.name, t.city, t.state, t.country, t.remarks}) {
            appendQuoted(out, text, charset);
            out += ',';
        }
        out += "\"Private Call\",\"None\"";
        break;
    case RadioCsvType::Dmrconfig: {
        const DmrconfigWidths w;
        const std::pair<std::string_view, std::size_t> columns[] = {
            {t.radioId, w.radioId}, {t.callsign, w.callsign}, {t.name, w.name},       {t.city, w.city},
            {t.state, w.state},     {t.country, w.country},   {t.remarks, w.remarks}};
        for (std::size_t i = 0; i < std::size(columns); ++i) {
            if (i > 0)
                out += ',';
            appendDmrconfigField(out, columns[i].first, columns[i].second);
        }
        out += '\n';
        return;
    }
    default:
        // Without a callsign column, the callsign stands in for the name that may not be written.
        fields({t.radioId, options.noNames ? t.callsign : t.name});
        out += ",,,,,";
        break;
    }
    out += "\r\n";
}

const char* headerOf(RadioCsvType type)
{
    switch (type) {
    case RadioCsvType::Md2017: return "Radio ID,CallSign,Name,Nickname,City,State,Country,\r\n";
    case RadioCsvType::Md9600: return "Radio ID,CallSign,Name,City,State/Prov,Country,\r\n";
    case RadioCsvType::AnyTone:
        return "\"No.\",\"Radio ID\",\"Callsign\",\"Name\",\"City\",\"State\",\"Country\",\"Remarks\",\"Call Type\","
               "\"Call Alert\"\r\n";
    case RadioCsvType::Dmrconfig: return "Radio ID,Callsign,Name,City,State,Country,Remarks\n";
    default: return "";
    }
}

} // namespace

const std::vector<RadioCsvTypeInfo>& radioCsvTypes() { return Types; }

const RadioCsvTypeInfo* radioCsvTypeInfo(RadioCsvType type)
{
    for (const auto& info : Types)
        if (info.type == type)
            return &info;
    return nullptr;
}

std::optional<RadioCsvType> radioCsvTypeNamed(std::string_view name)
{
    for (const auto& info : Types)
        if (name == info.name)
            return info.type;
    return std::nullopt;
}

std::string radioTypeButtonText(RadioCsvType type)
{
    const auto* info = radioCsvTypeInfo(type);
    return info ? info->buttonText : "";
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

std::string matchingRecordsText(const IdRecordStore& records, std::string_view criteriaText)
{
    const auto terms = exportCriteriaTerms(criteriaText);
    const int count = terms.empty() ? records.count() : CountRecords(records, terms);
    return std::to_string(count) + " matching records in database";
}

std::string radioCsvText(const IdRecordStore& records, const std::vector<int>& recordOrder, RadioCsvType type,
                         RadioCsvOptions options)
{
    std::string out = headerOf(type);
    // Most records are short; reserve about what they take to spare repeated growth.
    out.reserve(out.size() + recordOrder.size() * (type == RadioCsvType::AnyTone ? 96 : 64));
    std::size_t row = 0;
    for (const int index : recordOrder)
        appendRecordLine(out, records.at(index), type, options, ++row);
    return out;
}

std::optional<std::size_t> exportLimit(RadioCsvType type, std::optional<std::size_t> asked)
{
    if (asked)
        return asked;
    const auto* info = radioCsvTypeInfo(type);
    return info ? info->capacity : std::nullopt;
}

RadioCsvExport exportSelection(const IdUserIndex& users, IdSelectionCriteria criteria, RadioCsvType type,
                               RadioCsvOptions options)
{
    RadioCsvExport result;
    const auto* info = radioCsvTypeInfo(type);
    result.capacity = info ? info->capacity : std::nullopt;
    criteria.limit = exportLimit(type, criteria.limit);
    result.selection = selectUsers(users, criteria);
    std::vector<int> records;
    records.reserve(result.selection.users.size());
    for (const int user : result.selection.users)
        records.push_back(users.recordOf(user));
    result.text = radioCsvText(users.records(), records, type, options);
    result.report = selectionCountText(static_cast<int>(records.size()), users.userCount(), result.capacity);
    for (const auto& note : selectionNotes(result.selection, criteria, criteria.limit))
        result.report += "\r\n" + note;
    return result;
}

} // namespace pw
