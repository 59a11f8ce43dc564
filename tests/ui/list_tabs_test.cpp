// SPDX-License-Identifier: GPL-3.0-or-later
// The Zones, Scan Lists and Rx Groups tabs of the real window: what they show after an open, and
// what their buttons, double-clicks, context menus and heading clicks do to the codeplug.
#include "ui/list_tab_page.h"
#include "ui/main_window.h"
#include "ui/reorder_zones_dialog.h"
#include "ui/rx_groups_tab.h"
#include "ui/scan_lists_tab.h"
#include "ui/zones_tab.h"

#include "operations/maintenance_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace pw::ui {
namespace {

using test::bankChannels;
using test::listChannels;
using test::MaintenanceFixture;
using test::names;
using Texts = std::vector<std::string>;

// A codeplug built record by record, saved and opened in a window that shows it. The records must
// make a file that opens without problems: RDB files hold a digital contact, D868 files a zone and
// the contacts their digital channels transmit to.
struct WindowFixture {
    MaintenanceFixture f;
    ScriptedPrompts prompts;
    MainWindow window{&prompts};

    explicit WindowFixture(FormatId format) : f(format) {}

    // Opens the built codeplug; the window's tab state starts at the first lists.
    void open()
    {
        const auto path = f.dir.file("built.bin");
        ASSERT_TRUE(f.codeplug.save(path));
        const auto outcome = window.openFile(QString::fromStdString(path.string()));
        ASSERT_EQ(outcome, OpenOutcome::Opened) << window.errorText().toStdString();
        window.resize(1100, 700);
        window.show();
        prompts.clearShown();
    }
    // A zone or scan list holding the channels at the given table positions, in that order.
    void addZone(const std::string& name, std::initializer_list<int> channels)
    {
        Zone& zone = f.addZone(name);
        for (const int channel : channels)
            zone.addMember(f.codeplug.memberNumberOf(channel));
    }
    void addScanList(const std::string& name, std::initializer_list<int> channels)
    {
        ScanList& list = f.addScanList(name);
        for (const int channel : channels)
            list.addMember(f.codeplug.memberNumberOf(channel));
    }

    Codeplug& codeplug() { return window.document().codeplug; }
    template <typename Page>
    Page* page(QWidget* tab)
    {
        window.tabs()->setCurrentWidget(tab);
        auto* found = window.findChild<Page*>();
        EXPECT_NE(found, nullptr);
        return found;
    }
    ZonesTab* zones() { return page<ZonesTab>(window.tabs()->widget(2)); }
    ScanListsTab* scanLists() { return page<ScanListsTab>(window.tabs()->widget(3)); }
    RxGroupsTab* rxGroups() { return page<RxGroupsTab>(window.tabs()->widget(4)); }
};

QString cell(const QTableView* view, int row, int column)
{
    return view->model()->index(row, column).data().toString();
}

// Column `column` of every row of a list.
QStringList column(const QTableView* view, int column)
{
    QStringList all;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        all << cell(view, row, column);
    return all;
}

QStringList visibleHeadings(const QTableView* view)
{
    QStringList headings;
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        if (!view->isColumnHidden(c))
            headings << view->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    return headings;
}

// The middle of a row's name cell, scrolled into view first.
QPoint rowCentre(QTableView* view, int row)
{
    const QModelIndex index = view->model()->index(row, 1);
    view->scrollTo(index);
    return view->visualRect(index).center();
}

// A double-click as the system delivers it: a click, then the second press as a double-click.
void doubleClickRow(QTableView* view, int row)
{
    const QPoint where = rowCentre(view, row);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, where);
}

void selectRow(QTableView* view, int row)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, row));
}

void click(ListTabPage* page, const char* text)
{
    QPushButton* button = page->button(QString::fromLatin1(text));
    ASSERT_NE(button, nullptr) << text;
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList actionTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << action->text();
    return texts;
}

void trigger(const QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions()) {
        if (action->text() == text) {
            action->trigger();
            return;
        }
    }
    ADD_FAILURE() << "no action " << text.toStdString();
}

