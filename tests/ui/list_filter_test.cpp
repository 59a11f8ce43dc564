// SPDX-License-Identifier: GPL-3.0-or-later
// The filter boxes above the record lists: what they show and count, the keys, and every command
// working on the records the filtered rows show.

#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"
#include "ui/contact_editor_dialog.h"
#include "ui/list_filter_bar.h"
#include "ui/list_tab_page.h"
#include "ui/main_window.h"
#include "ui/ui_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace pw::ui {
namespace {

// Five contacts and four channels; "pa3" is in two contacts, "repeater" in two channels, and the
// zone "Home" holds the first channel.
std::filesystem::path filterFile(const std::filesystem::path& path)
{
    test::TytFixture fixture(Md380Format);
    const int talkgroup = fixture.addContact(91, "WORLDWIDE");
    fixture.addContact(3100, "USA");
    fixture.addContact(2041001, "PA3ABC Jan", CallType::PrivateCall);
    fixture.addContact(2041002, "pa3xyz Piet", CallType::PrivateCall);
    fixture.addContact(2062001, "ON4AAA Luc", CallType::PrivateCall);
    const int hotspot = fixture.addChannel(test::tytDigitalChannel(Md380Format, "PA HOTSPOT", 438.8, talkgroup));
    fixture.addChannel(test::tytDigitalChannel(Md380Format, "PA REPEATER", 438.1, talkgroup));
    fixture.addChannel(test::tytAnalogChannel(Md380Format, "CALLING", 146.52));
    fixture.addChannel(test::tytDigitalChannel(Md380Format, "ON REPEATER", 439.1, talkgroup));
    fixture.addZone("Home", {hotspot});
    return fixture.write(path);
}

class ListFilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_.show();
        // The keys of the lists reach them only in the active window.
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        ASSERT_EQ(window_.openFile(QString::fromStdString(filterFile(dir_.file("a.rdt")).string())),
                  OpenOutcome::Opened);
    }

    Codeplug& codeplug() { return window_.document().codeplug; }

    static QStringList column(const QTableView* view, int column)
    {
        QStringList texts;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            texts << view->model()->index(row, column).data().toString();
        return texts;
    }

    test::TempDir dir_;
    ScriptedPrompts prompts_;
    MainWindow window_{&prompts_};
};

TEST_F(ListFilterTest, TypingNarrowsTheListCountsItAndEscapeShowsEveryRow)
{
    QLineEdit* box = window_.contactFilter()->box();
    QTest::keyClicks(box, "PA3");
    EXPECT_EQ(column(window_.contactView(), 2), (QStringList{"PA3ABC Jan", "pa3xyz Piet"}));
    // The numbers are those of the records, not of the rows shown.
    EXPECT_EQ(column(window_.contactView(), 0), (QStringList{"3", "4"}));
    EXPECT_EQ(window_.contactFilter()->countText(), "2 of 5");
    QTest::keyClicks(box, "x");
    EXPECT_EQ(window_.contactFilter()->countText(), "1 of 5");
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(box->text(), "");
    EXPECT_EQ(window_.contactView()->model()->rowCount(), 5);
    EXPECT_EQ(window_.contactFilter()->countText(), "");
    // A filter with no match shows no row; the window's other lists are not filtered.
    QTest::keyClicks(box, "nobody");
    EXPECT_EQ(window_.contactView()->model()->rowCount(), 0);
    EXPECT_EQ(window_.contactFilter()->countText(), "0 of 5");
    EXPECT_EQ(window_.channelView()->model()->rowCount(), 4);
    EXPECT_EQ(ListFilterBar::countText(12, 170000), "12 of 170,000");
}

TEST_F(ListFilterTest, CtrlFReachesTheFilterOfTheListInFront)
{
    for (const int tab : {0, 1, 2, 4}) {
        window_.tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        ListFilterBar* filter = window_.currentFilter();
        ASSERT_NE(filter, nullptr) << tab;
        window_.tabs()->setFocus();
        QTest::keyClick(window_.tabs(), Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), filter->box()) << tab;
    }
    window_.tabs()->setCurrentIndex(5);
    EXPECT_EQ(window_.currentFilter(), nullptr);
}

