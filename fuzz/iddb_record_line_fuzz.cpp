// SPDX-License-Identifier: GPL-3.0-or-later
// The record-line parser of the ID database download, and the store and search over what it reads:
// any line must parse within bounds, keep every field within its limit, and be found by the search
// exactly where ContainsNoCase finds it.

#include "iddb/id_record.h"
#include "iddb/id_search.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first line is the record line; what follows, up to 300 bytes, a search term.
    const auto newline = input.find('\n');
    const auto line = input.substr(0, newline);
    const auto term = newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1, 300);

    std::string idField;
    if (pw::readRecordIdField(line, idField))
        (void)pw::dmrIdValue(idField);
    pw::IdRecordFields fields;
    const auto result = pw::parseRecordLine(line, fields);
    if (result != pw::RecordLineResult::Complete)
        return 0;
    if (fields.radioId.size() > pw::RadioIdLimit || fields.callsign.size() > pw::CallsignLimit
        || fields.name.size() > pw::NameLimit || fields.remarks.size() > pw::RemarksLimit)
        std::abort();
    for (const char c : fields.remarks)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
            std::abort();

    pw::IdRecordStore store;
    store.append(fields);
    store.append(pw::IdRecordFields{std::string(term), "", "", "", "", "", ""});
    const auto first = store[0];
    if (first.radioId() != fields.radioId || first.remarks() != fields.remarks || first.state() != fields.state)
        std::abort();
    // One term alone, and several that begin with a blank, take different paths through the search.
    const std::string text(term);
    for (const auto& terms : {std::vector<std::string>{text}, std::vector<std::string>{" " + text, " x" + text}}) {
        std::vector<int> expected;
        for (int i = 0; i < store.count(); ++i)
            for (const auto& one : terms)
                if (pw::ContainsNoCase(store[i].matchText(), one)) {
                    expected.push_back(i);
                    break;
                }
        if (pw::FindRecords(store, terms) != expected)
            std::abort();
    }
    return 0;
}
