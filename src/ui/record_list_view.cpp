#include "ui/record_list_view.h"

#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>

namespace pw::ui {
namespace {

// The widest text a column of that heading shows, so that the column never cuts a frequency or a
// call type short when the desktop's font is wider than the one the widths were made for.
QString widestText(const QString& heading)
{
    if (heading == QLatin1String("Rx Freq") || heading == QLatin1String("Tx Freq"))
        return QStringLiteral("000.00000");
    if (heading == QLatin1String("Type") || heading == QLatin1String("Contact Type"))
        return QStringLiteral("Private Call");
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
    for (int c = 0; c < model->columnCount(); ++c) {
        if (c >= columns.count) {
            view->setColumnHidden(c, true);
            continue;
        }
        const QString widest = widestText(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        const int needed = widest.isEmpty() ? 0 : metrics.horizontalAdvance(widest) + 12;
        view->setColumnWidth(c, std::max(columns.widths[c], needed));
    }
    return view;
}

std::optional<int> firstSelectedRow(const QAbstractItemView* view)
{
    const auto rows = view->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first().row();
}

void selectOnlyRow(QAbstractItemView* view, int row)
{
    const QModelIndex index = view->model()->index(row, 0);
    if (!index.isValid())
        return;
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
}

} // namespace pw::ui
