// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list_tab_models.h"

#include "ui/record_table_models.h"

namespace pw::ui {
namespace {

constexpr int ContactTypeColumn = 3;

} // namespace

int ChannelMembersModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(members_.size());
}

int ChannelMembersModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant ChannelMembersModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || channels_.showsPlaceholder())
        return {};
    const int channel = channelIndexAt(index.row());
    if (channel < 0)
        return {};
    return channels_.data(channels_.index(channel, index.column()), role);
}

QVariant ChannelMembersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return channels_.headerData(section, orientation, role);
}

void ChannelMembersModel::setMembers(std::vector<int> channelIndexes)
{
    beginResetModel();
    members_ = std::move(channelIndexes);
    endResetModel();
}

int ChannelMembersModel::channelIndexAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(members_.size()))
        return -1;
    return members_[static_cast<std::size_t>(row)];
}

int ContactMembersModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(members_.size());
}

int ContactMembersModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant ContactMembersModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(members_.size()) || contacts_.showsPlaceholder())
        return {};
    const int contact = members_[static_cast<std::size_t>(index.row())];
    if (contact < 0)
        return {};
    return contacts_.data(contacts_.index(contact, index.column()), role);
}

QVariant ContactMembersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == ContactTypeColumn)
        return QStringLiteral("Type");
    return contacts_.headerData(section, orientation, role);
}

void ContactMembersModel::setMembers(std::vector<int> contactIndexes)
{
    beginResetModel();
    members_ = std::move(contactIndexes);
    endResetModel();
}

} // namespace pw::ui
