// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scan list: a named list of channels that the radio scans in turn.
//
// Members are the codeplug's member numbers of channels (Codeplug::memberNumberOf); 0 marks an
// empty entry. The list's format keeps the name and the members in the list's family record.

#include "model/named_member_list.h"
#include "model/record_format.h"

#include <functional>
#include <string_view>
#include <vector>

namespace pw {

// Looks a channel up by name: its 0-based table index, or -1.
using ChannelFinder = std::function<int(std::string_view name)>;

class ScanList : public NamedMemberList<ScanList, ScanListFormat> {
public:
    using NamedMemberList::NamedMemberList;

    int memberLimit() const { return format_->memberLimit(); }
    int entryCount() const { return format_->entryCount(); }
    int memberCount() const { return format_->memberCount(*this); }
    // The member number at entry i (0-based), 0 when the entry holds no member.
    int member(int i) const { return format_->member(*this, i); }
    void setMember(int i, int value) { format_->setMember(*this, i, value); }
    bool holdsMember(int i) const { return format_->holdsMember(*this, i); }
    bool hasMember(int value) const;
    // The member numbers, in order.
    std::vector<int> members() const;

    // Adds member number `value` after the others; false when it is 0 or below, already a member,
    // or the list is full.
    bool addMember(int value);
    // Later members move up one place; false when entry i holds no member.
    bool removeMember(int i) { return format_->removeMember(*this, i); }
    bool moveMemberUp(int i);
    bool moveMemberDown(int i);

    // The first member equal to `value` goes; true when one went.
    bool removeFirstMemberEqualTo(int value);
    // Members above `value` are lowered by one.
    void lowerMembersAbove(int value);
    // Every non-zero member m becomes newNumber(m).
    void remapMembers(const std::function<int(int)>& newNumber);
};

} // namespace pw
