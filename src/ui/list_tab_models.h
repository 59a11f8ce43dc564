// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Table models of the Zones, Scan Lists and Rx Groups tabs.
//
// The master lists show the contact and channel table models themselves (through their filters),
// with fewer columns, so that a sort or a refill of the contact or channel list also refills them. The member lists
// are short (at most 250 rows) and hold the table positions of their members; each cell is read
// from the contact or channel table model, so a member row reads exactly as its record's row.

#include <QAbstractTableModel>

#include <vector>

namespace pw::ui {

class ContactTableModel;
class ChannelTableModel;

// The channels of a zone bank or a scan list: "No." (the channel's table number), "Channel Name",
// "Rx Freq", "Mode", " BW".
class ChannelMembersModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelMembersModel(const ChannelTableModel& channels, QObject* parent = nullptr)
        : QAbstractTableModel(parent), channels_(channels) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The 0-based channel table positions of the members in member order; -1 for a member that
    // names no channel.
    void setMembers(std::vector<int> channelIndexes);
    // The channel table position of member `row`, -1 when there is none.
    int channelIndexAt(int row) const;

    static constexpr int Columns = 5;

private:
    const ChannelTableModel& channels_;
    std::vector<int> members_;
};

// The contacts of an RX group list: "No." (the contact's table number), "DMR-MARC ID",
// "Contact Name", "Type".
class ContactMembersModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ContactMembersModel(const ContactTableModel& contacts, QObject* parent = nullptr)
        : QAbstractTableModel(parent), contacts_(contacts) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setMembers(std::vector<int> contactIndexes);

    static constexpr int Columns = 4;

private:
    const ContactTableModel& contacts_;
    std::vector<int> members_;
};

} // namespace pw::ui
