// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The flags byte in which the TYT and RDB contact records keep a contact's call type (bits 0-1)
// and its alert tone (one bit). The families write their own values for the call types.

#include "codeplug/byte_field.h"
#include "model/contact.h"

namespace pw {

struct ContactFlags {
    std::size_t offset = 0;
    unsigned alertBit = 0;
    // What each call type writes besides the alert bit.
    unsigned groupCall = 0;
    unsigned privateCall = 0;
    unsigned allCall = 0;

    // The alert bit is kept; every other bit is the call type's.
    void storeCallType(Bytes record, CallType type) const
    {
        const unsigned kept = getU8(record, offset) & (1u << alertBit);
        setU8(record, offset, kept | (type == CallType::GroupCall ? groupCall
                                      : type == CallType::AllCall ? allCall
                                                                  : privateCall));
    }
    // Bits 0-1 that match no other call type's read as a private call.
    CallType callType(ConstBytes record) const
    {
        const unsigned low = getU8(record, offset) & 3u;
        if (low == (groupCall & 3u))
            return CallType::GroupCall;
        return low == (allCall & 3u) ? CallType::AllCall : CallType::PrivateCall;
    }
    void storeAlertTone(Bytes record, bool on) const { setBit(record, offset, alertBit, on); }
    bool alertTone(ConstBytes record) const { return getBit(record, offset, alertBit); }
};

} // namespace pw
