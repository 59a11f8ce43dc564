// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/record_list_view.h"

#include "ui/filtered_list_model.h"

#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>

namespace pw::ui {
namespace {

// The widest text a column of that heading shows, so that names of 16 characters, frequencies and
// 7- or 8-digit IDs are never cut short, whatever the desktop's font.
QString widestText(const QString& heading)
{
    // Sixteen capitals of average width: real names mix capitals, digits and blanks.
    static const QString Name = QStringLiteral("NNNNNNNNNNNNNNNN");
    if (heading == QLatin1String("Rx Freq") || heading == QLatin1String("Tx Freq"))
        return QStringLiteral("0000.00000");
    if (heading == QLatin1String("Type") || heading == QLatin1String("Contact Type"))
        return QStringLiteral("Private Call");
    if (heading == QLatin1String("Channel Name") || heading == QLatin1String("Contact Name") ||
        heading == QLatin1String("T-Enc/Contact") || heading == QLatin1String("R-Dec/Grp"))
        return Name;
    if (heading == QLatin1String("DMR-MARC ID") || heading == QLatin1String("DMR ID"))
        return QStringLiteral("16777215");
    if (heading == QLatin1String("No."))
        return QStringLiteral("160000");
    if (heading == QLatin1String("Admit"))
        return QStringLiteral("Color Code");
    return {};
}

} // namespace

QTableView* makeRecordListView(QAbstractItemModel* model, ListColumns columns, QWidget* parent,
                               QAbstractItemView::SelectionMode selection)
{
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(selection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(20);
    view->setWordWrap(false);
    view->horizontalHeader()->setHighlightSections(false);
    // The column widths were made for a small 8-point list font.
    QFont font = view->font();
    font.setPointSizeF(std::min(font.pointSizeF(), 8.0));
    view->setFont(font);
    view->horizontalHeader()->setFont(font);
    const QFontMetrics metrics(font);
    // Room for the cell margins, and in the heading for the sort indicator.
    constexpr int CellMargin = 12;
    constexpr int IndicatorRoom = 24;
    for (int c = 0; c < model->columnCount(); ++c) {
        if (c >= columns.count) {
            view->setColumnHidden(c, true);
            continue;
        }
        const QString heading = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const QString widest = widestText(heading);
        const int forText = widest.isEmpty() ? 0 : metrics.horizontalAdvance(widest) + CellMargin;
        const int forHeading = metrics.horizontalAdvance(heading) + IndicatorRoom;
        view->setColumnWidth(c, std::max({columns.widths[c], forText, forHeading}));
    }
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

int recordRowAt(const QAbstractItemView* view, int listRow)
{
    if (const auto* filtered = qobject_cast<const FilteredListModel*>(view->model()))
        return filtered->recordRow(listRow);
    return listRow >= 0 && listRow < view->model()->rowCount() ? listRow : -1;
}

std::vector<int> selectedRecordRows(const QAbstractItemView* view)
{
    std::vector<int> rows;
    if (!view->selectionModel())
        return rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
        const int row = recordRowAt(view, index.row());
        if (row >= 0)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::optional<int> firstSelectedRow(const QAbstractItemView* view)
{
    const auto rows = view->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return recordRowAt(view, rows.first().row());
}

void selectOnlyRow(QAbstractItemView* view, int row)
{
    if (const auto* filtered = qobject_cast<const FilteredListModel*>(view->model()))
        row = filtered->listRow(row);
    const QModelIndex index = view->model()->index(row, 0);
    if (!index.isValid())
        return;
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
}

void HeadingSort::show(QTableView* view) const
{
    QHeaderView* header = view->horizontalHeader();
    header->setSortIndicatorShown(column_ >= 0);
    if (column_ >= 0)
        header->setSortIndicator(column_, order_ == SortOrder::Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

} // namespace pw::ui
