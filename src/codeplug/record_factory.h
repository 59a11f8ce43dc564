// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// New records of a format, for code that has a FormatId but no codeplug of it (tests, tools). Code
// with a codeplug asks the codeplug (Codeplug::newChannel and the like).

#include "codeplug/probe_chain.h"
#include "model/channel.h"
#include "model/contact.h"
#include "model/rx_group_list.h"
#include "model/scan_list.h"
#include "model/zone.h"

namespace pw {

inline Contact newContact(FormatId formatId) { return Contact(*recordFormatsOf(formatId).contact); }
inline Channel newChannel(FormatId formatId, double frequencyMhz = 146.0)
{
    return Channel(*recordFormatsOf(formatId).channel, frequencyMhz);
}
inline Zone newZone(FormatId formatId) { return Zone(*recordFormatsOf(formatId).zone); }
inline ScanList newScanList(FormatId formatId) { return ScanList(*recordFormatsOf(formatId).scanList); }
inline RxGroupList newRxGroupList(FormatId formatId) { return RxGroupList(*recordFormatsOf(formatId).rxGroupList); }

} // namespace pw
