// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Contacts and Channels tabs: the codeplug's list of that kind, under its filter box and over
// its tab's buttons. A heading click, a double-click, Enter or F2 on a row, and each button run the
// window's command for it.

#include "presenter/record_filter.h"

#include <QWidget>

#include <functional>
#include <vector>

class QTableView;

namespace pw::ui {

class FilteredListModel;
class ListFilterBar;
class RecordTableModel;
struct ListColumns;

class RecordTabPage final : public QWidget {
public:
    struct Button {
        const char* text;
        std::function<void()> command;
    };
    struct Commands {
        // Rows of buttons under the list, top to bottom.
        std::vector<std::vector<Button>> buttonRows;
        std::function<void(int column)> sort;
        // Edits the record at a table position.
        std::function<void(int row)> edit;
    };

    // `objectName` names the list ("contactList"), under which the window remembers its columns;
    // its filter box is named after it ("contactListFilter").
    RecordTabPage(RecordTableModel& model, RecordFilter filter, const ListColumns& columns, const QString& objectName,
                  Commands commands, QWidget* parent);

    QTableView* view() const { return view_; }
    FilteredListModel* list() const { return list_; }
    ListFilterBar* filterBar() const { return filterBar_; }

private:
    QTableView* view_ = nullptr;
    FilteredListModel* list_ = nullptr;
    ListFilterBar* filterBar_ = nullptr;
};

} // namespace pw::ui
