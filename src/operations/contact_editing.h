// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contact editor's rules, apart from any window: when it may open for a new contact, what its
// boxes may hold, the duplicate-ID rule with its question or message, and the one edit that keeps
// the result.

#include "model/contact.h"

#include <array>
#include <optional>
#include <string>

namespace pw {

class Codeplug;
class Prompts;

inline constexpr const char* NoCodeplugForContact = "You must open a valid Codeplug first to add a contact.";
inline constexpr const char* NoRoomForContact = "Sorry, no room for additional contacts in this Codeplug.";
inline constexpr const char* DuplicateIdOnAdd = "The DMR-MARC ID you specified is already in use. Add this contact anyway?";
inline constexpr const char* DuplicateIdOnEdit = "Edit discarded. Duplicate DMR-MARC ID numbers are not allowed.";
inline constexpr const char* EmptyContactName = "A contact needs a name: please enter one.";

// Whether the editor may open for a new contact: a codeplug is loaded and its contact table has
// room. Otherwise the reason is shown.
bool contactAddOffered(const Codeplug& codeplug, Prompts& prompts);

// The texts of the editor's boxes: the name, then callsign, city, state, country and remarks.
struct ContactTexts {
    std::string name;
    std::array<std::string, 5> descriptive;
};

// The texts as the contact will keep them (blanks after each dropped), or why `format` cannot
// store them: an empty name, a name its alphabet cannot hold, a name or text longer than it keeps.
// A text the format does not keep is not looked at.
struct ContactTextsCheck {
    ContactTexts texts;
    std::optional<std::string> refusal;
};
ContactTextsCheck checkContactTexts(const ContactFormat& format, const ContactTexts& typed);

// Adds the contact the editor made: a DMR ID already present asks whether to add it all the same.
// True when it was added.
bool addEditedContact(Codeplug& codeplug, const Contact& contact, Prompts& prompts);

// Puts the edited contact in place of the one at `row`. A changed DMR ID that another contact
// already has is refused with a message. True when the contact was replaced; channels then show
// its new name.
bool replaceEditedContact(Codeplug& codeplug, int row, const Contact& edited, Prompts& prompts);

} // namespace pw
