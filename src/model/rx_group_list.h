// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An RX group list: a named list of contacts (talkgroups) that a digital channel listens to.
//
// Members are 1-based contact table positions. The list keeps its member count as a value; its
// format keeps the name, the count and the members in the list's family record.

#include "model/record_bytes.h"
#include "model/record_format.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class RxGroupList {
public:
    explicit RxGroupList(const RxGroupListFormat& format);

    const RxGroupListFormat& format() const { return *format_; }

    // At most 16 characters (20 in some formats).
    std::string name() const { return format_->name(*this); }
    void setName(std::string_view name) { format_->setName(*this, name); }

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

    // ---- For the format ----

    RecordBytes& familyRecord() { return familyRecord_; }
    const RecordBytes& familyRecord() const { return familyRecord_; }
    void setFamilyRecord(std::span<const std::uint8_t> bytes) { familyRecord_.assign(bytes.begin(), bytes.end()); }

private:
    const RxGroupListFormat* format_;
    int count_ = 0;
    RecordBytes familyRecord_;
};

} // namespace pw
