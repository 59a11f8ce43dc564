// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing one quoted field of a record line (contact lines, channel lines).
//
// A field is written inside double quotes. The field reader ends a quoted field at the first
// matching quote and knows no escape, so a text that holds a double quote would end its field
// early and shift every later field of the record: such a text is quoted with single quotes,
// which the reader takes alike, and a text holding both kinds has its double quotes written as
// single ones. An LF would split the record into two lines and is written as a blank; a CR inside
// a line is only a byte to the readers and stays.

#include <string>
#include <string_view>

namespace pw {

inline void appendQuotedField(std::string& line, std::string_view text)
{
    const bool hasDouble = text.find('"') != std::string_view::npos;
    const bool hasSingle = text.find('\'') != std::string_view::npos;
    const char quote = hasDouble && !hasSingle ? '\'' : '"';
    line += quote;
    for (const char c : text) {
        if (c == '\n')
            line += ' ';
        else if (c == '"' && quote == '"')
            line += '\'';
        else
            line += c;
    }
    line += quote;
}

// One field of a comma-separated file as spreadsheets read it: a text holding any of `quoteWhen`
// (a comma and a double quote at least) is put in double quotes with its inner quotes doubled.
inline void appendCsvField(std::string& line, std::string_view text, std::string_view quoteWhen = ",\"")
{
    if (text.find_first_of(quoteWhen) == std::string_view::npos) {
        line.append(text);
        return;
    }
    line += '"';
    for (const char c : text) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

} // namespace pw
