// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ChannelLine: one channel as one line of 42 quoted fields separated by ", ", with no line end.
// It carries channels through the channel CSV file, the clipboard and every copy between
// codeplugs: a channel is written with its own codeplug, so that references appear as the names
// of the records they point to, and read into a new channel of the destination, which looks the
// names up again. Reading a line of another family's channel is how a channel changes family.
//
//  0 name             11 totRekeyDelay     22 txSignalingSystem     33 emergencyAlarmAck
//  1 mode             12 power             23 analogOption          34 dataCallConfirmed
//  2 bandwidth        13 autoScan          24-31 decodeSwitches     35 emergencySystem
//  3 txFrequency      14 rxOnly                  (bit k = 24 + k)   36 txContact
//  4 rxFrequency      15 loneWorker        32 privateCallConfirmed  37 rxGroupList
//  5 scanList         16 vox                                        38 colorCode
//  6 squelch          17 talkaround                                 39 privacy
//  7 admitCriterion   18 ctcssDecode                                40 privacyCode
//  8 rxRefFrequency   19 ctcssEncode                                41 timeSlot
//  9 txRefFrequency   20 qtReverse
// 10 tot              21 rxSignalingSystem
//
// Field 39 is "NONE" with privacy off and "BASIC" or "ENHANCED" with it on, so that privacy
// survives the trip into every family (the privacy text form switches it). Field 35 names the
// emergency system in the TYT family, whose codeplugs keep a table of them; the RDB family keeps
// only the number, so there the number is written and read back.

#include <string>
#include <string_view>

namespace pw {

class Channel;
class Codeplug;
class ContactIndex;

// What reading a channel line found.
enum class ChannelLineRead {
    Read,
    // A field is missing, or no codeplug was given.
    Incomplete,
    // A frequency is no number, or one the codeplug's format cannot store.
    ValueRefused,
};

class ChannelLine {
public:
    static constexpr int FieldCount = 42;
    // Longest field text taken from a line.
    static constexpr std::size_t FieldLimit = 1022;

    // The line of `channel`, its references named from `codeplug`.
    static std::string write(const Channel& channel, const Codeplug& codeplug);

    // Reads `line` into `channel` (made for the destination's FormatId), looking names up in
    // `codeplug`, and through `contacts` when given (an index of the same codeplug's contacts).
    // Unless every field was read the channel is to be discarded; `refusal`, when given, tells why
    // a value was refused.
    static ChannelLineRead read(std::string_view line, Channel& channel, const Codeplug* codeplug,
                    const ContactIndex* contacts = nullptr, std::string* refusal = nullptr);
};

} // namespace pw
