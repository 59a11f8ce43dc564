// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/user_list_reader.h"

#include "model/field_readers.h"
#include "model/letter_case.h"
#include "model/text_trim.h"
#include "model/unicode_text.h"

#include <algorithm>

namespace pw {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

void assignCut(std::string& out, std::string_view text, std::size_t limit) { out.assign(utf8Prefix(text, limit)); }

// Control characters of the remarks become blanks: they are shown in one-line list cells.
void blankControls(std::string& text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
            c = ' ';
}

// Drops a character that a cut by bytes left incomplete at the end of valid UTF-8.
void dropIncompleteCharacter(std::string& text)
{
    std::size_t lead = text.size();
    int continuations = 0;
    while (lead > 0 && continuations < 4 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) {
        --lead;
        ++continuations;
    }
    if (lead == 0)
        return;
    const auto byte = static_cast<unsigned char>(text[lead - 1]);
    const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    if (length > 1 && continuations + 1 < length)
        text.resize(lead - 1);
}

} // namespace

UserListReader::UserListReader(RowReceiver receiver, std::size_t maxLineBytes)
    : receiver_(std::move(receiver)), maxLineBytes_(maxLineBytes)
{
    std::fill(std::begin(columns_), std::end(columns_), -1);
}

bool UserListReader::feed(std::string_view bytes)
{
    while (!bytes.empty() && !stopped_) {
        const auto feedAt = bytes.find('\n');
        const auto piece = bytes.substr(0, feedAt);
        if (!overlong_) {
            if (pending_.size() + piece.size() > maxLineBytes_) {
                overlong_ = true;
                pending_.clear();
            } else if (feedAt != std::string_view::npos && pending_.empty()) {
                // The whole line is in this piece: no copy.
                readLine(piece);
            } else {
                pending_.append(piece);
            }
        }
        if (feedAt == std::string_view::npos)
            break;
        if (overlong_) {
            ++overlongLines_;
            overlong_ = false;
        } else if (!pending_.empty()) {
            readLine(pending_);
        }
        pending_.clear();
        bytes.remove_prefix(feedAt + 1);
    }
    return !stopped_;
}

void UserListReader::finish()
{
    if (overlong_)
        ++overlongLines_;
    else if (!pending_.empty() && !stopped_)
        readLine(pending_);
    pending_.clear();
    overlong_ = false;
}

void UserListReader::readLine(std::string_view line)
{
    if (stopped_)
        return;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (atStart_) {
        if (line.substr(0, ByteOrderMark.size()) == ByteOrderMark)
            line.remove_prefix(ByteOrderMark.size());
        atStart_ = false;
        splitCsvLine(line, cells_);
        const bool namesColumns = std::any_of(cells_.begin(), cells_.end(), [](const std::string& cell) {
            return equalsIgnoringCase(cell, "RADIO_ID");
        });
        if (namesColumns) {
            readHeader(cells_);
            return;
        }
        layout_ = UserListLayout::QuotedFields;
    }
    const bool valid = isValidUtf8(line);
    if (!valid)
        converted_ = windows1252ToUtf8(line);
    const std::string_view text = valid ? line : std::string_view(converted_);
    if (layout_ == UserListLayout::Header)
        readHeaderRow(text);
    else
        readQuotedRow(text);
}

void UserListReader::readHeader(const std::vector<std::string>& names)
{
    layout_ = UserListLayout::Header;
    static constexpr std::pair<Column, std::string_view> Known[] = {
        {Id, "RADIO_ID"}, {Callsign, "CALLSIGN"}, {FirstName, "FIRST_NAME"}, {LastName, "LAST_NAME"},
        {Name, "NAME"},   {City, "CITY"},         {State, "STATE"},          {Country, "COUNTRY"},
        {Remarks, "REMARKS"}};
    for (std::size_t i = 0; i < names.size(); ++i)
        for (const auto& [column, name] : Known)
            if (columns_[column] < 0 && equalsIgnoringCase(names[i], name))
                columns_[column] = static_cast<int>(i);
}

void UserListReader::readHeaderRow(std::string_view line)
{
    if (trimmedLine(line).empty())
        return;
    splitCsvLine(line, cells_);
    const auto cell = [this](Column column) -> std::string_view {
        const int at = columns_[column];
        return at >= 0 && static_cast<std::size_t>(at) < cells_.size() ? std::string_view(cells_[static_cast<std::size_t>(at)])
                                                                        : std::string_view();
    };
    if (cell(Id).empty()) {
        ++skippedRows_;
        return;
    }
    assignCut(fields_.radioId, cell(Id), RadioIdLimit);
    assignCut(fields_.callsign, cell(Callsign), CallsignLimit);
    const auto first = cell(FirstName);
    const auto last = cell(LastName);
    name_.assign(cell(Name));
    if (!first.empty() || !last.empty()) {
        name_.assign(first);
        if (!first.empty() && !last.empty())
            name_ += ' ';
        name_.append(last);
    }
    assignCut(fields_.name, name_, NameLimit);
    assignCut(fields_.city, cell(City), CityLimit);
    assignCut(fields_.state, cell(State), StateLimit);
    assignCut(fields_.country, cell(Country), CountryLimit);
    assignCut(fields_.remarks, cell(Remarks), RemarksLimit);
    blankControls(fields_.remarks);
    deliver(true);
}

void UserListReader::readQuotedRow(std::string_view line)
{
    const auto result = parseRecordLine(line, fields_);
    if (result == RecordLineResult::NoIdField)
        return;
    if (result == RecordLineResult::Complete) {
        // The field reader cuts by bytes; a cut must not split a character.
        for (std::string* text : {&fields_.radioId, &fields_.callsign, &fields_.name, &fields_.city, &fields_.state,
                                  &fields_.country, &fields_.remarks})
            dropIncompleteCharacter(*text);
    }
    deliver(result == RecordLineResult::Complete);
}

bool UserListReader::deliver(bool complete)
{
    ++rows_;
    if (!receiver_(fields_, complete)) {
        --rows_;
        stopped_ = true;
    }
    return !stopped_;
}

} // namespace pw