TEST(ZonesTab, ShowsTheCurrentZoneAndStepsThroughTheZones)
{
    WindowFixture w(Md380Format);
    w.f.addChannels(3);
    w.addZone("Z1", {0, 2});
    w.f.addZone("Z2");
    w.open();
    ZonesTab* zones = w.zones();

    EXPECT_EQ(zones->nameBox()->text(), "Z1");
    EXPECT_EQ(column(zones->memberView(), 1), (QStringList{"CH1", "CH3"}));
    EXPECT_EQ(column(zones->memberView(), 0), (QStringList{"1", "3"}));
    EXPECT_EQ(column(zones->masterView(), 1), (QStringList{"CH1", "CH2", "CH3"}));
    const QStringList headings{"No.", "Channel Name", "Rx Freq", "Mode", " BW"};
    EXPECT_EQ(visibleHeadings(zones->memberView()), headings);
    EXPECT_EQ(visibleHeadings(zones->masterView()), headings);
    EXPECT_GE(zones->masterView()->columnWidth(1), 100);
    EXPECT_EQ(zones->findChild<QLabel*>("zoneHint")->text(),
              "Double-click channels to move them in or out of the Zone.");
    for (const char* text : {"Previous Group", "Next Group", "[+] New Zone", "[-] Delete Zone", "Rename...",
                             "Paste Zone", "Copy Zone", "Move Item Up", "Move Item Down", "Reorder... "})
        EXPECT_EQ(zones->button(text)->text(), text);

    click(zones, "Next Group");
    EXPECT_EQ(zones->nameBox()->text(), "Z2");
    EXPECT_EQ(zones->memberView()->model()->rowCount(), 0);
    click(zones, "Next Group");
    EXPECT_EQ(zones->nameBox()->text(), "Z1") << "the last zone wraps to the first";
    click(zones, "Previous Group");
    EXPECT_EQ(zones->nameBox()->text(), "Z2");
    EXPECT_FALSE(w.codeplug().changed());
}

