// SPDX-License-Identifier: GPL-3.0-or-later
// "Channel Mass Change" and "Zone Wizard" run through the real window: the dialog driver fills the
// controls and presses the buttons, and the tests check the model and every message shown.
#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"
#include "operations/channel_mass_change.h"
#include "operations/zone_wizard.h"
#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"
#include "ui/mass_change_dialog.h"
#include "ui/ui_test_support.h"
#include "ui/zone_wizard_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pw::ui {
namespace {

using test::TempDir;

void check(QDialog& dialog, const char* box) { control<QCheckBox>(dialog, box)->setChecked(true); }

// A window with an MD-380 codeplug whose channels are repeaters "Rpt 1", "Rpt 2", ... receiving on
// 145.000, 145.025, ... and transmitting 0.6 MHz above, with no zones or scan lists.
class ChannelDialogsTest : public ::testing::Test {
protected:
    void load(int channels)
    {
        // A radio of both bands: its VHF repeaters ask no question.
        test::FixtureOptions options;
        options.secondBandLimits = {{0x1360, 0x1740}};
        const auto path = test::writeFixture(dir.file("plug.rdt"), Md380Format, options);
        const auto outcome = window.openFile(QString::fromStdString(path.string()));
        ASSERT_TRUE(outcome == OpenOutcome::Opened || outcome == OpenOutcome::OpenedWithErrors);
        auto& codeplug = this->codeplug();
        codeplug.zones().deleteAll();
        codeplug.scanLists().deleteAll();
        codeplug.channels().deleteAll();
        for (int i = 0; i < channels; ++i) {
            Channel channel = newChannel(Md380Format, 145.0 + i * 0.025);
            channel.setMode(ChannelMode::Fm);
            channel.setTxFrequency(145.6 + i * 0.025);
            channel.setName("Rpt " + std::to_string(i + 1));
            ASSERT_EQ(codeplug.addChannel(channel), AddResult::Added);
        }
        codeplug.save(dir.file("saved.rdt"));  // leaves the changed flag clear
        ASSERT_FALSE(codeplug.changed());
        window.refreshAll();
        prompts.clearShown();
    }

    Codeplug& codeplug() { return window.document().codeplug; }
    const Channel& channel(int row) { return *codeplug().channelAt(row); }

