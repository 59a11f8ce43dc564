// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/id_match_table_model.h"

#include "iddb/id_database.h"

namespace pw::ui {
namespace {

constexpr const char* ColumnTitles[IdMatchTableModel::ColumnCount] = {"Radio ID", "Callsign", "Name",   "City",
                                                                      "State",    "Country",  "Remarks"};

std::string_view columnText(const IdRecord& record, int column)
{
    switch (column) {
    case 0: return record.radioId();
    case 1: return record.callsign();
    case 2: return record.name();
    case 3: return record.city();
    case 4: return record.state();
    case 5: return record.country();
    default: return record.remarks();
    }
}

} // namespace

const int IdMatchTableModel::ColumnWidths[ColumnCount] = {60, 75, 130, 90, 70, 100, 140};

IdMatchTableModel::IdMatchTableModel(const IdDatabase& database, QObject* parent)
    : QAbstractTableModel(parent), database_(database)
{
}

int IdMatchTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int IdMatchTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant IdMatchTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_)
        return {};
    const auto text = columnText(database_.Match(index.row()), index.column());
    // The records hold UTF-8.
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant IdMatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(ColumnTitles[section]);
}

void IdMatchTableModel::showMatches()
{
    beginResetModel();
    rows_ = static_cast<int>(database_.Matches().size());
    endResetModel();
}

void IdMatchTableModel::clear()
{
    beginResetModel();
    rows_ = 0;
    endResetModel();
}

} // namespace pw::ui
