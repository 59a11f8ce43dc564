// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files of one record a line (the contact and the channel CSV files), both ways: written
// whole as a save is written, and read line by line with every line accounted for.

#include "codeplug/codeplug.h"
#include "model/record_list.h"
#include "operations/import_shortfall.h"
#include "operations/text_lines.h"
#include "platform/file_io.h"
#include "platform/work_progress.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace pw {

// The line of every record, each with CR LF, in table order. `lineBytes` is about what a line
// takes, so that the text is allocated once.
template <typename Record, typename LineOf>
std::string recordLinesText(const RecordList<Record>& records, std::size_t lineBytes, LineOf lineOf)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(records.count()) * lineBytes);
    for (const auto& record : records)
        appendCrLfLine(text, lineOf(*record));
    return text;
}

// Writes `text(codeplug)` to `path` as a save is written. Fails with `nothing` as its reason when
// nothing is loaded or `records` is empty (the old file is then unchanged).
template <typename Record, typename Text>
WriteResult writeRecordLines(const Codeplug& codeplug, const RecordList<Record>& records,
                             const std::filesystem::path& path, std::string_view nothing, Text text)
{
    if (!codeplug.loaded() || records.empty())
        return {.error = std::make_error_code(std::errc::invalid_argument), .reason = std::string(nothing)};
    return writeFileAtomically(path, writing(text(codeplug)));
}

// Reads the lines of the import file `path`, the bar taken to 90 % by the bytes read (the image,
// written once at the end, takes the rest). Blank lines are passed over; lines too long or holding
// a zero byte are refused into `shortfall`; every other line goes to `take(line, first)`, `first`
// true for the first line that is not blank. False when the file cannot be opened.
template <typename Take>
bool readRecordLines(const std::filesystem::path& path, WorkProgress* progress, ImportShortfall& shortfall, Take take)
{
    TextLineReader reader(path);
    if (!reader.isOpen())
        return false;
    ProgressStage reading(progress, static_cast<std::int64_t>(reader.size()), 0, ProgressScale * 9 / 10);
    std::string line;
    bool first = true;
    while (reader.next(line)) {
        reading.advance(static_cast<std::int64_t>(reader.consumed()));
        if (isBlankLine(line))
            continue;
        const bool firstFilled = std::exchange(first, false);
        if (const auto refusal = lineRefusal(line, reader.lastLineTooLong())) {
            shortfall.refuseLine(*refusal);
            continue;
        }
        take(line, firstFilled);
    }
    reading.finish();
    return true;
}

} // namespace pw
