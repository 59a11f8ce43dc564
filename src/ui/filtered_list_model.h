// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A record list as its filter box narrows it: the rows of the contact or channel table model whose
// texts hold the typed text, in table order. Every command on a list works on table positions:
// recordRow and listRow map between the rows shown and the records of the codeplug.

#include "presenter/record_filter.h"

#include <QAbstractProxyModel>

#include <map>
#include <vector>

namespace pw::ui {

class RecordTableModel;

class FilteredListModel final : public QAbstractProxyModel {
    Q_OBJECT
public:
    FilteredListModel(RecordTableModel& records, RecordFilter filter, QObject* parent = nullptr);

    // Builds the filter's index ahead of the first key, when the user comes to the filter box.
    void prepareFilter();
    // Shows the records whose texts hold `typed`; every record for a blank text.
    void setFilterText(const QString& typed);
    QString filterText() const { return typed_; }
    bool filtering() const { return filtering_; }
    // How many records the list shows, and how many there are.
    int shownCount() const;
    int recordCount() const;

    // The table position of the record on list row `row`, -1 for none.
    int recordRow(int row) const;
    // The list row of the record at table position `record`, -1 when the filter hides it.
    int listRow(int record) const;

    // A heading of the list's own in place of the table's ("Type" for "Contact Type").
    void setHeading(int column, const QString& text) { headings_[column] = text; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The rows shown changed: a new filter text, or the table refilled under the filter.
    void shownChanged();

private:
    // Takes the rows to show from the filter, as the table now is.
    void refilter();
    bool narrows() const;

    RecordTableModel& records_;
    RecordFilter filter_;
    QString typed_;
    bool filtering_ = false;
    std::vector<int> rows_;  // the table positions shown, ascending, while filtering
    std::map<int, QString> headings_;
};

} // namespace pw::ui
