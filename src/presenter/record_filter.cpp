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

void RecordFilter::prepare()
{
    if (built_)
        return;
    build_(index_);
    built_ = true;
}

const std::vector<int>& RecordFilter::rowsHolding(std::string_view typed)
{
    std::string query = foldedForSearch(typed);
    // Control characters are no part of a typed text; the index ends each text with one.
    std::erase_if(query, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    prepare();
    // The texts the new one does not hold tell nothing about its rows.
    while (!found_.empty() && query.find(found_.back().query) == std::string::npos)
        found_.pop_back();
    if (!found_.empty() && found_.back().query == query)
        return found_.back().rows;
    // Every row that holds the new text holds the text below it.
    auto rows = found_.empty() ? index_.rowsHolding(query) : index_.rowsHolding(query, found_.back().rows);
    found_.push_back({std::move(query), std::move(rows)});
    return found_.back().rows;
}

} // namespace pw
