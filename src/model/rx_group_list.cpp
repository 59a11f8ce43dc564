// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/rx_group_list.h"

#include <algorithm>

namespace pw {

void RxGroupList::setMember(int i, int value)
{
    if (i < 0 || i >= format_->entryCount())
        return;
    format_->setMember(*this, i, value);
}

bool RxGroupList::hasMember(int value) const
{
    for (int i = 0; i < count_; ++i)
        if (member(i) == value)
            return true;
    return false;
}

std::vector<int> RxGroupList::members() const
{
    std::vector<int> positions;
    for (int i = 0; i < count_; ++i)
        positions.push_back(member(i));
    return positions;
}

void RxGroupList::setMemberCount(int count)
{
    count_ = std::clamp(count, 0, format_->entryCount());
    format_->setMemberCount(*this, count_);
}

bool RxGroupList::addMember(int position)
{
    if (position <= 0 || count_ >= memberLimit() || hasMember(position))
        return false;
    setMember(count_, position);
    setMemberCount(count_ + 1);
    return true;
}

bool RxGroupList::removeMember(int i)
{
    if (i < 0 || i >= count_)
        return false;
    for (int j = i; j + 1 < count_; ++j)
        setMember(j, member(j + 1));
    setMember(count_ - 1, 0);
    setMemberCount(count_ - 1);
    return true;
}

void RxGroupList::forgetContact(int position)
{
    if (position <= 0)
        return;
    for (int i = 0; i < count_; ++i) {
        if (member(i) == position) {
            removeMember(i);
            break;
        }
    }
    for (int i = 0; i < count_; ++i)
        if (member(i) > position)
            setMember(i, member(i) - 1);
}

void RxGroupList::remapMembers(const std::function<int(int)>& newPosition)
{
    for (int i = 0; i < count_; ++i)
        if (member(i) > 0)
            setMember(i, newPosition(member(i)));
}

} // namespace pw
