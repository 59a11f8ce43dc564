// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Table models over the working codeplug's contact and channel tables. The views ask only for the
// rows they draw, so a table of 160,000 contacts costs nothing until it is scrolled; a model reset
// stands for refilling the list after a change.

#include "codeplug/codeplug.h"
#include "presenter/list_columns.h"

#include <QAbstractTableModel>


namespace pw::ui {

// One list over one table of the codeplug: its headings, one row per record, and a single
// placeholder row ("#", "No ...", " #") when a loaded codeplug holds no record. The texts are
// those of presenter/list_columns.h, which the lists' filters search.
class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void refresh();
    // Whether the table shows the placeholder row instead of records.
    bool showsPlaceholder() const;

protected:
    RecordTableModel(const Codeplug& codeplug, int columns, const char* placeholder, QObject* parent);

    const Codeplug& codeplug() const { return codeplug_; }

private:
    virtual int recordCount() const = 0;
    virtual const char* heading(int column) const = 0;
    // The text of `column` for the record at table position `row`, which exists.
    virtual QVariant recordCell(int row, int column) const = 0;

    const Codeplug& codeplug_;
    int columns_;
    const char* placeholder_;
};

// A table whose columns are those of `Column` (ContactColumn, ChannelColumn): their headings and
// texts, the number kept a number.
template <typename Column>
class ColumnTableModel : public RecordTableModel {
protected:
    using RecordTableModel::RecordTableModel;

private:
    const char* heading(int column) const override { return pw::heading(static_cast<Column>(column)); }
    QVariant recordCell(int row, int column) const override
    {
        // The number stays a number, so that the list's keyboard search and tests read it as one.
        if (column == static_cast<int>(Column::Number))
            return row + 1;
        return QString::fromStdString(cellText(codeplug(), row, static_cast<Column>(column)));
    }
};

class ContactTableModel final : public ColumnTableModel<ContactColumn> {
    Q_OBJECT
public:
    explicit ContactTableModel(const Codeplug& codeplug, QObject* parent = nullptr);

    static const int ColumnWidths[ContactColumnCount];

private:
    int recordCount() const override;
};

class ChannelTableModel final : public ColumnTableModel<ChannelColumn> {
    Q_OBJECT
public:
    explicit ChannelTableModel(const Codeplug& codeplug, QObject* parent = nullptr);

    static const int ColumnWidths[ChannelColumnCount];

private:
    int recordCount() const override;
};

} // namespace pw::ui
