// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/filtered_list_model.h"

#include "ui/qt_prompts.h"
#include "ui/record_table_models.h"

#include <algorithm>

namespace pw::ui {

FilteredListModel::FilteredListModel(RecordTableModel& records, RecordFilter filter, QObject* parent)
    : QAbstractProxyModel(parent), records_(records), filter_(std::move(filter))
{
    QAbstractProxyModel::setSourceModel(&records);
    // The table models announce every change as a reset: the list is filled again under the filter.
    connect(&records, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&records, &QAbstractItemModel::modelReset, this, [this] {
        filter_.invalidate();
        if (narrows())
            rows_ = filter_.rowsHolding(toUtf8(typed_));
        endResetModel();
        emit shownChanged();
    });
    connect(&records, &QAbstractItemModel::dataChanged, this, [this] {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    });
    connect(&records, &QAbstractItemModel::headerDataChanged, this, &QAbstractItemModel::headerDataChanged);
}

bool FilteredListModel::narrows() const { return filtering_ && !records_.showsPlaceholder(); }

void FilteredListModel::prepareFilter()
{
    if (!records_.showsPlaceholder())
        filter_.prepare();
}

void FilteredListModel::setFilterText(const QString& typed)
{
    if (typed == typed_)
        return;
    beginResetModel();
    typed_ = typed;
    filtering_ = RecordFilter::filters(toUtf8(typed));
    if (narrows())
        rows_ = filter_.rowsHolding(toUtf8(typed_));
    else
        rows_.clear();
    endResetModel();
    emit shownChanged();
}

int FilteredListModel::shownCount() const { return records_.showsPlaceholder() ? 0 : rowCount(); }

int FilteredListModel::recordCount() const { return records_.showsPlaceholder() ? 0 : records_.rowCount(); }

int FilteredListModel::recordRow(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    return narrows() ? rows_[static_cast<std::size_t>(row)] : row;
}

int FilteredListModel::listRow(int record) const
{
    if (!narrows())
        return record >= 0 && record < records_.rowCount() ? record : -1;
    const auto found = std::lower_bound(rows_.begin(), rows_.end(), record);
    return found != rows_.end() && *found == record ? static_cast<int>(found - rows_.begin()) : -1;
}

QModelIndex FilteredListModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex FilteredListModel::parent(const QModelIndex&) const { return {}; }

int FilteredListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return narrows() ? static_cast<int>(rows_.size()) : records_.rowCount();
}

int FilteredListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : records_.columnCount();
}

QModelIndex FilteredListModel::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid())
        return {};
    return records_.index(recordRow(proxyIndex.row()), proxyIndex.column());
}

QModelIndex FilteredListModel::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid())
        return {};
    return index(listRow(sourceIndex.row()), sourceIndex.column());
}

QVariant FilteredListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (const auto own = headings_.find(section); own != headings_.end())
            return own->second;
    }
    return records_.headerData(section, orientation, role);
}

} // namespace pw::ui
