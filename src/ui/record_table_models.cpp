// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/record_table_models.h"

#include "presenter/list_columns.h"
#include "ui/qt_prompts.h"

namespace pw::ui {

const int ContactTableModel::ColumnWidths[10] = {55, 95, 140, 90, 80, 70, 100, 100, 100, 100};
const int ChannelTableModel::ColumnWidths[12] = {30, 100, 65, 40, 40, 65, 50, 40, 35, 40, 85, 85};

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
    : RecordTableModel(codeplug, ContactColumnCount, "No Contacts", parent)
{
}

int ContactTableModel::recordCount() const { return codeplug().contacts().count(); }

const char* ContactTableModel::heading(int column) const { return pw::heading(static_cast<ContactColumn>(column)); }

QVariant ContactTableModel::recordCell(int row, int column) const
{
    // The number stays a number, so that the list's keyboard search and tests read it as one.
    if (column == static_cast<int>(ContactColumn::Number))
        return row + 1;
    return fromUtf8(cellText(codeplug(), row, static_cast<ContactColumn>(column)));
}

ChannelTableModel::ChannelTableModel(const Codeplug& codeplug, QObject* parent)
    : RecordTableModel(codeplug, ChannelColumnCount, "No Channels", parent)
{
}

int ChannelTableModel::recordCount() const { return codeplug().channels().count(); }

const char* ChannelTableModel::heading(int column) const { return pw::heading(static_cast<ChannelColumn>(column)); }

QVariant ChannelTableModel::recordCell(int row, int column) const
{
    if (column == static_cast<int>(ChannelColumn::Number))
        return row + 1;
    return fromUtf8(cellText(codeplug(), row, static_cast<ChannelColumn>(column)));
}

} // namespace pw::ui
