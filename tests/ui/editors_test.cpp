// SPDX-License-Identifier: GPL-3.0-or-later
// The contact editor and the channel editor, driven through the real window.

#include "presenter/channel_editor_rules.h"
#include "codeplug/record_factory.h"
#include "operations/contact_editing.h"
#include "operations/document_commands.h"
#include "operations/name_check.h"
#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/channel_editor_dialog.h"
#include "ui/contact_editor_dialog.h"
#include "ui/main_window.h"
#include "ui/ui_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace pw::ui {
namespace {

using test::TempDir;

constexpr int ContactColumn = 10;

// A window with a freshly opened codeplug of `format`, its tables emptied where the format allows,
// so that every test sees only the records it adds.
class EditorsTest : public ::testing::Test {
protected:
    void open(FormatId format = Md380Format)
    {
        // A radio of both bands, so that VHF and UHF channels are equally plain.
        test::FixtureOptions options;
        options.secondBandLimits = {{0x1360, 0x1740}};
        const auto path = test::writeFixture(dir_.file("plug"), format, options);
        const auto outcome = window_.openFile(QString::fromStdString(path.string()));
        ASSERT_TRUE(outcome == OpenOutcome::Opened || outcome == OpenOutcome::OpenedWithErrors);
        prompts_.clearShown();
        contactsBefore_ = codeplug().contacts().count();
        channelsBefore_ = codeplug().channels().count();
    }

    Codeplug& codeplug() { return window_.document().codeplug; }

    // Adds a contact and returns its row.
    int addContact(std::uint32_t id, const std::string& name, CallType type = CallType::GroupCall)
    {
        Contact contact = codeplug().newContact();
        contact.setName(name);
        contact.setCallType(type);
        contact.setDmrId(id);
        EXPECT_EQ(codeplug().addContact(contact, true), AddResult::Added);
        window_.refreshAll();
        return codeplug().contacts().count() - 1;
    }

    // Adds an analog channel and returns its row.
    int addAnalogChannel(const std::string& name, double rx, double tx)
    {
        Channel channel = codeplug().newChannel(rx);
        channel.setName(name);
        channel.setTxFrequency(tx);
        EXPECT_EQ(codeplug().addChannel(channel), AddResult::Added);
        window_.refreshAll();
        return codeplug().channels().count() - 1;
    }

    int addDigitalChannel(const std::string& name, int contactRow)
    {
        Channel channel = codeplug().newChannel(439.0);
        channel.setMode(ChannelMode::Dmr);
        channel.setName(name);
        channel.setTimeSlot(1);
        channel.setColorCode(1);
        channel.setTxContact(contactRow + 1);
        channel.refreshContactName(codeplug().contacts());
        EXPECT_EQ(codeplug().addChannel(channel), AddResult::Added);
        window_.refreshAll();
        return codeplug().channels().count() - 1;
    }

    QString channelCell(int row, int column) const
    {
        const auto* model = window_.channelView()->model();
        return model->index(row, column).data().toString();
    }

    int selectedRow(const QTableView* view) const
    {
        const auto rows = view->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.front().row() : -1;
    }

    // Runs each dialog the window opens through `drive`; it must be an `Editor`.
    template <typename Editor>
    void onEditorDialog(const std::function<void(Editor&)>& drive)
    {
        window_.setDialogDriver([this, drive](QDialog& dialog) {
            ++dialogsShown_;
            auto* editor = qobject_cast<Editor*>(&dialog);
            ASSERT_NE(editor, nullptr);
            drive(*editor);
        });
    }

    void onContactDialog(const std::function<void(ContactEditorDialog&)>& drive) { onEditorDialog(drive); }
    void onChannelDialog(const std::function<void(ChannelEditorDialog&)>& drive) { onEditorDialog(drive); }

    // Saves the codeplug and opens the saved file afresh into `reopened`, as the next session would.
    void saveAndReopen(Codeplug& reopened)
    {
        const auto path = dir_.file("saved.rdt");
        ASSERT_TRUE(codeplug().save(path));
        ASSERT_NE(reopened.open(path), 0u);
        ASSERT_TRUE(reopened.decode());
    }