TEST(ZonesTab, DoubleClicksAddAndRemoveMembersAndAFullZoneSaysSo)
{
    WindowFixture w(Md380Format);
    w.f.addChannels(17);
    auto& zone = w.f.addZone("Z1");
    for (int i = 0; i < 15; ++i)
        zone.addMember(w.f.codeplug.memberNumberOf(i));
    w.open();
    ZonesTab* zones = w.zones();
    Zone& shown = *w.codeplug().zones().at(0);

    doubleClickRow(zones->masterView(), 15);
    EXPECT_TRUE(w.codeplug().changed());
    EXPECT_EQ(shown.memberCount(), 16);
    EXPECT_EQ(cell(zones->memberView(), 15, 1), "CH16");

    doubleClickRow(zones->masterView(), 16);
    ASSERT_EQ(w.prompts.texts(), Texts{"Zone is full - - unable to add more channels."});
    EXPECT_EQ(w.prompts.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(shown.memberCount(), 16);

    doubleClickRow(zones->memberView(), 0);
    EXPECT_EQ(shown.memberCount(), 15);
    EXPECT_EQ(cell(zones->memberView(), 0, 1), "CH2");
    EXPECT_EQ(zones->memberView()->model()->rowCount(), 15);
}

TEST(ZonesTab, MovingAMemberKeepsItSelected)
{
    WindowFixture w(RdbV2Format);
    w.f.addContacts(1);
    w.f.addChannels(3);
    w.addZone("Z1", {0, 1, 2});
    w.open();
    ZonesTab* zones = w.zones();

    selectRow(zones->memberView(), 1);
    click(zones, "Move Item Up");
    EXPECT_EQ(column(zones->memberView(), 1), (QStringList{"CH2", "CH1", "CH3"}));
    EXPECT_EQ(zones->selectedMemberRow(), 0);
    click(zones, "Move Item Down");
    click(zones, "Move Item Down");
    EXPECT_EQ(column(zones->memberView(), 1), (QStringList{"CH1", "CH3", "CH2"}));
    EXPECT_EQ(zones->selectedMemberRow(), 2);
    EXPECT_EQ(bankChannels(*w.codeplug().zones().at(0), 1, w.codeplug()), (std::vector<int>{0, 2, 1}));
    EXPECT_TRUE(w.codeplug().changed());
}

TEST(ZonesTab, NewRenameAndDeleteAskThroughThePrompts)
{
    WindowFixture w(D868Format);
    w.f.addContacts(1);
    w.f.addChannels(2);
    w.f.addZone("Z1");
    w.open();
    ZonesTab* zones = w.zones();

    w.prompts.type("Repeaters");
    click(zones, "[+] New Zone");
    EXPECT_EQ(zones->nameBox()->text(), "Repeaters");
    EXPECT_EQ(names(w.codeplug().zones()), (Texts{"Z1", "Repeaters"}));
    EXPECT_EQ(w.prompts.asked().back().title, "New Zone");

    w.prompts.type("Simplex");
    click(zones, "Rename...");
    EXPECT_EQ(w.prompts.asked().back().initialText, "Repeaters");
    EXPECT_EQ(zones->nameBox()->text(), "Simplex");

    w.prompts.answer(MessageAnswer::Yes);
    click(zones, "[-] Delete Zone");
    EXPECT_EQ(w.prompts.texts(), Texts{"Are you sure you want to delete Zone 'Simplex' ?"});
    EXPECT_EQ(names(w.codeplug().zones()), Texts{"Z1"});
    EXPECT_EQ(zones->nameBox()->text(), "Z1");

    click(zones, "[-] Delete Zone");
    EXPECT_EQ(w.codeplug().zones().count(), 1) << "the last zone stays";
    EXPECT_EQ(w.prompts.texts().size(), 1u);
}

TEST(ZonesTab, BankButtonsShowOnlyForTwoBankZonesAndMirror)
{
    {
        WindowFixture one(Md380Format);
        one.f.addChannels(1);
        one.f.addZone("Z1");
        one.open();
        EXPECT_TRUE(one.zones()->bankSwitchButton()->isHidden());
        EXPECT_TRUE(one.zones()->mirrorButton()->isHidden());
    }
    WindowFixture w(Md2017Format);
    w.f.addChannels(3);
    w.addZone("Hotspots", {0, 1});
    w.open();
    ZonesTab* zones = w.zones();
    EXPECT_FALSE(zones->bankSwitchButton()->isHidden());
    EXPECT_EQ(zones->bankSwitchButton()->text(), "[A]<-- BANK");
    EXPECT_EQ(zones->mirrorButton()->text(), "MIRROR-->[B]");

    QTest::mouseClick(zones->bankSwitchButton(), Qt::LeftButton);
    EXPECT_EQ(zones->bankSwitchButton()->text(), "BANK -->[B]");
    EXPECT_EQ(zones->mirrorButton()->text(), "[A]<--MIRROR");
    EXPECT_EQ(zones->memberView()->model()->rowCount(), 0) << "bank B is empty";
    doubleClickRow(zones->masterView(), 2);
    EXPECT_EQ(column(zones->memberView(), 1), QStringList{"CH3"});

    QTest::mouseClick(zones->bankSwitchButton(), Qt::LeftButton);
    EXPECT_EQ(column(zones->memberView(), 1), (QStringList{"CH1", "CH2"}));
    w.prompts.answer(MessageAnswer::Yes);
    QTest::mouseClick(zones->mirrorButton(), Qt::LeftButton);
    EXPECT_EQ(w.prompts.lastText(), "2 channels moved from Bank 1 to Bank 2 of Zone 'Hotspots'.");
    EXPECT_EQ(bankChannels(*w.codeplug().zones().at(0), 2, w.codeplug()), (std::vector<int>{2, 0, 1}));

    // Opening a codeplug whose zones have one bank hides both buttons again.
    MaintenanceFixture other(Md380Format);
    other.addChannels(1);
    other.addZone("Single");
    const auto path = other.dir.file("single.rdt");
    ASSERT_TRUE(other.codeplug.save(path));
    w.prompts.answer(MessageAnswer::No);  // the mirrored zone is not saved
    ASSERT_EQ(w.window.openFile(QString::fromStdString(path.string())), OpenOutcome::Opened);
    EXPECT_TRUE(zones->bankSwitchButton()->isHidden());
    EXPECT_TRUE(zones->mirrorButton()->isHidden());
    EXPECT_EQ(zones->nameBox()->text(), "Single");
}

TEST(ZonesTab, ContextMenusOpenOnlyOnTheMarkedRow)
{
    WindowFixture w(Md380Format);
    w.f.addChannels(3);
    w.addZone("Z1", {2});
    w.open();
    ZonesTab* zones = w.zones();
    QTableView* master = zones->masterView();

    EXPECT_EQ(zones->contextMenuAt(master, rowCentre(master, 1)), nullptr) << "no row is marked yet";
    selectRow(master, 1);
    EXPECT_EQ(zones->contextMenuAt(master, rowCentre(master, 0)), nullptr);
    auto menu = zones->contextMenuAt(master, rowCentre(master, 1));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "ZONEMASTERCH");
    EXPECT_EQ(actionTexts(*menu), (QStringList{"Add Channel to Zone", "Edit Channel..."}));
    trigger(*menu, "Add Channel to Zone");
    EXPECT_EQ(column(zones->memberView(), 1), (QStringList{"CH3", "CH2"}));

    QTableView* members = zones->memberView();
    selectRow(members, 0);
    auto memberMenu = zones->contextMenuAt(members, rowCentre(members, 0));
    ASSERT_NE(memberMenu, nullptr);
    EXPECT_EQ(memberMenu->objectName(), "Zone_Channels");
    EXPECT_EQ(actionTexts(*memberMenu), (QStringList{"&Remove Channel from Zone", "&Edit Channel..."}));
    trigger(*memberMenu, "&Remove Channel from Zone");
    EXPECT_EQ(column(zones->memberView(), 1), QStringList{"CH2"});
    EXPECT_EQ(bankChannels(*w.codeplug().zones().at(0), 1, w.codeplug()), std::vector<int>{1});
}