TEST_F(ListFilterTest, ContactCommandsWorkOnTheRecordsOfTheFilteredRows)
{
    QTest::keyClicks(window_.contactFilter()->box(), "pa3");
    window_.contactView()->setFocus();
    window_.contactView()->selectRow(1);
    EXPECT_EQ(window_.selectedContactRows(), std::vector<int>{3});

    window_.copySelection();
    EXPECT_TRUE(QApplication::clipboard()->text().contains("pa3xyz Piet"));
    EXPECT_FALSE(QApplication::clipboard()->text().contains("PA3ABC"));

    // Enter edits the record of the row in focus.
    QString edited;
    window_.setDialogDriver([&](QDialog& dialog) {
        auto* editor = qobject_cast<ContactEditorDialog*>(&dialog);
        ASSERT_NE(editor, nullptr);
        edited = editor->nameBox()->text();
        editor->nameBox()->setText("PA3XYZ Pete");
        editor->applyButton()->click();
    });
    QTest::keyClick(window_.contactView(), Qt::Key_Return);
    EXPECT_EQ(edited, "pa3xyz Piet");
    EXPECT_EQ(codeplug().contactAt(3)->name(), "PA3XYZ Pete");
    EXPECT_EQ(codeplug().contactAt(2)->name(), "PA3ABC Jan");
    EXPECT_EQ(window_.contactFilter()->countText(), "2 of 5");

    // Delete deletes that record and no other.
    window_.contactView()->selectRow(1);
    prompts_.answer(MessageAnswer::Yes);
    QTest::keyClick(window_.contactView(), Qt::Key_Delete);
    ASSERT_EQ(codeplug().contacts().count(), 4);
    EXPECT_EQ(codeplug().findContactByName("PA3XYZ Pete"), -1);
    EXPECT_EQ(codeplug().contactAt(3)->name(), "ON4AAA Luc");
    EXPECT_EQ(window_.contactFilter()->countText(), "1 of 4");
}

TEST_F(ListFilterTest, ChannelCommandsWorkOnTheRecordsOfTheFilteredRows)
{
    window_.tabs()->setCurrentIndex(1);
    QTest::keyClicks(window_.channelFilter()->box(), "repeater");
    window_.channelView()->selectAll();
    EXPECT_EQ(window_.selectedChannelRows(), (std::vector<int>{1, 3}));
    window_.setDialogDriver([](QDialog& dialog) {
        control<QCheckBox>(dialog, "prependBox")->setChecked(true);
        control<QLineEdit>(dialog, "nameText")->setText("X");
        click(dialog, "commitButton");
    });
    window_.massChangeChannels();
    EXPECT_EQ(codeplug().channelAt(0)->name(), "PA HOTSPOT");
    EXPECT_EQ(codeplug().channelAt(1)->name(), "XPA REPEATER");
    EXPECT_EQ(codeplug().channelAt(2)->name(), "CALLING");
    EXPECT_EQ(codeplug().channelAt(3)->name(), "XON REPEATER");
    // The filter still holds both, renamed.
    EXPECT_EQ(column(window_.channelView(), 1), (QStringList{"XPA REPEATER", "XON REPEATER"}));
}

TEST_F(ListFilterTest, AMasterListFilterAddsTheRecordOfTheRowDoubleClicked)
{
    window_.tabs()->setCurrentIndex(2);
    auto* page = window_.tabs()->currentWidget()->findChild<ListTabPage*>();
    ASSERT_NE(page, nullptr);
    QTest::keyClicks(page->masterFilter()->box(), "on rep");
    ASSERT_EQ(page->masterView()->model()->rowCount(), 1);
    emit page->masterView()->doubleClicked(page->masterView()->model()->index(0, 1));
    EXPECT_EQ(column(page->memberView(), 1), (QStringList{"PA HOTSPOT", "ON REPEATER"}));
}

} // namespace
} // namespace pw::ui
