// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own commands: copy and paste between two windows, the keys that reach them from
// the lists, the Errors tab, sorting through the headings, the Structural Import tab and the close flow.

#include "ui/main_window.h"
#include "iddb/settings_block.h"
#include "platform/settings_store.h"
#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace pw::ui {
namespace {

using test::TempDir;

QString pathText(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// An MD-380 file with two contacts and three channels, the first two transmitting to contact 1.
std::filesystem::path threeChannelFile(const std::filesystem::path& path)
{
    test::TytFixture fixture(Md380Format);
    const int talkgroup = fixture.addContact(91, "WORLDWIDE");
    fixture.addContact(3100, "USA");
    fixture.addChannel(test::tytDigitalChannel(Md380Format, "HOTSPOT", 438.8, talkgroup));
    fixture.addChannel(test::tytDigitalChannel(Md380Format, "REPEATER", 442.1, talkgroup, 0, 0, 447.1));
    fixture.addChannel(test::tytAnalogChannel(Md380Format, "CALLING", 146.52));
    return fixture.write(path);
}

QPushButton* buttonWithText(QWidget* parent, const QString& text)
{
    for (auto* button : parent->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

TEST(WindowCommands, ChannelsCopiedInOneWindowPasteIntoAnother)
{
    TempDir dir;
    ScriptedPrompts sourcePrompts;
    MainWindow source(&sourcePrompts);
    source.show();
    ASSERT_EQ(source.openFile(pathText(threeChannelFile(dir.file("a.rdt")))), OpenOutcome::Opened);
    source.tabs()->setCurrentWidget(source.channelView()->parentWidget());
    source.selectChannelRow(0);
    source.channelView()->selectionModel()->select(source.channelView()->model()->index(1, 0),
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(source.selectedChannelRows(), (std::vector<int>{0, 1}));
    // Ctrl+C in a list is the record copy.
    source.channelView()->setFocus();
    QTest::keyClick(source.channelView(), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith("DMR-CHANNEL")) << copied.toStdString();
    EXPECT_TRUE(copied.contains("HOTSPOT") && copied.contains("REPEATER") && !copied.contains("CALLING"));

    ScriptedPrompts targetPrompts;
    MainWindow target(&targetPrompts);
    target.show();
    target.openFile(pathText(test::writeFixture(dir.file("b.rdt"), Md380Format)));
    ASSERT_EQ(target.document().codeplug.channels().count(), 0);
    target.tabs()->setCurrentIndex(0);
    QTest::keyClick(target.contactView(), Qt::Key_V, Qt::ControlModifier);
    const auto& pasted = target.document().codeplug;
    ASSERT_EQ(pasted.channels().count(), 2);
    EXPECT_EQ(pasted.channelAt(1)->name(), "REPEATER");
    EXPECT_EQ(target.tabs()->currentWidget(), target.channelView()->parentWidget());
    EXPECT_EQ(targetPrompts.texts().back(), "2 new channels added; 0 duplicates skipped.");
    EXPECT_TRUE(pasted.changed());
    // The contact the channels transmit to came along and the list shows it by name.
    EXPECT_EQ(target.channelView()->model()->index(1, 10).data().toString(), "WORLDWIDE");
    EXPECT_EQ(target.selectedChannelRows(), std::vector<int>{1});

    // Pasting the same text again finds both channels present.
    QTest::keyClick(target.channelView(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(pasted.channels().count(), 2);
    EXPECT_EQ(targetPrompts.texts().back(), "0 new channels added; 2 duplicates skipped.");
}

TEST(WindowCommands, ContactsCopyFromTheContactsTab)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    window.show();
    window.openFile(pathText(threeChannelFile(dir.file("a.rdt"))));
    window.tabs()->setCurrentIndex(0);
    window.selectContactRow(1);
    window.copySelection();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("DMR-CONTACT"));
    EXPECT_TRUE(QApplication::clipboard()->text().contains("USA"));
    EXPECT_FALSE(QApplication::clipboard()->text().contains("WORLDWIDE"));
}

TEST(WindowCommands, ErrorsTabComesWithProblemsAndGoesWithACleanFile)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    // The minimal RDB file has no contacts, which its decoder logs as a problem.
    ASSERT_EQ(window.openFile(pathText(test::writeFixture(dir.file("a.rdb"), RdbV1Format))),
              OpenOutcome::OpenedWithErrors);
    EXPECT_EQ(window.tabTitles().back(), "Errors");
    EXPECT_EQ(window.tabs()->tabText(window.tabs()->currentIndex()), "Errors");
    EXPECT_FALSE(window.errorText().isEmpty());
    EXPECT_TRUE(prompts.texts().back().find("errors found in codeplug data table rows.\r\nPlease double-check") !=
                std::string::npos);

    ASSERT_EQ(window.openFile(pathText(threeChannelFile(dir.file("b.rdt")))), OpenOutcome::Opened);
    EXPECT_FALSE(window.tabTitles().contains("Errors"));
    EXPECT_EQ(window.tabs()->currentIndex(), 0);
    EXPECT_TRUE(window.errorText().isEmpty());
    EXPECT_EQ(window.statusLine(), "Total of 2 contacts and 3 channels in Codeplug");
}

TEST(WindowCommands, HeadingClicksSortTheContacts)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    window.show();
    window.openFile(pathText(threeChannelFile(dir.file("a.rdt"))));
    auto* header = window.contactView()->horizontalHeader();
    // "Contact Type" does not sort.
    emit header->sectionClicked(3);
    EXPECT_FALSE(window.document().codeplug.changed());
    emit header->sectionClicked(2);
    EXPECT_EQ(window.document().codeplug.contactAt(0)->name(), "USA");
    EXPECT_EQ(window.contactView()->model()->index(0, 2).data().toString(), "USA");
    EXPECT_TRUE(window.document().codeplug.changed());
    // The channels follow their contact through the sort.
    EXPECT_EQ(window.channelView()->model()->index(0, 10).data().toString(), "WORLDWIDE");

    emit window.channelView()->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(window.document().codeplug.channelAt(0)->name(), "CALLING");
}

TEST(WindowCommands, StructuralImportTabImportsTheCheckedKinds)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    window.openFile(pathText(test::writeFixture(dir.file("a.rdt"), Md380Format)));
    const auto other = threeChannelFile(dir.file("other.rdt"));
    auto* tab = window.tabs()->widget(5);
    ASSERT_EQ(window.tabs()->tabText(5), "Structural Import");
    for (auto* box : tab->findChildren<QCheckBox*>())
        box->setChecked(box->text() == "Channels");
    prompts.choose(other.string());
    auto* button = buttonWithText(tab, "Import Selected Structures...");
    ASSERT_NE(button, nullptr);
    button->click();
    const auto& codeplug = window.document().codeplug;
    EXPECT_EQ(codeplug.channels().count(), 3);
    EXPECT_EQ(codeplug.contacts().count(), 0);
    EXPECT_EQ(window.statusLine(), "Total of 0 contacts and 3 channels in Codeplug");
    // Without contacts, the digital channels transmit to none.
    EXPECT_EQ(window.channelView()->model()->index(0, 10).data().toString(), "NONE");
}

TEST(WindowCommands, ReceiveGroupsBoxIsLeftOffForD868Files)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    QCheckBox* receiveGroups = nullptr;
    for (auto* box : window.findChildren<QCheckBox*>())
        if (box->text() == "Receive Groups")
            receiveGroups = box;
    ASSERT_NE(receiveGroups, nullptr);
    receiveGroups->setChecked(false);
    window.openFile(pathText(test::writeFixture(dir.file("a.dcf"), D868Format)));
    EXPECT_FALSE(receiveGroups->isChecked());
    // Switching it on for such a file gives a word of caution.
    receiveGroups->click();
    EXPECT_TRUE(prompts.texts().back().rfind("AnyTone Codeplug: Receive Groups selected", 0) == 0);
    receiveGroups->setChecked(false);
    window.openFile(pathText(test::writeFixture(dir.file("b.rdt"), Md380Format)));
    EXPECT_TRUE(receiveGroups->isChecked());
}

TEST(WindowCommands, ClosingAChangedCodeplugAsksAndCancelKeepsTheWindow)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    window.show();
    const auto path = threeChannelFile(dir.file("a.rdt"));
    window.openFile(pathText(path));
    EXPECT_TRUE(window.close());  // unchanged: no question
    EXPECT_TRUE(prompts.shown().empty());

