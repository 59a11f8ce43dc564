// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/zone.h"

#include "model/list_support.h"

namespace pw {

void Zone::selectBank(int bank)
{
    if (bankCount() < 2)
        return;
    currentBank_ = bank >= 2 ? 2 : 1;
}

bool Zone::hasMember(int value) const { return list_support::hasMember(*this, value); }

std::vector<int> Zone::members() const { return list_support::members(*this); }

bool Zone::addMember(int value)
{
    if (value <= 0 || hasMember(value))
        return false;
    return format_->appendMember(*this, currentBank_, value);
}

bool Zone::moveMemberUp(int i) { return list_support::swapMembers(*this, i - 1, i); }

bool Zone::moveMemberDown(int i) { return list_support::swapMembers(*this, i, i + 1); }

bool Zone::removeMembersEqualTo(int value)
{
    bool removedAny = false;
    forEachBank([&] {
        for (int i = 0; i < entryCount();) {
            if (holdsMember(i) && member(i) == value && removeMember(i)) {
                removedAny = true;
                continue;
            }
            ++i;
        }
    });
    return removedAny;
}

void Zone::lowerMembersAbove(int value)
{
    forEachBank([&] {
        for (int i = 0; i < entryCount(); ++i)
            if (member(i) > value)
                setMember(i, member(i) - 1);
    });
}

void Zone::remapMembers(const std::function<int(int)>& newNumber)
{
    forEachBank([&] {
        for (int i = 0; i < entryCount(); ++i)
            if (member(i) > 0)
                setMember(i, newNumber(member(i)));
    });
}

} // namespace pw
