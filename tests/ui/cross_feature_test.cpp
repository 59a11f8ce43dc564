// SPDX-License-Identifier: GPL-3.0-or-later
// Commands that cross from one part of the window to another: the context menus of the contact
// and channel lists, and the Zones tab opening the channel editor, each followed into every list
// that shows what they changed.

#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"
#include "ui/channel_editor_dialog.h"
#include "ui/contact_editor_dialog.h"
#include "ui/main_window.h"
#include "ui/zones_tab.h"

#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace pw::ui {
namespace {

// An MD-380 window with two talkgroups, three channels transmitting to the first, and one zone
// holding channels 3 and 1.
struct Window {
    test::TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window{&prompts};

    Window()
    {
        test::TytFixture fixture(Md380Format);
        const int talkgroup = fixture.addContact(91, "WORLDWIDE");
        fixture.addContact(3100, "USA");
        for (const char* name : {"ALPHA", "BRAVO", "CHARLIE"})
            fixture.addChannel(test::tytDigitalChannel(Md380Format, name, 438.8, talkgroup));
        fixture.addZone("HOME", {3, 1});
        window.show();
        window.openFile(QString::fromStdString(fixture.write(dir.file("a.rdt")).string()));
    }

    Codeplug& codeplug() { return window.document().codeplug; }
    QString cell(QTableView* view, int row, int column) { return view->model()->index(row, column).data().toString(); }
};

QPoint rowCentre(QTableView* view, int row)
{
    return view->visualRect(view->model()->index(row, 1)).center();
}

QStringList actionTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << action->text();
    return texts;
}

void trigger(QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions())
        if (action->text() == text) {
            action->trigger();
            return;
        }
    ADD_FAILURE() << "no action " << text.toStdString();
}

TEST(ContactContextMenu, OpensOnTheMarkedRowAndEditsTheContactEverywhere)
{
    Window w;
    QTableView* contacts = w.window.contactView();
    EXPECT_EQ(w.window.contextMenuAt(contacts, rowCentre(contacts, 0)), nullptr) << "no row is marked";
    w.window.selectContactRow(0);
    EXPECT_EQ(w.window.contextMenuAt(contacts, rowCentre(contacts, 1)), nullptr);
    auto menu = w.window.contextMenuAt(contacts, rowCentre(contacts, 0));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "MenuContactContext");
    EXPECT_EQ(actionTexts(*menu), (QStringList{"&Add Contact...", "&Edit...", "&Copy Selection",
                                               "Mark as &Talkgroup...", "&Paste", "&Delete..."}));

    w.window.setDialogDriver([](QDialog& dialog) {
        auto* editor = qobject_cast<ContactEditorDialog*>(&dialog);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->nameBox()->text(), "WORLDWIDE");
        editor->nameBox()->setText("WW");
        editor->accept();
    });
    trigger(*menu, "&Edit...");
    EXPECT_EQ(w.codeplug().contactAt(0)->name(), "WW");
    EXPECT_EQ(w.cell(contacts, 0, 2), "WW");
    // Every channel that transmits to it shows the new name.
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(w.cell(w.window.channelView(), row, 10), "WW");
    EXPECT_TRUE(w.codeplug().changed());
}

TEST(ChannelContextMenu, DeleteTakesTheChannelOutOfItsZone)
{
    Window w;
    QTableView* channels = w.window.channelView();
    w.window.tabs()->setCurrentIndex(1);
    w.window.selectChannelRow(2);
    auto menu = w.window.contextMenuAt(channels, rowCentre(channels, 2));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "MenuChannelContext");
    EXPECT_EQ(actionTexts(*menu), (QStringList{"Add Channel...", "Copy Selection", "Delete...", "Edit...",
                                               "Mass Change...", "Paste", "&Zone Wizard..."}));
    w.prompts.answer(MessageAnswer::Yes);
    trigger(*menu, "Delete...");
    EXPECT_EQ(w.prompts.texts().back(), "Are you sure you want to delete the channel 'CHARLIE' ?");
    ASSERT_EQ(w.codeplug().channels().count(), 2);
    // The selection mark stays at the same row, now the last channel.
    EXPECT_EQ(w.window.selectedChannelRows(), std::vector<int>{1});

    w.window.tabs()->setCurrentIndex(2);
    auto* zones = w.window.findChild<ZonesTab*>();
    ASSERT_NE(zones, nullptr);
    EXPECT_EQ(zones->memberView()->model()->rowCount(), 1);
    EXPECT_EQ(w.cell(zones->memberView(), 0, 1), "ALPHA");
}

TEST(ZonesTab, EditChannelOpensTheEditorOnTheMembersChannel)
{
    Window w;
    w.window.tabs()->setCurrentIndex(2);
    auto* zones = w.window.findChild<ZonesTab*>();
    ASSERT_NE(zones, nullptr);
    QTableView* members = zones->memberView();
    ASSERT_EQ(w.cell(members, 0, 1), "CHARLIE");
    QTest::mouseClick(members->viewport(), Qt::LeftButton, {}, rowCentre(members, 0));
    auto menu = zones->contextMenuAt(members, rowCentre(members, 0));
    ASSERT_NE(menu, nullptr);

    int opened = 0;
    w.window.setDialogDriver([&](QDialog& dialog) {
        ++opened;
        auto* editor = qobject_cast<ChannelEditorDialog*>(&dialog);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->nameBox()->text(), "CHARLIE");
        editor->nameBox()->setText("CHARLIE 2");
        editor->accept();
    });
    trigger(*menu, "&Edit Channel...");
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(w.codeplug().channelAt(2)->name(), "CHARLIE 2");
    EXPECT_EQ(w.cell(members, 0, 1), "CHARLIE 2");
    EXPECT_EQ(w.cell(w.window.channelView(), 2, 1), "CHARLIE 2");
    EXPECT_EQ(w.cell(zones->masterView(), 2, 1), "CHARLIE 2");
}

} // namespace
} // namespace pw::ui
