// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Contacts, channels and whole zones through the clipboard as plain text, so that records move
// between codeplugs of any family opened one after the other.
//
// The texts are UTF-8 (a pasted text that is not valid UTF-8 is read as Windows-1252), lines
// ended by CR LF, and name their kind on the first line:
//
//   DMR-CONTACT            one ContactLine per contact
//   DMR-CHANNEL            channel pairs: the channel's ChannelLine, written with its own codeplug
//                          so that references are names, then the contact it transmits to as
//                          "dmrId","name","call type","alert tone" -- or [NO_CONTACT] when the
//                          channel is analog or has no contact
//   DMR-ZONE               the zone's name, then per bank (two for 0x1002 and 0x1003) the channel
//                          pairs of its members and an empty line that ends the bank
//
// The pasted channel brings its contact along, so that it still transmits to the same DMR ID in a
// codeplug that did not know the contact. A paste reads text from anywhere: every read stays
// within the text, CR, LF and CR LF each end a line, UTF-16 text with a byte-order mark is read as
// such, and a pair that does not read is passed over rather than ending the paste. Every line is
// accounted for: the closing message counts the lines refused, by reason.

#include "operations/list_tab_state.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Clipboard;
class Codeplug;
class Prompts;

inline constexpr const char* ContactClipboardHeader = "DMR-CONTACT";
inline constexpr const char* ChannelClipboardHeader = "DMR-CHANNEL";
inline constexpr const char* ZoneClipboardHeader = "DMR-ZONE";
inline constexpr const char* NoContactLine = "[NO_CONTACT]";

// The longest clipboard text a paste reads, in bytes of UTF-8: the lines past it are refused.
inline constexpr std::size_t PasteTextLimit = 100000;
// A longer line is refused, as by the CSV imports.
inline constexpr std::size_t PasteLineLimit = 4096;

// Reasons of the lines a paste refuses, besides those of the imports (operations/import_shortfall.h).
inline constexpr const char* ChannelWithoutContactLine = "channel line without its contact line";
inline constexpr const char* LineAfterTheEnd = "after the empty line that ends the paste";
inline constexpr const char* MemberPastBankCapacity = "channel past the zone bank's capacity";
inline constexpr const char* MemberOfMissingBank = "channel of a zone bank this codeplug does not have";
// "past the first 100,000 characters"
std::string linePastTextLimit();

// ---- Copy ----

// The clipboard texts. Rows are 0-based table positions, taken in table order whatever the order
// given; rows outside the table are passed over. An empty text when no row names a record.
std::string contactsClipboardText(const Codeplug& codeplug, const std::vector<int>& rows);
std::string channelsClipboardText(const Codeplug& codeplug, const std::vector<int>& rows);
// Members whose channel does not exist are left out. An empty text when there is no such zone.
std::string zoneClipboardText(const Codeplug& codeplug, int zoneIndex);

// "Copy" on the Contacts and Channels tabs with the rows selected, and "Copy Zone" with the zone
// shown on the Zones tab. The text replaces the clipboard's content; true when something was
// copied (nothing is copied when nothing is selected).
bool copyContacts(const Codeplug& codeplug, Clipboard& clipboard, const std::vector<int>& rows);
bool copyChannels(const Codeplug& codeplug, Clipboard& clipboard, const std::vector<int>& rows);
bool copyZone(const Codeplug& codeplug, Clipboard& clipboard, const ListTabState& state);

// ---- Paste ----

// The tab the paste switches to before it reports.
enum class PasteTab { None, Contacts, Channels, Zones };

struct PasteOutcome {
    PasteTab tab = PasteTab::None;
    // The lists to refill, the channel row to select and scroll to, refusal and change flags.
    CommandResult result;
    int contactsAdded = 0;   // contacts pasted, or supporting contacts added for channels
    int channelsAdded = 0;
    int duplicates = 0;      // contacts or channels already present
    int zoneMembers = 0;     // members of the pasted zone
};

// Called with the tab a paste works on once it has passed its checks, before it reports anything.
using ShowPasteTab = std::function<void(PasteTab)>;

// "Paste": reads the clipboard's text and pastes what its first line names, whatever tab is
// current. A zone paste makes the new zone current in `state`. `showTab`, when given, lets a
// window bring that tab to the front before the paste reports.
PasteOutcome pasteFromClipboard(Codeplug& codeplug, Prompts& prompts, Clipboard& clipboard, ListTabState& state,
                                const ShowPasteTab& showTab = {});
// The same on a text at hand.
PasteOutcome pasteText(Codeplug& codeplug, Prompts& prompts, std::string_view text, ListTabState& state,
                       const ShowPasteTab& showTab = {});

} // namespace pw
