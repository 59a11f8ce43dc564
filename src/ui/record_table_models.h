#pragma once
// Table models over the working codeplug's contact and channel tables. The views ask only for the
// rows they draw, so a table of 160,000 contacts costs nothing until it is scrolled; a model reset
// stands for refilling the list after a change.

#include "codeplug/codeplug.h"

#include <QAbstractTableModel>

namespace pw::ui {

class ContactTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ContactTableModel(const Codeplug& codeplug, QObject* parent = nullptr)
        : QAbstractTableModel(parent), codeplug_(codeplug) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void refresh();
    // Whether the table shows the "No Contacts" row instead of contacts.
    bool showsPlaceholder() const;

    static const int ColumnWidths[5];

private:
    const Codeplug& codeplug_;
};

class ChannelTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelTableModel(const Codeplug& codeplug, QObject* parent = nullptr)
        : QAbstractTableModel(parent), codeplug_(codeplug) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void refresh();
    bool showsPlaceholder() const;

    static const int ColumnWidths[12];

private:
    const Codeplug& codeplug_;
};

} // namespace pw::ui
