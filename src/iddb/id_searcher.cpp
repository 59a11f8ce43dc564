// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_searcher.h"

#include "model/letter_case.h"
#include "model/line_fields.h"
#include "model/text_trim.h"

namespace pw {
namespace {

// Word `number` of a UTF-8 text: words are separated by ASCII blanks, control characters and
// commas, so letters beyond ASCII stay inside their words.
bool wordOf(std::string_view text, int number, std::string& word)
{
    const auto separates = [](char c) { return (static_cast<unsigned char>(c) <= 0x20) || c == ','; };
    std::size_t pos = 0;
    for (int i = 0;; ++i) {
        while (pos < text.size() && separates(text[pos]))
            ++pos;
        if (pos >= text.size())
            return false;
        std::size_t end = pos;
        while (end < text.size() && !separates(text[end]))
            ++end;
        if (i == number) {
            word.assign(text.substr(pos, end - pos));
            return true;
        }
        pos = end;
    }
}

std::string wordOf(std::string_view text, int number)
{
    std::string word;
    wordOf(text, number, word);
    return word;
}

} // namespace

std::vector<std::string_view> leadingLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto line = takeLine(text, pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            break;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> compoundSearchTerms(std::string_view generalText, std::string_view additionalText)
{
    std::vector<std::string> terms;
    if (!generalText.empty())
        terms.emplace_back(generalText.substr(0, GeneralTermLimit));
    for (const auto line : leadingLines(additionalText)) {
        if (terms.size() >= MaxSearchTerms)
            break;
        terms.push_back(" " + std::string(line.substr(0, SearchLineLimit)));
    }
    return terms;
}

std::string emptyListText(const IdDatabase& database)
{
    std::string reasons;
    bool anyPlace = false;
    for (const auto& outcome : database.Outcomes()) {
        anyPlace = true;
        if (outcome.failed)
            reasons += (reasons.empty() ? "" : "; ") + outcome.line();
    }
    if (reasons.empty())
        reasons = anyPlace ? "no source held a record" : "no source is set";
    return "The user list is empty: it could not be loaded (" + reasons + ").";
}

std::optional<SearchOutcome> runSearch(IdDatabase& database, std::string_view generalText,
                                       std::string_view additionalText)
{
    if (!database.IsDone())
        return std::nullopt;
    SearchOutcome outcome;
    if (additionalText.empty()) {
        if (generalText.size() < SimpleQueryMinimum)
            return std::nullopt;
        if (database.Records().empty())
            return SearchOutcome{emptyListText(database), 0};
        outcome.count = database.SearchSimple(generalText);
        outcome.message = "Query '" + std::string(generalText) + "' returned " + std::to_string(outcome.count)
                        + " matches.";
        return outcome;
    }
    if (database.Records().empty())
        return SearchOutcome{emptyListText(database), 0};
    const auto terms = compoundSearchTerms(generalText, additionalText);
    outcome.count = database.SearchCompound(terms);
    std::string joined;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        if (i > 0)
            joined += " OR ";
        joined += terms[i];
    }
    outcome.message = "Compound query '" + joined + "' returned " + std::to_string(outcome.count) + " matches.";
    return outcome;
}

std::optional<SearchOutcome> runEntireDatabase(IdDatabase& database)
{
    if (!database.IsDone())
        return std::nullopt;
    if (database.Records().empty())
        return SearchOutcome{emptyListText(database), 0};
    SearchOutcome outcome;
    outcome.count = database.SearchAll();
    outcome.message = "Query 'Entire DB' returned " + std::to_string(outcome.count) + " matches.";
    return outcome;
}

std::optional<std::vector<std::string>> templateWordList(std::string_view templateText)
{
    std::vector<std::string> words;
    std::string word;
    for (int i = 0; i < static_cast<int>(MaxTemplateWords); ++i) {
        if (!wordOf(templateText, i, word))
            break;
        words.push_back(word);
    }
    if (words.empty())
        return std::nullopt;
    return words;
}

std::string contactNameFromTemplate(const std::vector<std::string>& words, const IdRecord& record)
{
    std::string name;
    for (const auto& word : words) {
        if (equalsIgnoringCase(word, "%F"))
            name += wordOf(record.name(), 0);
        else if (equalsIgnoringCase(word, "%L"))
            name += wordOf(record.name(), 1);
        else if (equalsIgnoringCase(word, "%C"))
            name += record.callsign();
        else if (equalsIgnoringCase(word, "%CT"))
            name += record.city();
        else if (equalsIgnoringCase(word, "%CY"))
            name += record.country();
        else if (equalsIgnoringCase(word, "%ST"))
            name += record.state();
        else
            name += word;
        name += ' ';
    }
    return name;
}

std::string addedRecordTypeText(AddedRecordType type)
{
    switch (type) {
    case AddedRecordType::GroupCall: return "Group Call";
    case AddedRecordType::AllCall: return "All Call";
    case AddedRecordType::PrivateCall: break;
    }
    return "Private Call";
}

std::string contactLineForRecord(const IdRecord& record, bool extended, AddedRecordType type,
                                 std::string_view builtName)
{
    auto quoted = [](std::string& line, std::string_view text) {
        line += '"';
        line += text;
        line += '"';
    };
    std::string line;
    quoted(line, record.radioId());
    line += ',';
    quoted(line, extended ? record.name() : builtName);
    line += ',';
    quoted(line, addedRecordTypeText(type));
    line += ",\"No\"";
    if (extended) {
        for (const auto text : {record.callsign(), record.city(), record.state(), record.country(), record.remarks()}) {
            line += ',';
            quoted(line, text);
        }
    }
    line += ' ';
    return line;
}

std::string recordCsvLine(const IdRecord& record)
{
    std::string line;
    bool first = true;
    for (const auto text : {record.radioId(), record.callsign(), record.name(), record.city(), record.state(),
                            record.country(), record.remarks()}) {
        if (!first)
            line += ',';
        first = false;
        appendCsvField(line, text, ",\"\r\n");
    }
    return line;
}

} // namespace pw
