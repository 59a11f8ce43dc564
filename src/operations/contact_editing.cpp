// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/contact_editing.h"

#include "codeplug/codeplug.h"
#include "platform/prompts.h"

namespace pw {

bool addEditedContact(Codeplug& codeplug, const Contact& contact, Prompts& prompts)
{
    Codeplug::EditScope edit(codeplug);
    int result = codeplug.addContact(contact);
    if (result == DuplicateRefused &&
        prompts.message(MessageIcon::Warning, MessageButtons::YesNo, DuplicateIdOnAdd) == MessageAnswer::Yes)
        result = codeplug.addContact(contact, true);
    if (result != Added)
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
