// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/record_filter.h"

#include "codeplug/codeplug.h"

namespace pw {
namespace {

template <typename Column>
std::function<void(FoldedTextIndex&)> indexBuilder(const Codeplug& codeplug, std::vector<Column> columns, int (*count)(const Codeplug&))
{
    return [&codeplug, columns = std::move(columns), count](FoldedTextIndex& index) {
        index.build(codeplug.loaded() ? count(codeplug) : 0, [&](int row, std::string& out) {
            for (const Column column : columns) {
                appendCell(codeplug, row, column, out);
                out += FoldedTextIndex::FieldEnd;
            }
        });
    };
}

} // namespace

RecordFilter::RecordFilter(const Codeplug& codeplug, std::vector<ContactColumn> columns)
    : build_(indexBuilder(codeplug, std::move(columns), [](const Codeplug& c) { return c.contacts().count(); }))
{
}

RecordFilter::RecordFilter(const Codeplug& codeplug, std::vector<ChannelColumn> columns)
    : build_(indexBuilder(codeplug, std::move(columns), [](const Codeplug& c) { return c.channels().count(); }))
{
}

bool RecordFilter::filters(std::string_view typed) { return typed.find_first_not_of(" \t") != std::string_view::npos; }

const std::vector<int>& RecordFilter::rowsHolding(std::string_view typed)
{
    std::string query = foldedForSearch(typed);
    // Control characters are no part of a typed text; the index ends each text with one.
    std::erase_if(query, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (!built_) {
        build_(index_);
        built_ = true;
    } else if (!lastQuery_.empty() && query.find(lastQuery_) != std::string::npos) {
        // Every row that holds the new text held the old one.
        lastRows_ = index_.rowsHolding(query, lastRows_);
        lastQuery_ = query;
        return lastRows_;
    }
    lastRows_ = index_.rowsHolding(query);
    lastQuery_ = query;
    return lastRows_;
}

} // namespace pw
