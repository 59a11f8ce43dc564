// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A zone: a named list of channels that the radio shows together, in one bank or, on radios whose
// zones have a bank B, in two.
//
// Members are the codeplug's member numbers of channels (Codeplug::memberNumberOf); 0 marks an
// empty entry. The zone's format keeps the name and the members in the zone's family record, with
// its own rules for which entries hold members; the zone asks it for every read and change.

#include "model/named_member_list.h"
#include "model/record_format.h"

#include <functional>
#include <vector>

namespace pw {

class Zone : public NamedMemberList<Zone, ZoneFormat> {
public:
    static constexpr int MaxBanks = 2;

    using NamedMemberList::NamedMemberList;

    int bankCount() const { return format_->bankCount(); }
    int capacity() const { return format_->capacity(); }
    // 1 (bank A) or 2 (bank B).
    int currentBank() const { return currentBank_; }
    // Only zones with two banks switch: above 2 selects bank 2, 0 or below bank 1.
    void selectBank(int bank);

    // Member operations act on the current bank; i is 0-based.
    int memberCount() const { return format_->memberCount(*this, currentBank_); }
    // The member number at entry i, 0 when the entry is empty or outside the bank.
    int member(int i) const { return format_->member(*this, currentBank_, i); }
    void setMember(int i, int value) { format_->setMember(*this, currentBank_, i, value); }
    bool holdsMember(int i) const { return format_->holdsMember(*this, currentBank_, i); }
    bool hasMember(int value) const;
    // The entries of the current bank that can hold members.
    int entryCount() const { return format_->entryCount(); }
    // The member numbers of the current bank, in order.
    std::vector<int> members() const;

    // Adds member number `value` after the others; false when it is 0 or below, already in the
    // bank, or the bank is full.
    bool addMember(int value);
    // Later members move up one place; false when entry i holds no member.
    bool removeMember(int i) { return format_->removeMember(*this, currentBank_, i); }
    // Swap members i - 1 and i, or i and i + 1; false when either is not a member.
    bool moveMemberUp(int i);
    bool moveMemberDown(int i);

    // Every bank in turn: every member equal to `value` goes.
    bool removeMembersEqualTo(int value);
    // Every bank in turn: members above `value` are lowered by one.
    void lowerMembersAbove(int value);
    // Every bank in turn: every non-zero member m becomes newNumber(m).
    void remapMembers(const std::function<int(int)>& newNumber);

    // ---- For the format ----

    // Runs `action` with the current bank set to each bank in turn, then restores the selection.
    template <typename Action>
    void forEachBank(Action action)
    {
        const int saved = currentBank_;
        for (int bank = 1; bank <= bankCount(); ++bank) {
            currentBank_ = bank;
            action();
        }
        currentBank_ = saved;
    }

private:
    int currentBank_ = 1;
};

} // namespace pw
