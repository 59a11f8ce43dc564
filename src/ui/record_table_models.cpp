// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/record_table_models.h"

namespace pw::ui {

const int ContactTableModel::ColumnWidths[ContactColumnCount] = {55, 95, 140, 90, 80, 70, 100, 100, 100, 100};
const int ChannelTableModel::ColumnWidths[ChannelColumnCount] = {30, 100, 65, 40, 40, 65, 50, 40, 35, 40, 85, 85};

RecordTableModel::RecordTableModel(const Codeplug& codeplug, int columns, const char* placeholder, QObject* parent)
    : QAbstractTableModel(parent), codeplug_(codeplug), columns_(columns), placeholder_(placeholder)
{
}

bool RecordTableModel::showsPlaceholder() const
{
    return codeplug_.loaded() && recordCount() == 0;
}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !codeplug_.loaded())
        return 0;
    return showsPlaceholder() ? 1 : recordCount();
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    if (showsPlaceholder()) {
        switch (index.column()) {
        case 0: return QStringLiteral("#");
        case 1: return QString::fromLatin1(placeholder_);
        case 2: return QStringLiteral(" #");
        default: return {};
        }
    }
    if (index.row() >= recordCount())
        return {};
    return recordCell(index.row(), index.column());
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columns_)
        return QString::fromLatin1(heading(section));
    return {};
}

void RecordTableModel::refresh()
{
    beginResetModel();
    endResetModel();
}

ContactTableModel::ContactTableModel(const Codeplug& codeplug, QObject* parent)
    : ColumnTableModel(codeplug, ContactColumnCount, "No Contacts", parent)
{
}

int ContactTableModel::recordCount() const { return codeplug().contacts().count(); }

ChannelTableModel::ChannelTableModel(const Codeplug& codeplug, QObject* parent)
    : ColumnTableModel(codeplug, ChannelColumnCount, "No Channels", parent)
{
}

int ChannelTableModel::recordCount() const { return codeplug().channels().count(); }

} // namespace pw::ui
