// SPDX-License-Identifier: GPL-3.0-or-later
// The contact editor and the channel editor, opened from the lists and the Edit menu.

#include "ui/main_window.h"

#include "codeplug/record_factory.h"
#include "operations/contact_editing.h"
#include "presenter/channel_editor_rules.h"
#include "ui/channel_editor_dialog.h"
#include "ui/contact_editor_dialog.h"

namespace pw::ui {
namespace {

constexpr const char* NoCodeplugForContact = "You must open a valid Codeplug first to add a contact.";
constexpr const char* NoRoomForContact = "Sorry, no room for additional contacts in this Codeplug.";
// A channel edit is kept once the codeplug is marked changed and the model is written into its
// image.
void keepEdit(Codeplug& codeplug)
{
    Codeplug::EditScope edit(codeplug);
    edit.changed();
}

} // namespace

void MainWindow::addContact()
{
    EditStep step(*this, "Add Contact");
    auto& codeplug = document_.codeplug;
    if (!codeplug.loaded()) {
        prompts_->error(NoCodeplugForContact);
        return;
    }
    if (codeplug.contacts().count() >= contactCapacity(codeplug.formatId())) {
        prompts_->error(NoRoomForContact);
        return;
    }

    // The editor works on a contact of the first family, whatever the codeplug's; addContact
    // then makes the codeplug's own contact from its fields.
    Contact fresh = newContact(Md380Format);
    fresh.setCallType(CallType::PrivateCall);
    fresh.setName("");
    fresh.setDmrId(0);
    ContactEditorDialog dialog(fresh, this);
    dialog.checkNamesFor(*codeplug.recordFormats().contact, *prompts_);
    if (runDialog(dialog) != QDialog::Accepted)
        return;

    if (!addEditedContact(codeplug, dialog.contact(), *prompts_))
        return;
    refreshAll();
    selectContactRow(codeplug.contacts().count() - 1);
}

void MainWindow::editContact(int row)
{
    EditStep step(*this, "Edit Contact");
    auto& codeplug = document_.codeplug;
    if (row < 0 || row >= codeplug.contacts().count())
        return;
    ContactEditorDialog dialog(*codeplug.contactAt(row), this);
    dialog.checkNamesFor(*codeplug.recordFormats().contact, *prompts_);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    if (!replaceEditedContact(codeplug, row, dialog.contact(), *prompts_))
        return;
    refreshAll();
    selectContactRow(row);
}

void MainWindow::addChannel()
{
    EditStep step(*this, "Add Channel");
    auto& codeplug = document_.codeplug;
    if (!codeplug.loaded())
        return;
    Channel working = codeplug.newChannel(newChannelFrequencyMhz(codeplug));
    // A refused name sends the user back to the editor with everything entered so far.
    for (;;) {
        ChannelEditorDialog dialog(codeplug, working, *prompts_, this);
        if (runDialog(dialog) != QDialog::Accepted)
            return;
        working = dialog.channel();
        const int result = codeplug.addChannel(working);
        if (result == Added)
            break;
        if (result == DuplicateRefused) {
            prompts_->error(channel_editor_text::DuplicateName);
            continue;
        }
        prompts_->error(channel_editor_text::AddFailed);
        return;
    }
    keepEdit(codeplug);
    refreshAll();
    selectChannelRow(codeplug.channels().count() - 1);
}

void MainWindow::editChannel(int row)
{
    EditStep step(*this, "Edit Channel");
    auto& codeplug = document_.codeplug;
    if (!channelOperationsOffered(document_.codeplug, *prompts_, channel_editor_text::EditingFeature.data()))
        return;
    if (row < 0 || row >= codeplug.channels().count()) {
        prompts_->error(channel_editor_text::InvalidEditIndex);
        return;
    }
    Channel* stored = codeplug.channelAt(row);
    ChannelEditorDialog dialog(codeplug, *stored, *prompts_, this);
    if (runDialog(dialog) != QDialog::Accepted)
        return;

    *stored = dialog.channel();
    keepEdit(codeplug);
    refreshAll();
    selectChannelRow(row);
}

} // namespace pw::ui
