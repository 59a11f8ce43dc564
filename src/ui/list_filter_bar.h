// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filter box above a record list, with the count of what it shows beside it ("12 of
// 170,000"). Typing narrows the list at once; Escape empties the box; Enter or the Down key moves
// to the list. The selection of the list survives a new filter where its rows are still shown.

#include <QWidget>

class QLabel;
class QLineEdit;
class QTableView;

namespace pw::ui {

class FilteredListModel;

class ListFilterBar final : public QWidget {
    Q_OBJECT
public:
    // A bar over `view`, whose model is `list`.
    ListFilterBar(FilteredListModel& list, QTableView& view, const QString& objectName, QWidget* parent);

    QLineEdit* box() const { return box_; }
    QString countText() const;
    // Puts the keyboard focus in the box with its text selected, as Ctrl+F does.
    void focusBox();

    // "12 of 170,000": the count shown and the count in all, with thousands marked.
    static QString countText(int shown, int total);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyFilter(const QString& text);
    void showCount();

    FilteredListModel& list_;
    QTableView& view_;
    QLineEdit* box_ = nullptr;
    QLabel* count_ = nullptr;
};

} // namespace pw::ui
