// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Table models of the Zones, Scan Lists and Rx Groups tabs.
//
// The master lists show the contact and channel table models themselves (through their filters),
// with fewer columns, so that a sort or a refill of the contact or channel list also refills them. The member lists
// are short (at most 250 rows) and hold the table positions of their members; each cell is read
// from the contact or channel table model, so a member row reads exactly as its record's row.

#include <QAbstractTableModel>

#include <map>
#include <vector>

namespace pw::ui {

class RecordTableModel;

// The members of a zone bank or a scan list (the channels: "No.", the channel's table number,
// "Channel Name", "Rx Freq", "Mode", " BW"), or of an RX group list (the contacts: "No.",
// "DMR-MARC ID", "Contact Name", "Type"), under the first `columns` headings of their table.
class MemberListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    MemberListModel(const RecordTableModel& records, int columns, QObject* parent = nullptr)
        : QAbstractTableModel(parent), records_(records), columns_(columns) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A heading of the list's own in place of the table's ("Type" for "Contact Type").
    void setHeading(int column, const QString& text) { headings_[column] = text; }
    // The 0-based table positions of the members in member order; -1 for a member that names no
    // record.
    void setMembers(std::vector<int> recordIndexes);
    // The table position of member `row`, -1 when there is none.
    int recordIndexAt(int row) const;

private:
    const RecordTableModel& records_;
    int columns_;
    std::map<int, QString> headings_;
    std::vector<int> members_;
};

} // namespace pw::ui
