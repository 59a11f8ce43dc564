// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filter of one list of the window: the records whose shown texts hold what the user typed.
// The index is built when the user comes to the filter box (prepare), or else at the first search
// after the list changed. The rows found for each text typed since are kept: a text that holds an
// earlier one only narrows that one's rows, and a text shortened again (Backspace) takes the rows
// kept for it without a search.

#include "presenter/folded_text_index.h"
#include "presenter/list_columns.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Codeplug;

class RecordFilter {
public:
    // A filter over the contacts or the channels of `codeplug`, searching `columns`.
    RecordFilter(const Codeplug& codeplug, std::vector<ContactColumn> columns);
    RecordFilter(const Codeplug& codeplug, std::vector<ChannelColumn> columns);

    // The list changed: the next search builds the index again.
    void invalidate()
    {
        built_ = false;
        found_.clear();
    }
    // Builds the index now, unless it is built, so that the first key typed only searches.
    void prepare();

    // Whether `typed` filters at all: a text of blanks shows every record.
    static bool filters(std::string_view typed);
    // The table positions, ascending, of the records holding `typed`, which filters.
    const std::vector<int>& rowsHolding(std::string_view typed);

private:
    std::function<void(FoldedTextIndex&)> build_;
    FoldedTextIndex index_;
    bool built_ = false;
    // The texts searched since the index was built and the rows found for each: each text holds
    // the one below it, so the rows narrow towards the top.
    struct Found {
        std::string query;
        std::vector<int> rows;
    };
    std::vector<Found> found_;
};

} // namespace pw
