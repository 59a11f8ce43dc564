// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The searcher's result list: a table model over the ID database's latest matches. The view asks
// only for the rows it draws, so listing the entire database (two million rows) costs one model
// reset, not an item per cell.

#include <QAbstractTableModel>

namespace pw {
class IdDatabase;
}

namespace pw::ui {

class IdMatchTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 7;
    static const int ColumnWidths[ColumnCount];

    explicit IdMatchTableModel(const IdDatabase& database, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Lists the database's current matches; call after each search.
    void showMatches();
    // Empties the list; the matches stay in the database.
    void clear();

private:
    const IdDatabase& database_;
    int rows_ = 0;
};

} // namespace pw::ui