    // Replaces what a box holds by typing, as a user would.
    static void typeInto(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    // The one message shown so far is an error reading `text`.
    void expectOnlyError(const std::string& text) const
    {
        ASSERT_EQ(prompts_.shown().size(), 1u);
        EXPECT_EQ(prompts_.shown()[0].icon, MessageIcon::Error);
        EXPECT_EQ(prompts_.shown()[0].text, text);
    }

    std::vector<ScriptedPrompts::Shown> shownWith(MessageIcon icon) const
    {
        std::vector<ScriptedPrompts::Shown> found;
        for (const auto& shown : prompts_.shown())
            if (shown.icon == icon)
                found.push_back(shown);
        return found;
    }

    TempDir dir_;
    ScriptedPrompts prompts_;
    MainWindow window_{&prompts_};
    int contactsBefore_ = 0;
    int channelsBefore_ = 0;
    int dialogsShown_ = 0;
};

// ---- Contact editor ----

TEST_F(EditorsTest, ContactEditorShowsTheContact)
{
    open();
    const int row = addContact(3100, "Worldwide", CallType::GroupCall);
    onContactDialog([](ContactEditorDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Add / Edit Contact");
        EXPECT_EQ(dialog.dmrIdBox()->text(), "3100");
        EXPECT_EQ(dialog.nameBox()->text(), "Worldwide");
        const QStringList types{"Private Call", "Group Call", "All Call"};
        ASSERT_EQ(dialog.contactTypeList()->count(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(dialog.contactTypeList()->itemText(i), types[i]);
        EXPECT_EQ(dialog.contactTypeList()->currentText(), "Group Call");
        EXPECT_FALSE(dialog.alertToneBox()->isChecked());
        EXPECT_EQ(dialog.applyButton()->text(), "Apply");
        EXPECT_TRUE(dialog.applyButton()->isDefault());
        dialog.reject();
    });
    window_.editContact(row);
    EXPECT_EQ(dialogsShown_, 1);
    EXPECT_FALSE(codeplug().changed());
}

TEST_F(EditorsTest, RenamingAContactUpdatesTheChannelsContactColumn)
{
    open();
    const int contactRow = addContact(91, "World");
    const int channelRow = addDigitalChannel("DMR 1", contactRow);
    ASSERT_EQ(channelCell(channelRow, ContactColumn), "World");

    onContactDialog([](ContactEditorDialog& dialog) {
        dialog.nameBox()->setText("Worldwide");
        dialog.alertToneBox()->setChecked(true);
        dialog.applyButton()->click();
    });
    window_.editContact(contactRow);

    const Contact& contact = *codeplug().contactAt(contactRow);
    EXPECT_EQ(contact.name(), "Worldwide");
    EXPECT_EQ(contact.dmrId(), 91u);
    EXPECT_TRUE(contact.alertTone());
    EXPECT_EQ(codeplug().channelAt(channelRow)->contactNameCache(), "Worldwide");
    EXPECT_EQ(channelCell(channelRow, ContactColumn), "Worldwide");
    EXPECT_TRUE(codeplug().changed());
    EXPECT_EQ(selectedRow(window_.contactView()), contactRow);
    EXPECT_TRUE(prompts_.shown().empty());
}

TEST_F(EditorsTest, EditedContactReachesTheImage)
{
    open();
    const int row = addContact(91, "World");
    onContactDialog([](ContactEditorDialog& dialog) {
        dialog.nameBox()->setText("Renamed");
        dialog.accept();
    });
    window_.editContact(row);
    Codeplug reopened;
    ASSERT_NO_FATAL_FAILURE(saveAndReopen(reopened));
    EXPECT_EQ(reopened.contactAt(row)->name(), "Renamed");
}

// The window shows and takes names in any script; a format that cannot hold a character even in
// Latin letters has its editors refuse the name.
struct NameEditCase {
    FormatId format;
    const char* typed;
    const char* stored;
    bool refused;
};

class EditorNames : public EditorsTest, public testing::WithParamInterface<NameEditCase> {};

TEST_P(EditorNames, AreShownTakenOrRefusedAsTheFormatHoldsThem)
{
    const auto& c = GetParam();
    open(c.format);
    const int row = addContact(100, "Alpha");
    const int channelRow = addAnalogChannel("Alpha", 146.52, 146.52);
    const QString typed = QString::fromUtf8(c.typed);
    QString shown;
    onContactDialog([&](ContactEditorDialog& dialog) {
        dialog.nameBox()->setText(typed);
        dialog.applyButton()->click();
    });
    window_.editContact(row);
    onChannelDialog([&](ChannelEditorDialog& dialog) {
        dialog.nameBox()->setText(typed);
        dialog.accept();
    });
    window_.editChannel(channelRow);
    onContactDialog([&](ContactEditorDialog& dialog) { shown = dialog.nameBox()->text(); });
    window_.editContact(row);

    EXPECT_EQ(codeplug().contactAt(row)->name(), c.stored);
    EXPECT_EQ(codeplug().channelAt(channelRow)->name(), c.stored);
    EXPECT_EQ(shown, QString::fromUtf8(c.stored));
    const auto errors = shownWith(MessageIcon::Error);
    ASSERT_EQ(errors.size(), c.refused ? 2u : 0u);
    if (c.refused) {
        EXPECT_EQ(errors[0].text, UnstorableNameMessage);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, EditorNames,
    testing::Values(NameEditCase{Md9600Format, "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0",
                                 "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", false},
                    NameEditCase{Md9600Format, "Club \xE2\x9C\x93", "Club \xE2\x9C\x93", false},
                    NameEditCase{RdbV2Format, "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", "Moskva", false},
                    NameEditCase{RdbV2Format, "Club \xE2\x9C\x93", "Alpha", true}),
    [](const testing::TestParamInfo<NameEditCase>& test) {
        return std::string(test.param.format == RdbV2Format ? "Rdb" : "Tyt") + std::to_string(test.index);
    });

TEST_F(EditorsTest, DuplicateIdDiscardsTheWholeEdit)
{
    open();
    const int first = addContact(100, "Alpha");
    addContact(200, "Bravo");
    onContactDialog([](ContactEditorDialog& dialog) {
        dialog.nameBox()->setText("Changed");
        dialog.dmrIdBox()->setText("200");
        dialog.accept();
    });
    window_.editContact(first);

    ASSERT_NO_FATAL_FAILURE(expectOnlyError("Edit discarded. Duplicate DMR-MARC ID numbers are not allowed."));
    EXPECT_EQ(codeplug().contactAt(first)->name(), "Alpha");
    EXPECT_EQ(codeplug().contactAt(first)->dmrId(), 100u);
    EXPECT_FALSE(codeplug().changed());
}

TEST_F(EditorsTest, KeepingTheIdNeverTriggersTheDuplicateMessage)
{
    open();
    const int first = addContact(100, "Alpha");
    addContact(100, "Alpha Too");
    onContactDialog([](ContactEditorDialog& dialog) {
        dialog.nameBox()->setText("Still Alpha");
        dialog.accept();
    });
    window_.editContact(first);
    EXPECT_TRUE(prompts_.shown().empty());
    EXPECT_EQ(codeplug().contactAt(first)->name(), "Still Alpha");
}

TEST_F(EditorsTest, EditOutsideTheTableDoesNothing)
{
    open();
    onContactDialog([](ContactEditorDialog& dialog) { dialog.accept(); });
    window_.editContact(codeplug().contacts().count());
    window_.editContact(-1);
    EXPECT_EQ(dialogsShown_, 0);
    EXPECT_TRUE(prompts_.shown().empty());
}

TEST_F(EditorsTest, ChoosingAllCallGivesTheAllCallId)
{
    open();
    const int row = addContact(100, "Alpha");
    onContactDialog([](ContactEditorDialog& dialog) {
        dialog.contactTypeList()->setCurrentIndex(2);
        dialog.accept();
    });
    window_.editContact(row);
    EXPECT_EQ(codeplug().contactAt(row)->callType(), CallType::AllCall);
    EXPECT_EQ(codeplug().contactAt(row)->dmrId(), AllCallId);
}

TEST_F(EditorsTest, NewContactStartsAsAnEmptyPrivateCall)
{
    open();
    onContactDialog([](ContactEditorDialog& dialog) {
        EXPECT_EQ(dialog.dmrIdBox()->text(), "0");
        EXPECT_EQ(dialog.nameBox()->text(), "");
        EXPECT_EQ(dialog.contactTypeList()->currentText(), "Private Call");
        EXPECT_FALSE(dialog.alertToneBox()->isChecked());
        dialog.dmrIdBox()->setText("2041234");
        dialog.nameBox()->setText("PA3XYZ");
        dialog.contactTypeList()->setCurrentIndex(1);
        dialog.alertToneBox()->setChecked(true);
        dialog.accept();
    });
    window_.addContact();
    ASSERT_EQ(codeplug().contacts().count(), contactsBefore_ + 1);
    const Contact& added = *codeplug().contactAt(contactsBefore_);
    EXPECT_EQ(&added.format(), recordFormatsOf(Md380Format).contact);
    EXPECT_EQ(added.dmrId(), 2041234u);
    EXPECT_EQ(added.name(), "PA3XYZ");
    EXPECT_EQ(added.callType(), CallType::GroupCall);
    EXPECT_TRUE(added.alertTone());
    EXPECT_TRUE(codeplug().changed());
    EXPECT_EQ(window_.statusLine(), QString::fromStdString(statusText(codeplug())));
}

TEST_F(EditorsTest, NewContactWithAnExistingIdAnsweredNoAddsNothing)
{
    open();
    addContact(100, "Alpha");
    const int before = codeplug().contacts().count();
    onContactDialog([](ContactEditorDialog& dialog) {
        dialog.dmrIdBox()->setText("100");
        dialog.nameBox()->setText("Other");
        dialog.accept();
    });
    prompts_.answer(MessageAnswer::No);
    window_.addContact();

    ASSERT_EQ(prompts_.shown().size(), 1u);
    EXPECT_EQ(prompts_.shown()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(prompts_.shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(prompts_.shown()[0].text, "The DMR-MARC ID you specified is already in use. Add this contact anyway?");
    EXPECT_EQ(codeplug().contacts().count(), before);
}

TEST_F(EditorsTest, NewContactWithAnExistingIdAnsweredYesIsAdded)
{
    open();
    addContact(100, "Alpha");
    const int before = codeplug().contacts().count();
    onContactDialog([](ContactEditorDialog& dialog) {
        dialog.dmrIdBox()->setText("100");
        dialog.nameBox()->setText("Other");
        dialog.accept();
    });
    prompts_.answer(MessageAnswer::Yes);
    window_.addContact();
    ASSERT_EQ(codeplug().contacts().count(), before + 1);
    EXPECT_EQ(codeplug().contactAt(before)->name(), "Other");
    EXPECT_EQ(codeplug().contactAt(before)->dmrId(), 100u);
}

TEST_F(EditorsTest, EmptyIdBoxGivesIdZero)
{
    open();
    onContactDialog([](ContactEditorDialog& dialog) {
        dialog.dmrIdBox()->clear();
        dialog.nameBox()->setText("No ID");
        dialog.accept();
    });
    window_.addContact();
    ASSERT_EQ(codeplug().contacts().count(), contactsBefore_ + 1);
    EXPECT_EQ(codeplug().contactAt(contactsBefore_)->dmrId(), 0u);
}

TEST_F(EditorsTest, CancelledNewContactAddsNothing)
{
    open();
    onContactDialog([](ContactEditorDialog& dialog) {
        dialog.nameBox()->setText("Never");
        dialog.reject();
    });
    window_.addContact();
    EXPECT_EQ(codeplug().contacts().count(), contactsBefore_);
    EXPECT_FALSE(codeplug().changed());
}

TEST_F(EditorsTest, NewContactKeepsTheTextsItsFormatStores)
{
    open(D868Format);
    onContactDialog([](ContactEditorDialog& dialog) {
        dialog.dmrIdBox()->setText("5");
        dialog.nameBox()->setText("Five ");
        dialog.textBox(ContactText::City)->setText("Utrecht");
        dialog.accept();
    });
    window_.addContact();
    ASSERT_EQ(codeplug().contacts().count(), contactsBefore_ + 1);
    EXPECT_EQ(codeplug().contactAt(contactsBefore_)->name(), "Five");
    EXPECT_EQ(codeplug().contactAt(contactsBefore_)->city(), "Utrecht");
}

// The editor offers what the contact's format keeps: TYT contacts keep no descriptive text.
TEST_F(EditorsTest, TheEditorShowsTheTextBoxesOnlyWhereTheFormatKeepsThem)
{
    for (const FormatId format : {Md380Format, D868Format}) {
        SCOPED_TRACE(format);
        open(format);
        const int row = addContact(5, "Five");
        const bool keeps = format == D868Format;
        onContactDialog([keeps](ContactEditorDialog& dialog) {
            for (const auto which : {ContactText::Callsign, ContactText::City, ContactText::State, ContactText::Country,
                                     ContactText::Remarks}) {
                const QLineEdit* box = dialog.textBox(which);
                EXPECT_EQ(box->isVisible(), keeps) << box->objectName().toStdString();
            }
            EXPECT_EQ(dialog.textsNote()->isVisible(), !keeps);
            dialog.reject();
        });
        window_.editContact(row);
    }
}

TEST_F(EditorsTest, ATooLongOrEmptyNameIsRefusedAndTheEditorStaysOpen)
{
    open(D868Format);
    const int row = addContact(5, "Five");
    for (const char* typed : {"Seventeen letters", "  "}) {
        prompts_.clearShown();
        int result = -1;
        onContactDialog([&](ContactEditorDialog& dialog) {
            dialog.nameBox()->setText(QString::fromLatin1(typed));
            dialog.applyButton()->click();
            result = dialog.result();
            dialog.reject();
        });
        window_.editContact(row);
        EXPECT_EQ(result, QDialog::Rejected) << typed;
        ASSERT_EQ(shownWith(MessageIcon::Error).size(), 1u) << typed;
    }
    EXPECT_EQ(prompts_.lastText(), EmptyContactName);
    EXPECT_EQ(codeplug().contactAt(row)->name(), "Five");
}

TEST_F(EditorsTest, EditedD868ContactKeepsItsTexts)
{
    open(D868Format);
    const int row = addContact(5, "Five");
    onContactDialog([](ContactEditorDialog& dialog) {
        dialog.textBox(ContactText::Callsign)->setText("PA3XYZ");
        dialog.textBox(ContactText::City)->setText("Utrecht");
        dialog.textBox(ContactText::State)->setText("UT");
        dialog.textBox(ContactText::Country)->setText("Netherlands");
        dialog.textBox(ContactText::Remarks)->setText("club");
        dialog.accept();
    });
    window_.editContact(row);
    const Contact& contact = *codeplug().contactAt(row);
    EXPECT_EQ(contact.callsign(), "PA3XYZ");
    EXPECT_EQ(contact.city(), "Utrecht");
    EXPECT_EQ(contact.state(), "UT");
    EXPECT_EQ(contact.country(), "Netherlands");
    EXPECT_EQ(contact.remarks(), "club");
}

// ---- Channel editor: opening ----

TEST_F(EditorsTest, TransmitOffsetIsChosenFromTheFrequencies)
{
    open();
    const struct {
        double rx;
        double tx;
        const char* offset;
        bool txBoxEnabled;
    } cases[] = {{146.940, 146.340, "( -- )", false},
                 {442.000, 447.000, "( + )", false},
                 {442.000, 442.600, "Custom", true},
                 {146.520, 146.520, "Simplex", false}};
    int n = 0;
    for (const auto& c : cases) {
        const int row = addAnalogChannel("Offset " + std::to_string(n++), c.rx, c.tx);
        onChannelDialog([&](ChannelEditorDialog& dialog) {
            EXPECT_EQ(dialog.transmitOffsetList()->currentText(), c.offset) << c.rx << " " << c.tx;
            EXPECT_EQ(dialog.rxFrequencyBox()->text(), QString::fromStdString(Channel::frequencyText(c.rx)));
            EXPECT_EQ(dialog.txFrequencyBox()->text(), QString::fromStdString(Channel::frequencyText(c.tx)));
            EXPECT_EQ(dialog.txFrequencyBox()->isEnabled(), c.txBoxEnabled);
            dialog.reject();
        });
        window_.editChannel(row);
    }
    EXPECT_EQ(dialogsShown_, 4);
}

TEST_F(EditorsTest, ChannelEditorListsHoldTheirEntries)
{
    open();
    addContact(91, "World");
    addContact(3100, "USA");
    const int row = addAnalogChannel("Lists", 146.52, 146.52);
    onChannelDialog([this](ChannelEditorDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Channel Editor");
        ASSERT_EQ(dialog.modeTabs()->count(), 2);
        EXPECT_EQ(dialog.modeTabs()->tabText(0), "DMR Channel");
        EXPECT_EQ(dialog.modeTabs()->tabText(1), "FM Channel");
        EXPECT_EQ(dialog.modeTabs()->currentIndex(), 1);
        EXPECT_EQ(dialog.saveButton()->text(), "Save Changes");

        const auto entries = [&](const char* label) {
            QStringList texts;
            const QComboBox* list = dialog.listLabelled(QString::fromLatin1(label));
            EXPECT_NE(list, nullptr) << label;
            if (list)
                for (int i = 0; i < list->count(); ++i)
                    texts << list->itemText(i);
            return texts;
        };
        EXPECT_EQ(entries("Transmitter Time-Out").size(), 38);
        EXPECT_EQ(entries("Transmitter Time-Out").front(), "Infinite");
        EXPECT_EQ(entries("Transmitter Time-Out").back(), "555");
        EXPECT_EQ(entries("CTCSS / DCS Decode").size(), 259);
        EXPECT_EQ(entries("CTCSS / DCS Encode").size(), 254);
        EXPECT_EQ(entries("TOT Rekey Delay").size(), 256);
        EXPECT_EQ(entries("TOT Rekey Delay").back(), "255");
        EXPECT_EQ(entries("Color Code").size(), 16);
        EXPECT_EQ(entries("Encryption Code").size(), 16);
        EXPECT_EQ(entries("Encryption Code").front(), "1");
        EXPECT_EQ(entries("Transmit Offset"), (QStringList{"Simplex", "( + )", "( -- )", "Custom"}));
        EXPECT_EQ(entries("Bandwidth (kHz)"), (QStringList{"12.5", "25"}));
        EXPECT_EQ(entries("Squelch"), (QStringList{"TIGHT", "NORMAL"}));
        EXPECT_EQ(entries("Power"), (QStringList{"LOW", "MID", "HIGH"}));
        EXPECT_EQ(entries("RX Ref Freq"), (QStringList{"LOW", "MED", "HIGH"}));
        EXPECT_EQ(entries("Encryption (Privacy)"), (QStringList{"None", "Basic"}));
        EXPECT_EQ(entries("TDMA Time Slot"), (QStringList{"1", "2"}));
        EXPECT_EQ(entries("QT Reverse"), (QStringList{"120", "180"}));
        EXPECT_EQ(entries("Tx Signaling System"), (QStringList{"Off", "DTMF-1", "DTMF-2", "DTMF-3", "DTMF-4"}));
        EXPECT_EQ(entries("Rx Signaling System"), (QStringList{"Off", "DTMF-1", "DTMF-2", "DTMF-3", "DTMF-4"}));
        EXPECT_EQ(entries("Admit Criterion"),
                  (QStringList{"Always", "Channel Free", "Correct PL", "Color Code Free"}));
        const QStringList contacts = entries("Contact Name (TX)");
        ASSERT_EQ(contacts.size(), codeplug().contacts().count() + 1);
        EXPECT_EQ(contacts.front(), "None");
        EXPECT_EQ(contacts.back(), "USA");
        EXPECT_EQ(entries("Scan List").front(), "None");
        EXPECT_EQ(entries("Group List").front(), "None");
        EXPECT_EQ(entries("Emergency System").front(), "None");
        dialog.reject();
    });
    window_.editChannel(row);
    EXPECT_EQ(dialogsShown_, 1);
}

TEST_F(EditorsTest, NewChannelDefaultsAreShown)
{
    open();
    addAnalogChannel("First", 439.0, 439.0);
    onChannelDialog([](ChannelEditorDialog& dialog) {
        EXPECT_EQ(dialog.nameBox()->text(), "Untitled");
        EXPECT_EQ(dialog.rxFrequencyBox()->text(), "446.00000");
        EXPECT_EQ(dialog.transmitOffsetList()->currentText(), "Simplex");
        EXPECT_EQ(dialog.bandwidthList()->currentText(), "25");
        EXPECT_TRUE(dialog.bandwidthList()->isEnabled());
        EXPECT_EQ(dialog.listLabelled("Transmitter Time-Out")->currentText(), "120");
        EXPECT_EQ(dialog.listLabelled("Power")->currentText(), "HIGH");
        EXPECT_EQ(dialog.listLabelled("Squelch")->currentText(), "NORMAL");
        EXPECT_EQ(dialog.listLabelled("QT Reverse")->currentText(), "180");
        EXPECT_EQ(dialog.listLabelled("CTCSS / DCS Decode")->currentText(), "None");
        EXPECT_EQ(dialog.listLabelled("Admit Criterion")->currentText(), "Always");
        EXPECT_TRUE(dialog.findChild<QCheckBox*>("Allow Talkaround")->isChecked());
        dialog.reject();
    });
    window_.addChannel();
    EXPECT_EQ(dialogsShown_, 1);
    EXPECT_EQ(codeplug().channels().count(), channelsBefore_ + 1);
}

// ---- Channel editor: editing ----

TEST_F(EditorsTest, TypingAReceiveFrequencyMovesTheTransmitFrequencyWithPlus)
{
    open();
    const int row = addAnalogChannel("Repeater", 442.0, 447.0);
    onChannelDialog([](ChannelEditorDialog& dialog) {
        ASSERT_EQ(dialog.transmitOffsetList()->currentText(), "( + )");
        typeInto(dialog.rxFrequencyBox(), "443.5");
        EXPECT_EQ(dialog.txFrequencyBox()->text(), "448.50000");
        dialog.accept();
    });
    window_.editChannel(row);
    const Channel& channel = *codeplug().channelAt(row);
    EXPECT_EQ(Channel::frequencyText(channel.rxFrequency()), "443.50000");
    EXPECT_EQ(Channel::frequencyText(channel.txFrequency()), "448.50000");
    EXPECT_TRUE(codeplug().changed());
    EXPECT_EQ(channelCell(row, 2), "443.50000");
    EXPECT_EQ(channelCell(row, 5), "448.50000");
    EXPECT_EQ(selectedRow(window_.channelView()), row);
}

// Text that is no number or more than a codeplug holds is refused with the range, the editor
// staying open; a frequency outside the usual bands is kept only when the user says so.
TEST_F(EditorsTest, ImpossibleFrequenciesAreRefusedAndUnusualOnesQuestioned)
{
    const struct {
        const char* typed;
        MessageIcon shown;
        MessageAnswer answer;
        const char* stored;  // after the first Save Changes; nullptr when the editor stays open
    } cases[] = {
        {"abc", MessageIcon::Error, MessageAnswer::Ok, nullptr},
        {"9999", MessageIcon::Error, MessageAnswer::Ok, nullptr},
        {"0", MessageIcon::Error, MessageAnswer::Ok, nullptr},
        {"300", MessageIcon::Warning, MessageAnswer::No, nullptr},
        {"300", MessageIcon::Warning, MessageAnswer::Yes, "300.00000"},
        {"146.52", MessageIcon::Information, MessageAnswer::Ok, "146.52000"},
    };
    open();
    const int row = addAnalogChannel("Simplex", 145.5, 145.5);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        prompts_.clearShown();
        if (c.shown == MessageIcon::Warning)
            prompts_.answer(c.answer);
        bool stayedOpen = false;
        onChannelDialog([&](ChannelEditorDialog& dialog) {
            typeInto(dialog.rxFrequencyBox(), c.typed);
            control<QPushButton>(dialog, "saveChanges")->click();
            stayedOpen = dialog.result() != QDialog::Accepted;
            if (stayedOpen)
                dialog.reject();
        });
        window_.editChannel(row);
        EXPECT_EQ(stayedOpen, c.stored == nullptr);
        if (c.shown == MessageIcon::Information) {
            EXPECT_TRUE(prompts_.shown().empty());
        } else {
            ASSERT_EQ(prompts_.shown().size(), 1u);
            EXPECT_EQ(prompts_.shown()[0].icon, c.shown);
        }
        if (c.shown == MessageIcon::Error) {
            EXPECT_NE(prompts_.shown()[0].text.find("from 0.00001 to 999.99999"), std::string::npos);
        }
        if (c.stored) {
            EXPECT_EQ(Channel::frequencyText(codeplug().channelAt(row)->rxFrequency()), c.stored);
        } else {
            EXPECT_NE(Channel::frequencyText(codeplug().channelAt(row)->rxFrequency()), "999.99999");
        }
    }
}

TEST_F(EditorsTest, FilledReceiveFrequencyIsNoEdit)
{
    open();
    const int row = addAnalogChannel("Repeater", 442.0, 447.0);
    onChannelDialog([](ChannelEditorDialog& dialog) {
        // Only typing counts; a text put into the box by code does not move anything.
        dialog.rxFrequencyBox()->setText("430.0");
        EXPECT_EQ(dialog.txFrequencyBox()->text(), "447.00000");
        dialog.accept();
    });
    window_.editChannel(row);
    EXPECT_EQ(Channel::frequencyText(codeplug().channelAt(row)->rxFrequency()), "442.00000");
}

TEST_F(EditorsTest, ChangingTheOffsetMovesTheTransmitFrequency)
{
    open();
    const int row = addAnalogChannel("Repeater", 146.94, 146.94);
    onChannelDialog([](ChannelEditorDialog& dialog) {
        dialog.transmitOffsetList()->setCurrentIndex(2);  // ( -- )
        EXPECT_EQ(dialog.txFrequencyBox()->text(), "146.34000");
        EXPECT_FALSE(dialog.txFrequencyBox()->isEnabled());
        dialog.transmitOffsetList()->setCurrentIndex(3);  // Custom
        EXPECT_TRUE(dialog.txFrequencyBox()->isEnabled());
        typeInto(dialog.txFrequencyBox(), "147.5");
        dialog.accept();
    });
    window_.editChannel(row);
    EXPECT_EQ(Channel::frequencyText(codeplug().channelAt(row)->txFrequency()), "147.50000");
}

TEST_F(EditorsTest, WideFmChannelSwitchedToDmrStoresNarrowBandwidth)
{
    open();
    const int row = addAnalogChannel("Wide", 146.52, 146.52);
    ASSERT_EQ(codeplug().channelAt(row)->bandwidth(), Bandwidth::Wide25k);
    onChannelDialog([](ChannelEditorDialog& dialog) {
        EXPECT_EQ(dialog.bandwidthList()->currentText(), "25");
        dialog.modeTabs()->setCurrentIndex(0);
        EXPECT_EQ(dialog.channel().mode(), ChannelMode::Dmr);
        EXPECT_EQ(dialog.channel().bandwidth(), Bandwidth::Narrow12k5);
        EXPECT_EQ(dialog.bandwidthList()->currentText(), "12.5");
        EXPECT_FALSE(dialog.bandwidthList()->isEnabled());
        dialog.modeTabs()->setCurrentIndex(1);
        EXPECT_EQ(dialog.channel().mode(), ChannelMode::Fm);
        EXPECT_EQ(dialog.bandwidthList()->currentText(), "12.5");
        EXPECT_TRUE(dialog.bandwidthList()->isEnabled());
        dialog.modeTabs()->setCurrentIndex(0);
        dialog.accept();
    });
    window_.editChannel(row);
    const Channel& channel = *codeplug().channelAt(row);
    EXPECT_EQ(channel.mode(), ChannelMode::Dmr);
    EXPECT_EQ(channel.bandwidth(), Bandwidth::Narrow12k5);
    EXPECT_EQ(channelCell(row, 3), "DMR");
    EXPECT_EQ(channelCell(row, 4), "12.5");
}

TEST_F(EditorsTest, TabSwitchKeepsTheTypedName)
{
    open();
    const int row = addAnalogChannel("Before", 146.52, 146.52);
    onChannelDialog([](ChannelEditorDialog& dialog) {
        dialog.nameBox()->setText("After");
        dialog.modeTabs()->setCurrentIndex(0);
        EXPECT_EQ(dialog.nameBox()->text(), "After");
        dialog.accept();
    });
    window_.editChannel(row);
    EXPECT_EQ(codeplug().channelAt(row)->name(), "After");
}

TEST_F(EditorsTest, BasicPrivacyWarnsEveryTimeItIsChosen)
{
    open();
    const int contactRow = addContact(91, "World");
    const int row = addDigitalChannel("Digital", contactRow);
    const std::string warning =
        "WARNING: It is a violation of FCC Rules (CFR47 Part 97)\r\nto engage this function for Amateur Radio\r\n"
        "applications.";
    onChannelDialog([&](ChannelEditorDialog& dialog) {
        EXPECT_EQ(dialog.privacyList()->currentText(), "None");
        EXPECT_FALSE(dialog.encryptionCodeList()->isEnabled());
        dialog.privacyList()->setCurrentIndex(1);
        EXPECT_EQ(prompts_.shown().size(), 1u);
        EXPECT_TRUE(dialog.encryptionCodeList()->isEnabled());
        dialog.privacyList()->setCurrentIndex(0);
        EXPECT_EQ(prompts_.shown().size(), 1u);
        EXPECT_FALSE(dialog.encryptionCodeList()->isEnabled());
        dialog.privacyList()->setCurrentIndex(1);
        dialog.encryptionCodeList()->setCurrentIndex(4);
        dialog.accept();
    });
    window_.editChannel(row);
    ASSERT_EQ(prompts_.shown().size(), 2u);
    for (const auto& shown : prompts_.shown()) {
        EXPECT_EQ(shown.icon, MessageIcon::Warning);
        EXPECT_EQ(shown.text, warning);
    }
    const Channel& channel = *codeplug().channelAt(row);
    EXPECT_TRUE(channel.privacy());
    EXPECT_EQ(channel.privacyType(), PrivacyType::Basic);
    EXPECT_EQ(channel.privacyCode(), 5);
}

TEST_F(EditorsTest, DigitalSettingsAreWrittenIntoTheChannel)
{
    open();
    addContact(91, "World");
    const int usa = addContact(3100, "USA");
    const int row = addDigitalChannel("Digital", 0);
    onChannelDialog([&](ChannelEditorDialog& dialog) {
        EXPECT_EQ(dialog.listLabelled("Contact Name (TX)")->currentText(), "World");
        dialog.listLabelled("Contact Name (TX)")->setCurrentIndex(usa + 1);
        dialog.listLabelled("Color Code")->setCurrentIndex(7);
        dialog.listLabelled("TDMA Time Slot")->setCurrentIndex(1);
        dialog.findChild<QCheckBox*>("Private Call Confirmed")->setChecked(true);
        dialog.findChild<QCheckBox*>("Lone Worker")->setChecked(true);
        dialog.accept();
    });
    window_.editChannel(row);
    const Channel& channel = *codeplug().channelAt(row);
    EXPECT_EQ(channel.txContact(), usa + 1);
    EXPECT_EQ(channel.contactNameCache(), "USA");
    EXPECT_EQ(channel.colorCode(), 7);
    EXPECT_EQ(channel.timeSlot(), 2);
    EXPECT_TRUE(channel.privateCallConfirmed());
    EXPECT_TRUE(channel.loneWorker());
    EXPECT_EQ(channelCell(row, ContactColumn), "USA");
    EXPECT_EQ(channelCell(row, 8), "2");
    EXPECT_EQ(channelCell(row, 9), "7");
}

TEST_F(EditorsTest, ListsShowWhatTheChannelTookNotARefusedChoice)
{
    // An MD-380 channel has no middle power, and a digital D868 channel always has a contact.
    open();
    const int row = addDigitalChannel("Digital", addContact(91, "World"));
    onChannelDialog([&](ChannelEditorDialog& dialog) {
        QComboBox* power = dialog.listLabelled("Power");
        power->setCurrentIndex(power->findText("MID"));
        EXPECT_EQ(power->currentText(), QString::fromStdString(dialog.channel().powerText("")));
        EXPECT_NE(power->currentText(), "MID");
        dialog.reject();
    });
    window_.editChannel(row);

    open(D868Format);
    const int d868Row = addDigitalChannel("Digital", addContact(91, "World"));
    onChannelDialog([&](ChannelEditorDialog& dialog) {
        QComboBox* contact = dialog.listLabelled("Contact Name (TX)");
        contact->setCurrentIndex(0);  // "None"
        EXPECT_EQ(contact->currentIndex(), dialog.channel().txContact());
        dialog.reject();
    });
    window_.editChannel(d868Row);
    EXPECT_EQ(dialogsShown_, 2);
}

TEST_F(EditorsTest, DmrIdBoxRefusesKeystrokesPastTwentyFourBits)
{
    open();
    onContactDialog([](ContactEditorDialog& dialog) {
        typeInto(dialog.dmrIdBox(), "16777217");
        EXPECT_EQ(dialog.dmrIdBox()->text(), "1677721");
        typeInto(dialog.dmrIdBox(), "16777215");
        EXPECT_EQ(dialog.dmrIdBox()->text(), "16777215");
        typeInto(dialog.dmrIdBox(), "31a2");
        EXPECT_EQ(dialog.dmrIdBox()->text(), "312");
        dialog.nameBox()->setText("Typed");
        dialog.accept();
    });
    window_.addContact();
    ASSERT_EQ(codeplug().contacts().count(), contactsBefore_ + 1);
    EXPECT_EQ(codeplug().contactAt(contactsBefore_)->dmrId(), 312u);
}

TEST_F(EditorsTest, AnalogSettingsAreWrittenIntoTheChannel)
{
    open();
    const int row = addAnalogChannel("Analog", 146.52, 146.52);
    onChannelDialog([](ChannelEditorDialog& dialog) {
        auto* decode = dialog.listLabelled("CTCSS / DCS Decode");
        decode->setCurrentIndex(decode->findText("088.5"));
        auto* encode = dialog.listLabelled("CTCSS / DCS Encode");
        encode->setCurrentIndex(encode->findText("D754I"));
        dialog.listLabelled("QT Reverse")->setCurrentIndex(0);
        dialog.listLabelled("Tx Signaling System")->setCurrentIndex(2);
        dialog.listLabelled("Squelch")->setCurrentIndex(0);
        dialog.listLabelled("Power")->setCurrentIndex(0);
        dialog.listLabelled("Transmitter Time-Out")->setCurrentIndex(0);
        dialog.listLabelled("TOT Rekey Delay")->setCurrentIndex(30);
        dialog.listLabelled("Admit Criterion")->setCurrentIndex(2);
        dialog.listLabelled("Bandwidth (kHz)")->setCurrentIndex(0);
        dialog.findChild<QCheckBox*>("Receive Only (No Transmit)")->setChecked(true);
        dialog.accept();
    });
    window_.editChannel(row);
    const Channel& channel = *codeplug().channelAt(row);
    EXPECT_EQ(channel.ctcssDecodeText(), "088.5");
    EXPECT_EQ(channel.ctcssEncodeText(), "D754I");
    EXPECT_EQ(channel.qtReverse(), 120);
    EXPECT_EQ(channel.txSignalingText(), "DTMF-2");
    EXPECT_EQ(channel.squelch(), Squelch::Tight);
    EXPECT_EQ(channel.powerText(), "LOW");
    EXPECT_EQ(channel.tot(), 0);
    EXPECT_EQ(channel.totRekeyDelay(), 30);
    EXPECT_EQ(channel.admitText(), "Correct PL");
    EXPECT_EQ(channel.bandwidth(), Bandwidth::Narrow12k5);
    EXPECT_TRUE(channel.rxOnly());
    EXPECT_EQ(channelCell(row, ContactColumn), "D754I");
    EXPECT_EQ(channelCell(row, 11), "088.5");
}

TEST_F(EditorsTest, ClearingTheNameKeepsTheOldName)
{
    open();
    const int row = addAnalogChannel("Keep Me", 146.52, 146.52);
    onChannelDialog([](ChannelEditorDialog& dialog) {
        dialog.nameBox()->clear();
        dialog.saveButton()->click();
    });
    window_.editChannel(row);
    EXPECT_EQ(codeplug().channelAt(row)->name(), "Keep Me");
    EXPECT_TRUE(codeplug().changed());
}

TEST_F(EditorsTest, CancelledChannelEditChangesNothing)
{
    open();
    const int row = addAnalogChannel("Keep Me", 146.52, 146.52);
    onChannelDialog([](ChannelEditorDialog& dialog) {
        dialog.nameBox()->setText("Gone");
        dialog.modeTabs()->setCurrentIndex(0);
        dialog.reject();
    });
    window_.editChannel(row);
    EXPECT_EQ(codeplug().channelAt(row)->name(), "Keep Me");
    EXPECT_EQ(codeplug().channelAt(row)->mode(), ChannelMode::Fm);
}

TEST_F(EditorsTest, EditedChannelReachesTheImage)
{
    open();
    const int row = addAnalogChannel("Old", 146.52, 146.52);
    onChannelDialog([](ChannelEditorDialog& dialog) {
        dialog.nameBox()->setText("New");
        dialog.accept();
    });
    window_.editChannel(row);
    Codeplug reopened;
    ASSERT_NO_FATAL_FAILURE(saveAndReopen(reopened));
    EXPECT_EQ(reopened.channelAt(row)->name(), "New");
}

TEST_F(EditorsTest, ChannelIndexOutsideTheTableIsAnInternalError)
{
    open();
    onChannelDialog([](ChannelEditorDialog& dialog) { dialog.accept(); });
    window_.editChannel(codeplug().channels().count());
    EXPECT_EQ(dialogsShown_, 0);
    ASSERT_NO_FATAL_FAILURE(
        expectOnlyError("An internal error has occured. The specified edit channel index is invalid."));
}

TEST_F(EditorsTest, ChannelEditingNeedsTheChannelFeature)
{
    // Without a codeplug no format offers the channel operations.
    onChannelDialog([](ChannelEditorDialog& dialog) { dialog.accept(); });
    window_.editChannel(0);
    EXPECT_EQ(dialogsShown_, 0);
    ASSERT_NO_FATAL_FAILURE(
        expectOnlyError("Sorry, the feature you tried to\r\naccess, channel editing, is not\r\nyet supported for this "
                        "codeplug type."));
}

// ---- Channel editor: adding ----

TEST_F(EditorsTest, AddedChannelIsAppendedAndSelected)
{
    open();
    onChannelDialog([](ChannelEditorDialog& dialog) {
        dialog.nameBox()->setText("Simplex 1");
        typeInto(dialog.rxFrequencyBox(), "145.5");
        dialog.accept();
    });
    window_.addChannel();
    ASSERT_EQ(codeplug().channels().count(), channelsBefore_ + 1);
    const Channel& added = *codeplug().channelAt(channelsBefore_);
    EXPECT_EQ(added.name(), "Simplex 1");
    EXPECT_EQ(Channel::frequencyText(added.rxFrequency()), "145.50000");
    EXPECT_EQ(Channel::frequencyText(added.txFrequency()), "145.50000");
    EXPECT_TRUE(codeplug().changed());
    EXPECT_EQ(channelCell(channelsBefore_, 1), "Simplex 1");
    EXPECT_EQ(selectedRow(window_.channelView()), channelsBefore_);
}

TEST_F(EditorsTest, DuplicateNameReopensTheEditorWithTheEnteredValues)
{
    open();
    addAnalogChannel("Taken", 146.52, 146.52);
    const int before = codeplug().channels().count();
    onChannelDialog([this](ChannelEditorDialog& dialog) {
        if (dialogsShown_ == 1) {
            dialog.nameBox()->setText("TAKEN");
            typeInto(dialog.rxFrequencyBox(), "147.25");
            dialog.listLabelled("Squelch")->setCurrentIndex(0);
            dialog.accept();
            return;
        }
        EXPECT_EQ(prompts_.shown().size(), 1u);
        EXPECT_EQ(dialog.nameBox()->text(), "TAKEN");
        EXPECT_EQ(dialog.rxFrequencyBox()->text(), "147.25000");
        EXPECT_EQ(dialog.listLabelled("Squelch")->currentText(), "TIGHT");
        dialog.nameBox()->setText("Free");
        dialog.accept();
    });
    window_.addChannel();
    EXPECT_EQ(dialogsShown_, 2);
    ASSERT_NO_FATAL_FAILURE(
        expectOnlyError("The channel you've entered has a name that's a duplicate\r\nof an existing channel. Change the name "
                        "and try again."));
    ASSERT_EQ(codeplug().channels().count(), before + 1);
    const Channel& added = *codeplug().channelAt(before);
    EXPECT_EQ(added.name(), "Free");
    EXPECT_EQ(Channel::frequencyText(added.rxFrequency()), "147.25000");
    EXPECT_EQ(added.squelch(), Squelch::Tight);
}

TEST_F(EditorsTest, CancelledNewChannelAddsNothing)
{
    open();
    onChannelDialog([](ChannelEditorDialog& dialog) { dialog.reject(); });
    window_.addChannel();
    EXPECT_EQ(codeplug().channels().count(), channelsBefore_);
    EXPECT_FALSE(codeplug().changed());
}

TEST_F(EditorsTest, ChannelsAreAddedInEveryFamily)
{
    for (const auto format : {Md2017Format, RdbV1Format, RdbV2Format, D868Format}) {
        open(format);
        onChannelDialog([](ChannelEditorDialog& dialog) {
            dialog.nameBox()->setText("Added");
            dialog.modeTabs()->setCurrentIndex(0);
            dialog.accept();
        });
        window_.addChannel();
        ASSERT_EQ(codeplug().channels().count(), channelsBefore_ + 1) << std::hex << format;
        const Channel& added = *codeplug().channelAt(channelsBefore_);
        EXPECT_EQ(added.name(), "Added") << std::hex << format;
        EXPECT_EQ(added.mode(), ChannelMode::Dmr) << std::hex << format;
        EXPECT_TRUE(prompts_.shown().empty()) << std::hex << format;
    }
}

} // namespace
} // namespace pw::ui
