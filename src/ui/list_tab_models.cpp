// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list_tab_models.h"

#include "ui/record_table_models.h"

namespace pw::ui {

int MemberListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(members_.size());
}

int MemberListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant MemberListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || records_.showsPlaceholder())
        return {};
    const int record = recordIndexAt(index.row());
    if (record < 0)
        return {};
    return records_.data(records_.index(record, index.column()), role);
}

QVariant MemberListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        if (const auto own = headings_.find(section); own != headings_.end())
            return own->second;
    return records_.headerData(section, orientation, role);
}

void MemberListModel::setMembers(std::vector<int> recordIndexes)
{
    beginResetModel();
    members_ = std::move(recordIndexes);
    endResetModel();
}

int MemberListModel::recordIndexAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(members_.size()))
        return -1;
    return members_[static_cast<std::size_t>(row)];
}

} // namespace pw::ui
