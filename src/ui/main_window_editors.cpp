// SPDX-License-Identifier: GPL-3.0-or-later
// The contact editor and the channel editor, opened from the lists and the Edit menu.

#include "ui/main_window.h"

#include "operations/contact_editing.h"
#include "presenter/channel_editor_rules.h"
#include "ui/channel_editor_dialog.h"
#include "ui/contact_editor_dialog.h"

namespace pw::ui {
namespace {

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
    if (!contactAddOffered(codeplug, *prompts_))
        return;

    // A contact of the codeplug's own format, so that the editor offers the texts it keeps.
    Contact fresh = codeplug.newContact();
    fresh.setCallType(CallType::PrivateCall);
    fresh.setName("");
    fresh.setDmrId(0);
    ContactEditorDialog dialog(fresh, *prompts_, this);
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
    ContactEditorDialog dialog(*codeplug.contactAt(row), *prompts_, this);
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
        const AddResult result = codeplug.addChannel(working);
        if (result == AddResult::Added)
            break;
        if (result == AddResult::DuplicateRefused) {
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
