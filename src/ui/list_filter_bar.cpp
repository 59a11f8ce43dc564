// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list_filter_bar.h"

#include "ui/filtered_list_model.h"
#include "ui/record_list_view.h"

#include <QAction>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace pw::ui {
namespace {

QString withThousands(int value)
{
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

} // namespace

ListFilterBar::ListFilterBar(FilteredListModel& list, QTableView& view, const QString& objectName, QWidget* parent)
    : QWidget(parent), list_(list), view_(view)
{
    setObjectName(objectName);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    box_ = new QLineEdit(this);
    box_->setObjectName(objectName + QStringLiteral("Box"));
    box_->setPlaceholderText(QStringLiteral("Filter (Ctrl+F)"));
    box_->setClearButtonEnabled(true);
    box_->setToolTip(QStringLiteral("Shows the rows that hold this text in any column, whatever its letter case "
                                    "and accents. Escape shows every row again."));
    box_->installEventFilter(this);
    count_ = new QLabel(this);
    count_->setObjectName(objectName + QStringLiteral("Count"));
    layout->addWidget(box_, 1);
    layout->addWidget(count_);
    connect(box_, &QLineEdit::textChanged, this, &ListFilterBar::applyFilter);
    connect(&list_, &FilteredListModel::shownChanged, this, &ListFilterBar::showCount);

    // Escape in the list shows every row again too, when a filter narrows it.
    auto* clear = new QAction(&view_);
    clear->setShortcut(Qt::Key_Escape);
    clear->setShortcutContext(Qt::WidgetShortcut);
    connect(clear, &QAction::triggered, box_, &QLineEdit::clear);
    view_.addAction(clear);
}

QString ListFilterBar::countText(int shown, int total)
{
    return QStringLiteral("%1 of %2").arg(withThousands(shown), withThousands(total));
}

QString ListFilterBar::countText() const { return count_->text(); }

void ListFilterBar::focusBox()
{
    box_->setFocus(Qt::ShortcutFocusReason);
    box_->selectAll();
}

void ListFilterBar::applyFilter(const QString& text)
{
    // The records selected stay selected where the new filter still shows them.
    std::vector<int> selected;
    for (const QModelIndex& index : view_.selectionModel()->selectedRows())
        selected.push_back(list_.recordRow(index.row()));
    const int current = list_.recordRow(view_.currentIndex().row());
    list_.setFilterText(text);
    QItemSelection kept;
    for (const int record : selected) {
        const int row = list_.listRow(record);
        if (row >= 0)
            kept.select(list_.index(row, 0), list_.index(row, list_.columnCount() - 1));
    }
    view_.selectionModel()->select(kept, QItemSelectionModel::ClearAndSelect);
    if (const int row = list_.listRow(current); row >= 0) {
        view_.selectionModel()->setCurrentIndex(list_.index(row, 0), QItemSelectionModel::NoUpdate);
        view_.scrollTo(list_.index(row, 0));
    }
}

void ListFilterBar::showCount()
{
    count_->setText(list_.filtering() ? countText(list_.shownCount(), list_.recordCount()) : QString());
}

bool ListFilterBar::eventFilter(QObject* watched, QEvent* event)
{
    // The index is built as the user comes to the box, before the first key.
    if (watched == box_ && event->type() == QEvent::FocusIn)
        list_.prepareFilter();
    if (watched == box_ && event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            box_->clear();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
            view_.setFocus(Qt::OtherFocusReason);
            if (!view_.currentIndex().isValid() && list_.rowCount() > 0)
                selectOnlyRow(&view_, list_.recordRow(0));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace pw::ui