    void selectChannels(const std::vector<int>& rows)
    {
        auto* view = window.channelView();
        view->clearSelection();
        for (const int row : rows)
            view->selectionModel()->select(view->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    QString listedName(int row)
    {
        return window.channelView()->model()->index(row, 1).data().toString();
    }

    // The action of the menu bar with this text.
    QAction* menuAction(const QString& text)
    {
        for (auto* menu : window.menuBar()->findChildren<QMenu*>())
            for (auto* action : menu->actions())
                if (action->text() == text)
                    return action;
        ADD_FAILURE() << "no menu item " << text.toStdString();
        return nullptr;
    }

    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window{&prompts};
    int dialogsRun = 0;
};

// ---- Channel Mass Change ----

TEST_F(ChannelDialogsTest, MassChangeOpensWithEverythingOffAndTheCodeplugsLists)
{
    load(3);
    selectChannels({0});
    window.setDialogDriver([&](QDialog& dialog) {
        ++dialogsRun;
        EXPECT_NE(qobject_cast<MassChangeDialog*>(&dialog), nullptr);
        EXPECT_EQ(dialog.windowTitle(), "Channel Mass Change");
        for (auto* box : dialog.findChildren<QCheckBox*>())
            EXPECT_FALSE(box->isChecked()) << box->text().toStdString();
        EXPECT_EQ(control<QLineEdit>(dialog, "rxFrequency")->text(), "146.5200");
        EXPECT_EQ(control<QCheckBox>(dialog, "rxFrequencyBox")->text(), "Change RX Frequency to ");
        EXPECT_EQ(control<QCheckBox>(dialog, "txContactBox")->text(), "Change TX Contact (TG) to ");
        EXPECT_EQ(control<QPushButton>(dialog, "commitButton")->text(), "Commit Changes");
        EXPECT_EQ(control<QPushButton>(dialog, "cancelButton")->text(), "Cancel Changes");
        const auto* offsets = control<QComboBox>(dialog, "offsetList");
        ASSERT_EQ(offsets->count(), 3);
        EXPECT_EQ(offsets->itemText(1), "( + )");
        EXPECT_EQ(offsets->itemText(2), "( -- )");
        const auto* encode = control<QComboBox>(dialog, "encodeList");
        EXPECT_EQ(encode->count(), 254);
        EXPECT_EQ(encode->itemText(0), "None");
        EXPECT_EQ(encode->itemText(1), "067.0");
        EXPECT_EQ(encode->itemText(253), "D754I");
        EXPECT_EQ(control<QComboBox>(dialog, "colorCodeList")->count(), 16);
        const auto* contacts = control<QComboBox>(dialog, "txContactList");
        EXPECT_EQ(contacts->count(), codeplug().contacts().count() + 1);
        EXPECT_EQ(contacts->itemText(0), "None");
        EXPECT_EQ(control<QComboBox>(dialog, "scanListList")->count(), 1);
        click(dialog, "cancelButton");
    });
    const auto before = channel(0);
    window.massChangeChannels();
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(channel(0).name(), before.name());
    EXPECT_FALSE(codeplug().changed());
}

TEST_F(ChannelDialogsTest, MassChangeMovesTheSelectedRepeatersAndRenamesThem)
{
    load(3);
    selectChannels({2, 0});
    window.setDialogDriver([&](QDialog& dialog) {
        ++dialogsRun;
        check(dialog, "rxFrequencyBox");
        control<QLineEdit>(dialog, "rxFrequency")->setText("146.000");
        check(dialog, "prependBox");
        control<QLineEdit>(dialog, "nameText")->setText("X");
        click(dialog, "commitButton");
    });
    window.massChangeChannels();
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"2 channels have been updated."});
    EXPECT_DOUBLE_EQ(channel(0).rxFrequency(), 146.0);
    EXPECT_NEAR(channel(0).txFrequency(), 146.6, 1e-9);
    EXPECT_EQ(channel(0).name(), "XRpt 1");
    EXPECT_EQ(channel(2).name(), "XRpt 3");
    EXPECT_EQ(channel(1).name(), "Rpt 2");
    EXPECT_DOUBLE_EQ(channel(1).rxFrequency(), 145.025);
    EXPECT_TRUE(codeplug().changed());
    // The list shows the new names and marks the last channel handled.
    EXPECT_EQ(listedName(0), "XRpt 1");
    EXPECT_EQ(window.selectedChannelRows(), std::vector<int>{2});
}

TEST_F(ChannelDialogsTest, MassChangeOffsetAndToneOnCopies)
{
    load(2);
    selectChannels({0, 1});
    window.setDialogDriver([&](QDialog& dialog) {
        check(dialog, "offsetBox");
        control<QComboBox>(dialog, "offsetList")->setCurrentIndex(2);
        check(dialog, "appendBox");
        control<QLineEdit>(dialog, "nameText")->setText("C");
        check(dialog, "encodeBox");
        control<QComboBox>(dialog, "encodeList")->setCurrentText("088.5");
        check(dialog, "makeCopiesBox");
        click(dialog, "commitButton");
    });
    window.massChangeChannels();
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"2 channels have been updated."});
    ASSERT_EQ(codeplug().channels().count(), 4);
    EXPECT_EQ(channel(0).name(), "Rpt 1");
    EXPECT_NEAR(channel(0).txFrequency(), 145.6, 1e-9);
    EXPECT_EQ(channel(2).name(), "Rpt 1C");
    EXPECT_NEAR(channel(2).txFrequency(), 144.4, 1e-9);
    EXPECT_EQ(channel(3).name(), "Rpt 2C");
    EXPECT_EQ(listedName(3), "Rpt 2C");
    EXPECT_EQ(window.selectedChannelRows(), std::vector<int>{1});
}

