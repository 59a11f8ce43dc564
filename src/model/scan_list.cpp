// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/scan_list.h"

#include "model/list_support.h"

namespace pw {

bool ScanList::hasMember(int value) const { return list_support::hasMember(*this, value); }

std::vector<int> ScanList::members() const { return list_support::members(*this); }

bool ScanList::addMember(int value)
{
    if (memberCount() >= memberLimit() || value <= 0 || hasMember(value))
        return false;
    return format_->appendMember(*this, value);
}

bool ScanList::moveMemberUp(int i) { return list_support::swapMembers(*this, i - 1, i); }

bool ScanList::moveMemberDown(int i) { return list_support::swapMembers(*this, i, i + 1); }

bool ScanList::removeFirstMemberEqualTo(int value)
{
    for (int i = 0; i < entryCount(); ++i)
        if (holdsMember(i) && member(i) == value)
            return removeMember(i);
    return false;
}

void ScanList::lowerMembersAbove(int value)
{
    for (int i = 0; i < entryCount(); ++i)
        if (member(i) > value)
            setMember(i, member(i) - 1);
}

void ScanList::remapMembers(const std::function<int(int)>& newNumber)
{
    for (int i = 0; i < entryCount(); ++i)
        if (member(i) > 0)
            setMember(i, newNumber(member(i)));
}

} // namespace pw
