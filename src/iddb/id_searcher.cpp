#include "iddb/id_searcher.h"

#include "codeplug/codeplug.h"
#include "iddb/settings_block.h"
#include "model/field_readers.h"
#include "model/letter_case.h"
#include "operations/contact_transfer.h"
#include "platform/prompts.h"

#include <algorithm>
#include <memory>

namespace pw {
namespace {

} // namespace

std::vector<std::string_view> leadingLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        auto line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            break;
        lines.push_back(line);
        pos = end + 1;
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

std::optional<SearchOutcome> runSearch(IdDatabase& database, std::string_view generalText,
                                       std::string_view additionalText)
{
    if (!database.IsDone())
        return std::nullopt;
    SearchOutcome outcome;
    if (additionalText.empty()) {
        if (generalText.size() < SimpleQueryMinimum)
            return std::nullopt;
        outcome.count = database.SearchSimple(generalText);
        outcome.message = "Query '" + std::string(generalText) + "' returned " + std::to_string(outcome.count)
                        + " matches.";
        return outcome;
    }
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
    SearchOutcome outcome;
    outcome.count = database.SearchAll();
    outcome.message = "Query 'Entire DB' returned " + std::to_string(outcome.count) + " matches.";
    return outcome;
}

bool showSourcesNoticeOnce(SettingsBlock& settings, Prompts& prompts)
{
    if (settings.noticeShown())
        return false;
    settings.setNoticeShown(true);
    prompts.inform("Current database sources may not provide data for all fields in all records.\r\n"
                   "Unsupported fields will be empty in search results.");
    return true;
}

std::optional<std::vector<std::string>> templateWords(std::string_view templateText, Prompts& prompts)
{
    std::string text(templateText);
    std::string word;
    if (WordReader::word(text, 0, 0, word) < 0) {
        const auto answer = prompts.message(MessageIcon::Question, MessageButtons::YesNoCancel,
                                            "Invalid template value for NAME field. Use default?");
        if (answer != MessageAnswer::Yes)
            return std::nullopt;
        text = DefaultNameTemplate;
    }
    std::vector<std::string> words;
    for (int i = 0; i < static_cast<int>(MaxTemplateWords); ++i) {
        if (WordReader::word(text, i, 0, word) < 0)
            break;
        words.push_back(word);
    }
    return words;
}

std::string contactNameFromTemplate(const std::vector<std::string>& words, const IdRecord& record)
{
    std::string name;
    for (const auto& word : words) {
        if (equalsIgnoringCase(word, "%F"))
            name += WordReader::word(record.name(), 0);
        else if (equalsIgnoringCase(word, "%L"))
            name += WordReader::word(record.name(), 1);
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

AddRecordsResult addSelectedRecords(Codeplug* codeplug, const IdDatabase& database, const AddRecordsRequest& request,
                                    Prompts& prompts, const ContactMerge& merge)
{
    AddRecordsResult result;
    if (!codeplug)
        return result;
    if (!codeplug->loaded()) {
        prompts.error("You must first load a valid codeplug before using this command.");
        return result;
    }
    const bool extended = codeplug->formatId() == D868Format;
    const auto matchCount = static_cast<int>(database.Matches().size());
    if (matchCount == 0)
        return result;
    std::vector<int> rows;
    for (const int row : request.selectedRows)
        if (row >= 0 && row < matchCount)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty()) {
        prompts.inform("Please select one or more contacts to add to the Codeplug.");
        return result;
    }
    const auto words = templateWords(request.nameTemplate, prompts);
    if (!words)
        return result;

    {
        BusyScope busy(prompts);
        RecordList<Contact> incoming;
        for (const int row : rows) {
            const auto record = database.Match(row);
            const auto name = contactNameFromTemplate(*words, record);
            const auto line = contactLineForRecord(record, extended, request.type, name);
            auto contact = std::make_unique<Contact>(codeplug->formatId());
            if (contact->fromLine(line) == 1)
                incoming.append(std::move(contact));
        }
        result.offered = incoming.count();
        if (merge)
            result.added = merge(*codeplug, incoming, request.refreshContacts);
        else
            result.added = mergeContacts(*codeplug, incoming, false,
                                         MergeBothCallTypes | (request.refreshContacts ? MergeUpdateExisting : 0u));
        result.ran = true;
    }
    if (result.added == result.offered)
        result.message = std::to_string(result.added) + " Contacts added to working Codeplug.";
    else
        result.message = std::to_string(result.added) + " Contacts added; "
                       + std::to_string(result.offered - result.added) + " Duplicates skipped.";
    prompts.inform(result.message);
    return result;
}

AddRecordsResult addAllRecords(Codeplug* codeplug, const IdDatabase& database, AddRecordsRequest request,
                               Prompts& prompts, const ContactMerge& merge)
{
    if (!codeplug)
        return {};
    if (!codeplug->loaded()) {
        prompts.error("You must first load a valid codeplug before using this command.");
        return {};
    }
    if (database.Matches().empty())
        return {};
    request.selectedRows.resize(database.Matches().size());
    for (std::size_t i = 0; i < request.selectedRows.size(); ++i)
        request.selectedRows[i] = static_cast<int>(i);
    return addSelectedRecords(codeplug, database, request, prompts, merge);
}

} // namespace pw