    window.show();
    // By name: WORLDWIDE and USA change places.
    emit window.contactView()->horizontalHeader()->sectionClicked(2);
    ASSERT_TRUE(window.document().codeplug.changed());
    // The settings are written on every close, also one the user then cancels.
    const auto settingsFile = configDirectory() / settingsFileName;
    std::filesystem::remove(settingsFile);
    prompts.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(prompts.texts().back(), "Save changes to " + path.string() + " ?");
    EXPECT_TRUE(window.isVisible());
    ASSERT_TRUE(std::filesystem::exists(settingsFile));
    EXPECT_EQ(std::filesystem::file_size(settingsFile), SettingsBlock::Size);
}

TEST(WindowCommands, AnImportShowsTheLinesItRefusedByReason)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    window.show();
    ASSERT_EQ(window.openFile(pathText(threeChannelFile(dir.file("a.rdt")))), OpenOutcome::Opened);
    std::ofstream(dir.file("in.csv"), std::ios::binary)
        << "\"77\",\"New\",\"Private Call\",\"No\"\r\"0x10\",\"Hex\",\"Private Call\",\"No\"\r\"1e5\",\"E\",\"G\",\"No\"";
    prompts.choose(dir.file("in.csv").string());
    QAction* import = nullptr;
    for (QAction* action : window.menuBar()->findChildren<QAction*>())
        import = action->text() == QStringLiteral("Import Contacts from CSV...") ? action : import;
    ASSERT_NE(import, nullptr);
    import->trigger();
    EXPECT_EQ(prompts.texts().back(), "1 contacts imported.\r\n2 lines refused: DMR ID not a number (2)");
    EXPECT_EQ(window.document().codeplug.contacts().count(), 3);
}

} // namespace
} // namespace pw::ui
