// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Contacts and Channels tabs: the codeplug's list of that kind over its tab's buttons. A
// heading click, a double-click and each button run the window's command for it.

#include <QWidget>

#include <functional>
#include <vector>

class QTableView;

namespace pw::ui {

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
        std::function<void(int row)> edit;
    };

    // `objectName` names the list ("contactList"), under which the window remembers its widths.
    RecordTabPage(RecordTableModel& model, const ListColumns& columns, const QString& objectName,
                  Commands commands, QWidget* parent);

    QTableView* view() const { return view_; }

private:
    QTableView* view_ = nullptr;
};

} // namespace pw::ui