TEST(ZonesTab, ReorderZonesMovesThroughTheDialogAndMakesTheFirstCurrent)
{
    WindowFixture w(Md380Format);
    w.f.addChannels(1);
    for (const char* name : {"Z1", "Z2", "Z3"})
        w.f.addZone(name);
    w.open();
    ZonesTab* zones = w.zones();
    click(zones, "Previous Group");
    EXPECT_EQ(zones->nameBox()->text(), "Z3");

    QStringList shownRows;
    w.window.setDialogDriver([&](QDialog& dialog) {
        auto* reorder = qobject_cast<ReorderZonesDialog*>(&dialog);
        ASSERT_NE(reorder, nullptr);
        EXPECT_EQ(dialog.windowTitle(), "Reorder Zones");
        EXPECT_EQ(dialog.findChild<QLabel*>("explanation")->text(),
                  "Highlight a zone, then click the up or down button to move\nit to a new position in the codeplug.");
        reorder->zoneList()->clearSelection();
        QTest::mouseClick(reorder->downButton(), Qt::LeftButton);
        reorder->selectRow(2);
        QTest::mouseClick(reorder->upButton(), Qt::LeftButton);
        for (int row = 0; row < reorder->zoneList()->rowCount(); ++row)
            shownRows << reorder->zoneList()->item(row, 0)->text() + " " + reorder->zoneList()->item(row, 1)->text();
        EXPECT_EQ(reorder->zoneList()->selectionModel()->selectedRows().value(0).row(), 1);
        QTest::mouseClick(reorder->doneButton(), Qt::LeftButton);
    });
    click(zones, "Reorder... ");
    EXPECT_EQ(w.prompts.texts(), Texts{"First select a zone to move, then click the UP or DOWN button."});
    EXPECT_EQ(shownRows, (QStringList{"1 Z1", "2 Z3", "3 Z2"}));
    EXPECT_EQ(names(w.codeplug().zones()), (Texts{"Z1", "Z3", "Z2"}));
    EXPECT_TRUE(w.codeplug().changed());
    EXPECT_EQ(zones->nameBox()->text(), "Z1");
}

TEST(ZonesTab, HeadingClickSortsTheMasterChannelListAndMembersFollow)
{
    WindowFixture w(Md380Format);
    w.f.addChannels(3);
    w.f.codeplug.channels().at(0)->setName("Charlie");
    w.f.codeplug.channels().at(1)->setName("Alpha");
    w.f.codeplug.channels().at(2)->setName("Bravo");
    w.addZone("Z1", {0});
    w.open();
    ZonesTab* zones = w.zones();

    emit zones->masterView()->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(column(zones->masterView(), 1), (QStringList{"Alpha", "Bravo", "Charlie"}));
    EXPECT_EQ(column(zones->memberView(), 1), QStringList{"Charlie"});
    EXPECT_EQ(column(zones->memberView(), 0), QStringList{"3"});
    EXPECT_EQ(cell(w.window.channelView(), 0, 1), "Alpha") << "the channel list is refilled too";
    EXPECT_TRUE(w.codeplug().changed());
}