TEST_F(ChannelDialogsTest, MassChangeRefusesAFrequencyBelowThirtyAndStaysOpen)
{
    load(2);
    selectChannels({1});
    window.setDialogDriver([&](QDialog& dialog) {
        ++dialogsRun;
        check(dialog, "rxFrequencyBox");
        control<QLineEdit>(dialog, "rxFrequency")->setText("29.99");
        click(dialog, "commitButton");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown()[0].text, mass_change_text::InvalidFrequency);
        EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Error);
        control<QLineEdit>(dialog, "rxFrequency")->setText("433.5");
        click(dialog, "commitButton");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    window.massChangeChannels();
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(prompts.lastText(), "1 channels have been updated.");
    EXPECT_DOUBLE_EQ(channel(1).rxFrequency(), 433.5);
    EXPECT_DOUBLE_EQ(channel(0).rxFrequency(), 145.0);
}

TEST_F(ChannelDialogsTest, MassChangeWithoutChangesAsksAndYesDiscards)
{
    load(2);
    selectChannels({0});
    prompts.answer(MessageAnswer::No);
    prompts.answer(MessageAnswer::Yes);
    window.setDialogDriver([&](QDialog& dialog) {
        check(dialog, "makeCopiesBox");  // no change by itself
        click(dialog, "commitButton");
        EXPECT_TRUE(dialog.isVisible());
        click(dialog, "commitButton");
    });
    window.massChangeChannels();
    const std::string question(mass_change_text::NoChangesQuestion);
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{question, question}));
    EXPECT_EQ(codeplug().channels().count(), 2);
    EXPECT_FALSE(codeplug().changed());
}

TEST_F(ChannelDialogsTest, MassChangeWithoutASelectionSaysSoAndOpensNothing)
{
    load(2);
    window.setDialogDriver([&](QDialog&) { ++dialogsRun; });
    window.massChangeChannels();
    EXPECT_EQ(dialogsRun, 0);
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"At least one channel must be selected prior to issuing this command!"});
}

// ---- Zone Wizard ----

TEST_F(ChannelDialogsTest, ZoneWizardMakesAZoneAndAScanListUsedByItsChannels)
{
    load(4);
    selectChannels({3, 0, 1});
    window.setDialogDriver([&](QDialog& dialog) {
        ++dialogsRun;
        ASSERT_NE(qobject_cast<ZoneWizardDialog*>(&dialog), nullptr);
        auto* zoneName = control<QLineEdit>(dialog, "zoneName");
        auto* status = control<QPlainTextEdit>(dialog, "zoneStatus");
        EXPECT_EQ(zoneName->text(), "Rpt");
        EXPECT_EQ(control<QLineEdit>(dialog, "scanListName")->text(), "Rpt");
        EXPECT_EQ(control<QPlainTextEdit>(dialog, "selectedChannels")->toPlainText(), "Rpt 1\nRpt 2\nRpt 4\n");
        EXPECT_EQ(status->toPlainText(), "A new zone 'Rpt' will be created and it will contain 3 channels from the "
                                         "3 you selected. Note that zones in this codeplug are limited to 16 "
                                         "channels total.");
        zoneName->setText("");
        EXPECT_EQ(status->toPlainText(),
                  "ERROR! The ZONE NAME is empty. No action can be taken. Please choose a zone name.");
        zoneName->setText("Metro");
        EXPECT_EQ(control<QLineEdit>(dialog, "scanListName")->text(), "Metro");
        EXPECT_TRUE(status->toPlainText().startsWith("A new zone 'Metro' will be created"));
        check(dialog, "applyScanListBox");
        EXPECT_TRUE(control<QCheckBox>(dialog, "createScanListBox")->isChecked());
        click(dialog, "commitButton");
    });
    window.runZoneWizard();
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{
                                   "Zone 'Metro' created or updated with 3 channels total.\r\nScan List 'Metro' "
                                   "created.\r\nChannels in zone 'Metro' all reference Scan List 'Metro'."});
    ASSERT_EQ(codeplug().zones().count(), 1);
    const Zone& zone = *codeplug().zones().at(0);
    EXPECT_EQ(zone.name(), "Metro");
    ASSERT_EQ(zone.memberCount(), 3);
    EXPECT_EQ(codeplug().channelIndexOfMember(zone.member(0)), 0);
    EXPECT_EQ(codeplug().channelIndexOfMember(zone.member(2)), 3);
    ASSERT_EQ(codeplug().scanLists().count(), 1);
    EXPECT_EQ(codeplug().scanLists().at(0)->name(), "Metro");
    EXPECT_EQ(codeplug().scanLists().at(0)->memberCount(), 3);
    EXPECT_EQ(channel(0).scanList(), 1);
    EXPECT_EQ(channel(3).scanList(), 1);
    EXPECT_EQ(channel(2).scanList(), 0);
    EXPECT_TRUE(codeplug().changed());
}

