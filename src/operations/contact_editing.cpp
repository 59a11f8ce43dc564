// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/contact_editing.h"

#include "codeplug/codeplug.h"
#include "operations/name_check.h"
#include "platform/prompts.h"

namespace pw {
namespace {

// The descriptive texts as the editor labels them, in the order of ContactTexts.
constexpr std::array<const char*, 5> TextLabels = {"Callsign", "City", "State / Province", "Country", "Remarks"};

} // namespace

bool contactAddOffered(const Codeplug& codeplug, Prompts& prompts)
{
    if (!codeplug.loaded()) {
        prompts.error(NoCodeplugForContact);
        return false;
    }
    if (!codeplug.hasContactRoom()) {
        prompts.error(NoRoomForContact);
        return false;
    }
    return true;
}

ContactTextsCheck checkContactTexts(const ContactFormat& format, const ContactTexts& typed)
{
    ContactTextsCheck check;
    check.texts.name = withoutTrailingBlanks(typed.name);
    if (check.texts.name.empty()) {
        check.refusal = EmptyContactName;
        return check;
    }
    if ((check.refusal = nameRefusal(format, check.texts.name)))
        return check;
    for (std::size_t i = 0; i < typed.descriptive.size(); ++i) {
        const TextRoom room = format.textRoom(static_cast<ContactText>(i));
        if (!room.keeps())
            continue;
        auto& text = check.texts.descriptive[i];
        text = withoutTrailingBlanks(typed.descriptive[i]);
        if (!room.fits(text)) {
            check.refusal = tooLongText(TextLabels[i], text, room);
            return check;
        }
    }
    return check;
}

bool addEditedContact(Codeplug& codeplug, const Contact& contact, Prompts& prompts)
{
    Codeplug::EditScope edit(codeplug);
    AddResult result = codeplug.addContact(contact);
    if (result == AddResult::DuplicateRefused &&
        prompts.message(MessageIcon::Warning, MessageButtons::YesNo, DuplicateIdOnAdd) == MessageAnswer::Yes)
        result = codeplug.addContact(contact, true);
    if (result != AddResult::Added)
        return false;
    edit.changed();
    return true;
}

bool replaceEditedContact(Codeplug& codeplug, int row, const Contact& edited, Prompts& prompts)
{
    Contact* stored = codeplug.contactAt(row);
    if (!stored)
        return false;
    if (edited.dmrId() != stored->dmrId() && codeplug.hasContactWithId(edited.dmrId(), row)) {
        prompts.error(DuplicateIdOnEdit);
        return false;
    }
    Codeplug::EditScope edit(codeplug);
    *stored = edited;
    // Channels show the name of their transmit contact, which may just have changed.
    codeplug.refreshContactNames();
    edit.changed();
    return true;
}

} // namespace pw
