// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a DMR ID user list, as it arrives in pieces from a download or a file, into record fields.
//
// Two layouts are told apart by the first line (after a byte-order mark, if any):
//
// - A header that names the columns, in any order and any case:
//     RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY[,REMARKS]
//   (NAME may stand for the two name columns). The rows are CSV as RFC 4180 writes it: fields
//   may be quoted, with a doubled quote inside. Columns are mapped by name; unknown columns are
//   ignored, missing ones are empty. The record's name is the first and last name joined by one
//   blank (either may be empty). A row without an ID is skipped and counted.
// - Otherwise the quoted seven-field lines: "radioId","callsign","name","city","state","country"
//   and optionally "remarks", read with CsvFieldReader. Every line with a field 0 is a row; a row
//   without all of fields 0 to 5 makes no record.
//
// Each line is taken as UTF-8 when it is valid UTF-8 and as Windows-1252 otherwise, so the
// records always hold UTF-8. Texts are cut to their limits on a character boundary; control
// characters in the remarks become blanks. A line longer than `maxLineBytes` is passed over
// whole, so an endless line costs bounded memory.

#include "iddb/id_record.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

enum class UserListLayout { Unknown, QuotedFields, Header };

class UserListReader {
public:
    // Called for every row that has an ID field; `fields` is complete when `complete` is set. The
    // receiver returns false to stop reading (a row cap, say): no further row is delivered.
    using RowReceiver = std::function<bool(const IdRecordFields& fields, bool complete)>;

    static constexpr std::size_t DefaultMaxLineBytes = 16 * 1024;

    explicit UserListReader(RowReceiver receiver, std::size_t maxLineBytes = DefaultMaxLineBytes);

    // The next bytes of the list; false once the receiver has stopped the reading.
    bool feed(std::string_view bytes);
    // The end of the list: a last line without a line feed is read now.
    void finish();

    UserListLayout layout() const { return layout_; }
    // Rows handed to the receiver.
    int rows() const { return rows_; }
    // Header-layout rows without an ID, and lines passed over for their length.
    int skippedRows() const { return skippedRows_; }
    int overlongLines() const { return overlongLines_; }
    bool stopped() const { return stopped_; }

private:
    void readLine(std::string_view line);
    void readHeader(const std::vector<std::string>& names);
    void readHeaderRow(std::string_view line);
    void readQuotedRow(std::string_view line);
    bool deliver(bool complete);

    RowReceiver receiver_;
    std::size_t maxLineBytes_;
    std::string pending_;
    bool overlong_ = false;
    bool atStart_ = true;
    bool stopped_ = false;
    UserListLayout layout_ = UserListLayout::Unknown;
    int rows_ = 0;
    int skippedRows_ = 0;
    int overlongLines_ = 0;

    // Header layout: the column of each field, -1 when absent.
    enum Column { Id, Callsign, FirstName, LastName, Name, City, State, Country, Remarks, ColumnCount };
    int columns_[ColumnCount] = {};
    std::vector<std::string> cells_;
    std::string converted_;
    std::string name_;
    IdRecordFields fields_;
};

} // namespace pw
