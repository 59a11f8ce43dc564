// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the "Channel Editor" dialog shows and decides, kept apart from any window: the entries of
// its lists, the transmit offset it selects for a channel and the transmit frequency that offset
// gives, and the frequency a new channel starts on.

#include "model/channel.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Codeplug;

// The entries of the "Transmit Offset" list, in list order.
enum class TransmitOffset { Simplex = 0, Plus = 1, Minus = 2, Custom = 3 };

// "Simplex", "( + )", "( -- )", "Custom".
std::vector<std::string> transmitOffsetChoices();

// The offset that describes a channel: simplex when the two frequencies agree within 10 Hz, plus or
// minus when they are one repeater step apart (repeaterOffsetMhz at the receive frequency), and
// custom for anything else.
TransmitOffset transmitOffsetFor(double rxMhz, double txMhz);

// The transmit frequency an offset gives at `rxMhz`; custom keeps `currentTxMhz`.
double transmitFrequencyFor(TransmitOffset offset, double rxMhz, double currentTxMhz);

// A frequency box as a number: the decimal number the text begins with (blanks before it allowed),
// 0 when it begins with no number. Independent of the user's locale.
double frequencyFromBox(std::string_view text);

// The receive frequency of a new channel: 446.0 MHz when the codeplug's first channel receives at
// or above 200 MHz, else 146.52 MHz.
double newChannelFrequencyMhz(const Codeplug& codeplug);

// ---- The lists ----

// "Infinite", "15", "30", ... "555": one entry per TOT step, 38 entries.
std::vector<std::string> timeOutChoices();
// "0" to "255".
std::vector<std::string> rekeyDelayChoices();
// "1" to "16".
std::vector<std::string> encryptionCodeChoices();
// "None", then the emergency systems by name: entry n is emergency system n.
std::vector<std::string> emergencySystemChoices(const Codeplug& codeplug);
// "None", the 50 CTCSS tones "067.0" to "254.1", the 104 DCS codes normal, then inverted: 259.
const std::vector<std::string>& decodeToneChoices();
// The decode list without the five CTCSS tones above "225.7": 254 entries.
const std::vector<std::string>& encodeToneChoices();
// The entry of `choices` that equals `text`, or the first entry when none does.
std::size_t entryOrFirst(const std::vector<std::string>& choices, std::string_view text);

namespace channel_editor_text {
inline constexpr std::string_view Title = "Channel Editor";
inline constexpr std::string_view DmrTab = "DMR Channel";
inline constexpr std::string_view FmTab = "FM Channel";
inline constexpr std::string_view Save = "Save Changes";
inline constexpr std::string_view Cancel = "Cancel";

inline constexpr std::string_view PrivacyWarning =
    "WARNING: It is a violation of FCC Rules (CFR47 Part 97)\r\nto engage this function for Amateur Radio\r\n"
    "applications.";
inline constexpr std::string_view InvalidEditIndex =
    "An internal error has occured. The specified edit channel index is invalid.";
inline constexpr std::string_view DuplicateName =
    "The channel you've entered has a name that's a duplicate\r\nof an existing channel. Change the name and "
    "try again.";
inline constexpr std::string_view AddFailed = "An unknown error occurred while adding the channel.";
// The feature named in the not-yet-supported message.
inline constexpr std::string_view EditingFeature = "channel editing";
} // namespace channel_editor_text

} // namespace pw