TEST(ZonesTab, CopyZoneThenPasteZoneMakesANewCurrentZone)
{
    WindowFixture w(Md380Format);
    w.f.addChannels(2);
    w.addZone("Z1", {1, 0});
    w.open();
    ZonesTab* zones = w.zones();
    QApplication::clipboard()->clear();
    click(zones, "Copy Zone");
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("DMR-ZONE\r\nZ1\r\n"))
        << QApplication::clipboard()->text().toStdString();

    w.prompts.type("Z1 again");
    click(zones, "Paste Zone");
    EXPECT_EQ(w.prompts.asked().back().title, "Zone Name in Use");
    EXPECT_EQ(names(w.codeplug().zones()), (Texts{"Z1", "Z1 again"}));
    EXPECT_EQ(zones->nameBox()->text(), "Z1 again");
    EXPECT_EQ(column(zones->memberView(), 1), (QStringList{"CH2", "CH1"}));
}

TEST(ScanListsTab, MembersByDoubleClickMoveAndContextMenu)
{
    WindowFixture w(RdbV2Format);
    w.f.addContacts(1);
    w.f.addChannels(4);
    w.addScanList("S1", {3});
    w.f.addScanList("S2");
    w.open();
    ScanListsTab* scan = w.scanLists();

    EXPECT_EQ(scan->nameBox()->text(), "S1");
    EXPECT_EQ(column(scan->memberView(), 1), QStringList{"CH4"});
    EXPECT_GE(scan->memberView()->columnWidth(1), 115);
    // A column is never narrower than its listed width, and grows when the font needs it.
    EXPECT_GE(scan->memberView()->columnWidth(2), 60);
    EXPECT_GE(scan->masterView()->columnWidth(1), 100);
    EXPECT_EQ(visibleHeadings(scan->masterView()), (QStringList{"No.", "Channel Name", "Rx Freq", "Mode", " BW"}));
    for (const char* text : {"Previous Group", "Next Group", "[+] New Scan List", "[-] Delete Scan List",
                             "Rename...", "Move Item Up", "Move Item Down"})
        EXPECT_NE(scan->button(text), nullptr) << text;

    doubleClickRow(scan->masterView(), 0);
    EXPECT_EQ(column(scan->memberView(), 1), (QStringList{"CH4", "CH1"}));
    selectRow(scan->memberView(), 1);
    click(scan, "Move Item Up");
    EXPECT_EQ(column(scan->memberView(), 1), (QStringList{"CH1", "CH4"}));
    EXPECT_EQ(scan->selectedMemberRow(), 0);

    QTableView* members = scan->memberView();
    auto menu = scan->contextMenuAt(members, rowCentre(members, 0));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "SCANLIST");
    EXPECT_EQ(actionTexts(*menu), (QStringList{"Remove Channel from Scan List", "Edit Channel..."}));
    trigger(*menu, "Remove Channel from Scan List");
    EXPECT_EQ(listChannels(*w.codeplug().scanLists().at(0), w.codeplug()), std::vector<int>{3});

    selectRow(scan->masterView(), 2);
    auto masterMenu = scan->contextMenuAt(scan->masterView(), rowCentre(scan->masterView(), 2));
    ASSERT_NE(masterMenu, nullptr);
    EXPECT_EQ(masterMenu->objectName(), "SCANLISTMASTERCH");
    EXPECT_EQ(actionTexts(*masterMenu), (QStringList{"Add Channel to Scan List", "Edit Channel..."}));

    click(scan, "Next Group");
    EXPECT_EQ(scan->nameBox()->text(), "S2");
    EXPECT_EQ(scan->memberView()->model()->rowCount(), 0);
    EXPECT_TRUE(w.codeplug().changed());
}

TEST(ScanListsTab, NewRenameAndDelete)
{
    WindowFixture w(Md380Format);
    w.f.addChannels(1);
    w.f.addScanList("S1");
    w.open();
    ScanListsTab* scan = w.scanLists();

    w.prompts.type("Local");
    click(scan, "[+] New Scan List");
    EXPECT_EQ(scan->nameBox()->text(), "Local");
    w.prompts.type("Wide");
    click(scan, "Rename...");
    EXPECT_EQ(w.prompts.asked().back().title, "Rename Scan List");
    EXPECT_EQ(names(w.codeplug().scanLists()), (Texts{"S1", "Wide"}));
    w.prompts.answer(MessageAnswer::Yes);
    click(scan, "[-] Delete Scan List");
    EXPECT_EQ(w.prompts.texts(), Texts{"Are you sure you want to delete Scan List 'Wide' ?"});
    EXPECT_EQ(names(w.codeplug().scanLists()), Texts{"S1"});
    EXPECT_EQ(scan->nameBox()->text(), "S1");
}