TEST_F(ChannelDialogsTest, ZoneWizardRefusesAnEmptyNameAndCancelChangesNothing)
{
    load(2);
    selectChannels({0});
    window.setDialogDriver([&](QDialog& dialog) {
        control<QLineEdit>(dialog, "zoneName")->clear();
        click(dialog, "commitButton");
        EXPECT_TRUE(dialog.isVisible());
        click(dialog, "cancelButton");
    });
    window.runZoneWizard();
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{std::string(zone_wizard_text::EmptyNameError)});
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(codeplug().zones().count(), 0);
    EXPECT_FALSE(codeplug().changed());
}

TEST_F(ChannelDialogsTest, ZoneWizardFillsAnExistingZoneUpToItsSixteenMembers)
{
    load(20);
    // An existing zone "Metro" with the first ten channels.
    auto zone = std::make_unique<Zone>(newZone(Md380Format));
    zone->setName("Metro");
    for (int row = 0; row < 10; ++row)
        ASSERT_TRUE(zone->addMember(codeplug().memberNumberOf(row)));
    codeplug().zones().append(std::move(zone));
    window.refreshAll();
    selectChannels({10, 11, 12, 13, 14, 15, 16, 17});
    window.setDialogDriver([&](QDialog& dialog) {
        control<QLineEdit>(dialog, "zoneName")->setText("METRO");
        EXPECT_EQ(control<QPlainTextEdit>(dialog, "zoneStatus")->toPlainText(),
                  "An existing zone, 'METRO', will have only 6 channels from the 8 selected channels added to it. "
                  "The zone will be FULL with 16 channels after this addition.");
        click(dialog, "commitButton");
    });
    window.runZoneWizard();
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Zone 'Metro' created or updated with 16 channels total."});
    EXPECT_EQ(codeplug().zones().at(0)->memberCount(), 16);
    EXPECT_EQ(codeplug().scanLists().count(), 0);
}

TEST_F(ChannelDialogsTest, ZoneWizardWithoutASelectionShowsTheErrorAndOpensNothing)
{
    load(2);
    window.setDialogDriver([&](QDialog&) { ++dialogsRun; });
    window.runZoneWizard();
    EXPECT_EQ(dialogsRun, 0);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{std::string(zone_wizard_text::NoChannelsSelected)});
}

TEST_F(ChannelDialogsTest, EditMenuOpensBothDialogsOnTheChannelsTab)
{
    load(2);
    selectChannels({1});
    QStringList opened;
    window.setDialogDriver([&](QDialog& dialog) {
        EXPECT_EQ(window.tabs()->tabText(window.tabs()->currentIndex()), "Channels");
        opened << dialog.windowTitle();
        click(dialog, "cancelButton");
    });
    for (const auto* item : {"Mass Change Channels...", "Zone Wizard..."}) {
        window.tabs()->setCurrentIndex(0);
        auto* action = menuAction(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr);
        action->trigger();
    }
    EXPECT_EQ(opened, (QStringList{"Channel Mass Change", "Zone Wizard"}));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_FALSE(codeplug().changed());
}

} // namespace
} // namespace pw::ui
