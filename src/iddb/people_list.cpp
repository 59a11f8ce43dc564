// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/people_list.h"

#include "iddb/id_record.h"
#include "model/letter_case.h"
#include "model/text_trim.h"

namespace pw {
namespace {

bool endsWord(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r'; }

bool allDigits(std::string_view text)
{
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.empty();
}

} // namespace

PeopleList parsePeopleList(std::string_view text)
{
    PeopleList list;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        ++lineNumber;
        auto line = takeLine(text, pos);
        line = line.substr(0, line.find('#'));
        std::size_t start = 0;
        while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
            ++start;
        std::size_t stop = start;
        while (stop < line.size() && !endsWord(line[stop]))
            ++stop;
        const auto word = line.substr(start, stop - start);
        if (word.empty())
            continue;
        const auto refuse = [&] {
            list.refused.push_back("line " + std::to_string(lineNumber) + ": " + std::string(word.substr(0, PersonEntryLimit)));
        };
        if (word.size() > PersonEntryLimit) {
            refuse();
            continue;
        }
        PersonEntry entry;
        entry.text = std::string(word);
        entry.line = lineNumber;
        if (allDigits(word)) {
            auto digits = word;
            while (digits.size() > 1 && digits.front() == '0')
                digits.remove_prefix(1);
            const auto id = dmrIdFromDigits(digits);
            if (!id) {
                refuse();
                continue;
            }
            entry.dmrId = *id;
        } else {
            entry.callsign.reserve(word.size());
            for (const char c : word)
                entry.callsign += upperAscii(c);
        }
        list.entries.push_back(std::move(entry));
    }
    return list;
}

} // namespace pw
