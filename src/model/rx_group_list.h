// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An RX group list: a named list of contacts (talkgroups) that a digital channel listens to.
//
// Members are 1-based contact table positions. The list keeps its member count as a value; its
// format keeps the name, the count and the members in the list's family record.

#include "model/named_member_list.h"
#include "model/record_format.h"

#include <functional>
#include <vector>

namespace pw {

class RxGroupList : public NamedMemberList<RxGroupList, RxGroupListFormat> {
public:
    using NamedMemberList::NamedMemberList;

    int memberLimit() const { return format_->memberLimit(); }
    int memberCount() const { return count_; }
    // The 1-based contact position of member i (0-based), 0 outside the list.
    int member(int i) const { return i >= 0 && i < count_ ? format_->member(*this, i) : 0; }
    void setMember(int i, int value);
    bool hasMember(int value) const;
    std::vector<int> members() const;

    // Adds contact position `position` (1-based) after the others; false when the list is full or
    // the contact is already a member.
    bool addMember(int position);
    // Later members move up one place; false when i is outside the list.
    bool removeMember(int i);

    // After contact `position` (1-based) left the table: the first member equal to it goes and
    // larger members are lowered by one.
    void forgetContact(int position);
    // Every non-zero member m becomes newPosition(m).
    void remapMembers(const std::function<int(int)>& newPosition);

    // Takes the member count from the list's own record, as the decoder does after copying it in.
    void loadMemberCount() { count_ = format_->storedMemberCount(*this); }
    // Sets the count in the model and in the record.
    void setMemberCount(int count);

private:
    int count_ = 0;
};

} // namespace pw
