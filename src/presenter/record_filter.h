// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filter of one list of the window: the records whose shown texts hold what the user typed.
// The index is built when the filter is first used after the list changed; as the user types on,
// each new text that holds the last one only narrows the rows found last.

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
    void invalidate() { built_ = false; }

    // Whether `typed` filters at all: a text of blanks shows every record.
    static bool filters(std::string_view typed);
    // The table positions, ascending, of the records holding `typed`, which filters.
    const std::vector<int>& rowsHolding(std::string_view typed);

private:
    std::function<void(FoldedTextIndex&)> build_;
    FoldedTextIndex index_;
    bool built_ = false;
    std::string lastQuery_;
    std::vector<int> lastRows_;
};

} // namespace pw
