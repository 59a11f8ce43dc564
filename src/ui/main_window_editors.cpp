// The contact editor and the channel editor, opened from the lists and the Edit menu.

#include "ui/main_window.h"

#include "codeplug/record_factory.h"
#include "presenter/channel_editor_rules.h"
#include "ui/channel_editor_dialog.h"
#include "ui/contact_editor_dialog.h"

namespace pw::ui {
namespace {

constexpr const char* NoCodeplugForContact = "You must open a valid Codeplug first to add a contact.";
constexpr const char* NoRoomForContact = "Sorry, no room for additional contacts in this Codeplug.";
constexpr const char* DuplicateIdOnAdd =
    "The DMR-MARC ID you specified is already in use. Add this contact anyway?";
constexpr const char* DuplicateIdOnEdit = "Edit discarded. Duplicate DMR-MARC ID numbers are not allowed.";

// Whether a contact other than the one at `row` already has `id`.
bool anotherContactHasId(const Codeplug& codeplug, int row, std::uint32_t id)
{
    const auto& contacts = codeplug.contacts();
    for (int i = 0; i < contacts.count(); ++i)
        if (i != row && contacts.at(i)->dmrId() == id)
            return true;
    return false;
}

// An edit is kept once the codeplug is marked changed and the model is written into its image.
void keepEdit(Codeplug& codeplug)
{
    codeplug.markChanged();
    codeplug.encode();
}

} // namespace

void MainWindow::addContact()
{
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
    if (runDialog(dialog) != QDialog::Accepted)
        return;

    int result = codeplug.addContact(dialog.contact());
    if (result == DuplicateRefused &&
        prompts_->message(MessageIcon::Warning, MessageButtons::YesNo, DuplicateIdOnAdd) == MessageAnswer::Yes)
        result = codeplug.addContact(dialog.contact(), true);
    if (result != Added)
        return;
    keepEdit(codeplug);
    refreshAll();
    selectContactRow(codeplug.contacts().count() - 1);
}

void MainWindow::editContact(int row)
{
    auto& codeplug = document_.codeplug;
    if (row < 0 || row >= codeplug.contacts().count())
        return;
    Contact* stored = codeplug.contactAt(row);
    const std::uint32_t oldId = stored->dmrId();
    ContactEditorDialog dialog(*stored, this);
    if (runDialog(dialog) != QDialog::Accepted)
        return;

    const Contact& edited = dialog.contact();
    if (edited.dmrId() != oldId && anotherContactHasId(codeplug, row, edited.dmrId())) {
        prompts_->error(DuplicateIdOnEdit);
        return;
    }
    *stored = edited;
    // Channels show the name of their transmit contact, which may just have changed.
    codeplug.refreshContactNames();
    keepEdit(codeplug);
    refreshAll();
    selectContactRow(row);
}

void MainWindow::addChannel()
{
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
