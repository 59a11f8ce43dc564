// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look every record list of the window shares: whole rows selected, no editing in place, the
// small list font, and the column widths of the list (the first `count` columns of the model;
// the model's further columns are hidden).

#include <QAbstractItemView>

#include <optional>

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

// The first row of `view` holding the selection mark, if any.
std::optional<int> firstSelectedRow(const QAbstractItemView* view);
// Puts the selection mark on `row` alone and scrolls it into view; a row outside the list is passed
// over.
void selectOnlyRow(QAbstractItemView* view, int row);

} // namespace pw::ui