TEST(RxGroupsTab, ContactsInAndOutOfTheGroup)
{
    WindowFixture w(D868Format);
    w.f.addChannels(1);
    w.f.addContacts(3);
    w.f.addZone("Z1");
    auto& group = w.f.addRxGroup("G1");
    group.addMember(2);
    w.open();
    RxGroupsTab* rx = w.rxGroups();

    EXPECT_EQ(rx->nameBox()->text(), "G1");
    const QStringList headings{"No.", "DMR-MARC ID", "Contact Name", "Type"};
    EXPECT_EQ(visibleHeadings(rx->memberView()), headings);
    EXPECT_EQ(visibleHeadings(rx->masterView()), headings);
    EXPECT_GE(rx->masterView()->columnWidth(2), 120);
    EXPECT_EQ(column(rx->memberView(), 2), QStringList{"C2"});
    EXPECT_EQ(column(rx->masterView(), 1), (QStringList{"1001", "1002", "1003"}));
    EXPECT_EQ(rx->findChild<QLabel*>("rxGroupHint")->text(),
              "Double-click contacts to move them in or out of the Receive Group.");

    doubleClickRow(rx->masterView(), 0);
    EXPECT_EQ(column(rx->memberView(), 2), (QStringList{"C2", "C1"}));
    doubleClickRow(rx->masterView(), 0);
    EXPECT_EQ(rx->memberView()->model()->rowCount(), 2) << "a contact is a member once";
    doubleClickRow(rx->memberView(), 0);
    EXPECT_EQ(column(rx->memberView(), 2), QStringList{"C1"});
    EXPECT_EQ(w.codeplug().rxGroupLists().at(0)->member(0), 1);
    EXPECT_TRUE(w.codeplug().changed());
    EXPECT_TRUE(w.prompts.shown().empty());
}

TEST(RxGroupsTab, NewRenameDeleteAndHeadingSort)
{
    WindowFixture w(Md380Format);
    w.f.addChannels(1);
    w.f.addContacts(3);
    w.f.codeplug.contacts().at(0)->setName("Zulu");
    w.f.addRxGroup("G1").addMember(1);
    w.open();
    RxGroupsTab* rx = w.rxGroups();

    emit rx->masterView()->horizontalHeader()->sectionClicked(2);
    EXPECT_EQ(column(rx->masterView(), 2), (QStringList{"C2", "C3", "Zulu"}));
    EXPECT_EQ(column(rx->memberView(), 2), QStringList{"Zulu"}) << "the member follows its contact";
    EXPECT_EQ(column(rx->memberView(), 0), QStringList{"3"});

    w.prompts.type("Regional");
    click(rx, "[+] New Rx Group");
    EXPECT_EQ(rx->nameBox()->text(), "Regional");
    EXPECT_EQ(w.prompts.asked().back().title, "New Rx Group List");
    w.prompts.type("Local");
    click(rx, "Rename...");
    EXPECT_EQ(rx->nameBox()->text(), "Local");
    w.prompts.answer(MessageAnswer::Yes);
    click(rx, "[-] Delete Rx Group");
    EXPECT_EQ(w.prompts.texts(), Texts{"Delete the Rx Group 'Local' ?"});
    EXPECT_EQ(names(w.codeplug().rxGroupLists()), Texts{"G1"});
    EXPECT_EQ(rx->nameBox()->text(), "G1");
}

TEST(ListTabs, WithoutACodeplugTheListsAreEmpty)
{
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    auto* zones = window.findChild<ZonesTab*>();
    ASSERT_NE(zones, nullptr);
    EXPECT_EQ(zones->memberView()->model()->rowCount(), 0);
    EXPECT_EQ(zones->masterView()->model()->rowCount(), 0);
    EXPECT_TRUE(zones->bankSwitchButton()->isHidden());
    QTest::mouseClick(zones->button("Next Group"), Qt::LeftButton);
    QTest::mouseClick(zones->button("Reorder... "), Qt::LeftButton);
    EXPECT_EQ(prompts.texts(), Texts{"Error: Unable to access memory image."});
}

} // namespace
} // namespace pw::ui
