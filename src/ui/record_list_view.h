// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look every record list of the window shares: whole rows selected, no editing in place, the
// small list font, and the column widths of the list (the first `count` columns of the model;
// the model's further columns are hidden).

#include "codeplug/codeplug.h"

#include <QAbstractItemView>

#include <optional>
#include <vector>

class QAbstractItemModel;
class QTableView;
class QWidget;

namespace pw::ui {

struct ListColumns {
    const int* widths;
    int count;
};

QTableView* makeRecordListView(QAbstractItemModel* model, ListColumns columns, QWidget* parent,
                               QAbstractItemView::SelectionMode selection = QAbstractItemView::ExtendedSelection);

// Rows of a list are table positions of its records: a list that a filter narrows shows some of
// them, and these map its rows back.

// The table position of the record on row `listRow` of `view`, -1 for none.
int recordRowAt(const QAbstractItemView* view, int listRow);
// The table positions of the records holding the selection mark, ascending.
std::vector<int> selectedRecordRows(const QAbstractItemView* view);
// The first record of `view` holding the selection mark, if any.
std::optional<int> firstSelectedRow(const QAbstractItemView* view);
// Puts the selection mark on the record at table position `row` alone and scrolls it into view; a
// record outside the list, or hidden by its filter, is passed over.
void selectOnlyRow(QAbstractItemView* view, int row);

// How a list's headings sort: a click on the heading the list is sorted by sorts it the other way,
// and the heading's arrow shows the order.
class HeadingSort {
public:
    SortOrder orderFor(int column) const
    {
        return column == column_ && order_ == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending;
    }
    void sorted(int column, SortOrder order)
    {
        column_ = column;
        order_ = order;
    }
    // The list's order is no longer that of a heading (an undo, another file).
    void forget() { column_ = -1; }
    // Puts the arrow on the heading of `view` the list is sorted by, or none.
    void show(QTableView* view) const;

private:
    int column_ = -1;
    SortOrder order_ = SortOrder::Ascending;
};

} // namespace pw::ui
