// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"
#include "plugwright_version.h"
#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace pw::ui {
namespace {

using test::TempDir;

TEST(MainWindow, StartsWithoutACodeplug)
{
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    EXPECT_EQ(window.workingFileText(), "(None)");
    EXPECT_EQ(window.statusLine(), "No Codeplug yet loaded.");
    EXPECT_EQ(window.tabTitles(), (QStringList{"Contacts", "Channels", "Zones", "Scan Lists", "Rx Groups",
                                                "Structural Import"}));
    EXPECT_FALSE(window.radioNameBox()->isEnabled());
    EXPECT_EQ(window.radioTypeBox()->count(), 5);
    EXPECT_EQ(window.radioTypeBox()->itemText(1), "Connect Sys CS700/701");
    EXPECT_EQ(window.radioTypeBox()->currentIndex(), -1);
    EXPECT_TRUE(window.windowTitle().startsWith("Korvane Plugwright 2.60"));
}

// The contact list shows a column for each text the format stores, and none for what it does not:
// one window opens the families in turn, so a column shown for one file is hidden for the next.
TEST(MainWindow, OpensEachFamilyWithItsStatusAndTheContactColumnsItStores)
{
    TempDir dir;
    const QStringList basic{"No.", "DMR-MARC ID", "Contact Name", "Contact Type", "Alert Tone"};
    const QStringList withTexts = basic + QStringList{"Callsign", "City", "State", "Country", "Remarks"};
    const struct {
        FormatId format;
        QStringList headings;
    } cases[] = {{D868Format, withTexts}, {Md380Format, basic}, {Md9600Format, basic}, {RdbV2Format, basic},
                 {D868Format, withTexts}};
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const auto path = test::writeFixture(dir.file("plug"), c.format);
        const auto outcome = window.openFile(QString::fromStdString(path.string()));
        EXPECT_TRUE(outcome == OpenOutcome::Opened || outcome == OpenOutcome::OpenedWithErrors);
        EXPECT_EQ(window.workingFileText(), QString::fromStdString(path.string()));
        EXPECT_TRUE(window.statusLine().startsWith("Total of ")) << window.statusLine().toStdString();
        EXPECT_TRUE(window.radioNameBox()->isEnabled());
        EXPECT_EQ(window.radioNameBox()->text(), "FIXTURE");
        EXPECT_EQ(window.radioIdBox()->text(), "1234567");
        QStringList shown;
        const QTableView* list = window.contactView();
        for (int column = 0; column < list->model()->columnCount(); ++column)
            if (!list->isColumnHidden(column))
                shown << list->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_EQ(shown, c.headings);
    }
}

TEST(MainWindow, RadioTypeListFollowsTheFormat)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    window.openFile(QString::fromStdString(test::writeFixture(dir.file("a.rdt"), Md2017Format).string()));
    EXPECT_EQ(window.radioTypeBox()->count(), 1);
    EXPECT_EQ(window.radioTypeBox()->currentText(), "MD-2017");
    EXPECT_FALSE(window.radioTypeBox()->isEnabled());
    window.openFile(QString::fromStdString(test::writeFixture(dir.file("b.rdt"), Md380Format).string()));
    EXPECT_EQ(window.radioTypeBox()->count(), 5);
    EXPECT_EQ(window.radioTypeBox()->currentIndex(), 2);
    EXPECT_TRUE(window.radioTypeBox()->isEnabled());
}

TEST(MainWindow, OpensRadioImagesAndReachesOtherToolsFilesThroughTheDataMenu)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    const auto vendorFile = test::readBytes(test::writeFixture(dir.file("a.rdt"), Md380Format));
    test::writeBytes(dir.file("a.img"), test::radioImageOf(vendorFile));
    window.openFile(QString::fromStdString(dir.file("a.img").string()));
    EXPECT_EQ(window.radioTypeBox()->count(), 1);
    EXPECT_EQ(window.radioTypeBox()->currentText(), "Unknown model (MD-380 family radio image)");
    EXPECT_FALSE(window.radioTypeBox()->isEnabled());

    QMenu* data = nullptr;
    for (auto* menu : window.menuBar()->findChildren<QMenu*>())
        if (menu->title() == "&Data")
            data = menu;
    ASSERT_NE(data, nullptr);
    QStringList texts;
    for (const QAction* action : data->actions())
        texts << action->text();
    for (const char* item : {"Export to qdmr...", "Import from qdmr...", "Export FM Channels to CHIRP...",
                             "Import FM Channels from CHIRP..."})
        EXPECT_TRUE(texts.contains(item)) << item;

    const int channels = window.document().codeplug.channels().count();
    std::ofstream(dir.file("fm.csv")) << "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                                          "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,"
                                          "RPT1CALL,RPT2CALL,DVCODE\n1,Added,439.1,,0,,88.5,88.5,023,NN,023,"
                                          "Tone->Tone,NFM,5.00,,5.0W,,,,,\n";
    prompts.choose(dir.file("fm.csv").string());
    for (QAction* action : data->actions())
        if (action->text() == "Import FM Channels from CHIRP...")
            action->trigger();
    EXPECT_EQ(window.document().codeplug.channels().count(), channels + 1);
    EXPECT_EQ(prompts.lastText(), "1 channels imported.");
    EXPECT_EQ(window.statusLine(), QString::fromStdString(statusText(window.document().codeplug)));
}

TEST(MainWindow, TypedIdentityIsStoredButFillingIsNot)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    window.openFile(QString::fromStdString(test::writeFixture(dir.file("a.rdt"), Md380Format).string()));
    EXPECT_FALSE(window.document().codeplug.changed());
    window.radioIdBox()->clear();
    QTest::keyClicks(window.radioIdBox(), "16777300");  // 16777216 + 84
    EXPECT_EQ(window.document().codeplug.radioDmrId(), 84u);
    window.radioNameBox()->selectAll();
    QTest::keyClicks(window.radioNameBox(), "PA3XYZ");
    EXPECT_EQ(window.document().codeplug.radioName(), "PA3XYZ");
    EXPECT_TRUE(window.document().codeplug.changed());
}

TEST(MainWindow, SaveAsToAnExistingFileAnsweredNoKeepsThePath)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    const auto path = QString::fromStdString(test::writeFixture(dir.file("a.rdt"), Md380Format).string());
    window.openFile(path);
    const auto other = dir.file("b.rdt");
    test::writeBytes(other, std::vector<std::uint8_t>{9});
    prompts.choose(other.string());
    prompts.answer(MessageAnswer::No);
    EXPECT_FALSE(window.saveAs());
    EXPECT_EQ(window.workingFileText(), path);
    EXPECT_EQ(test::readBytes(other), std::vector<std::uint8_t>{9});
}

// A save's success is told in the status bar, not in a box to dismiss; its failure keeps the box.
TEST(MainWindow, ASavedFileIsToldInTheStatusBar)
{
    TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    window.openFile(QString::fromStdString(test::writeFixture(dir.file("a.rdt"), Md380Format).string()));
    prompts.answer(MessageAnswer::Yes);  // it has no contacts: save it all the same
    ASSERT_EQ(window.save(), 1);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"This Codeplug has no contacts. Are you sure you want to save it?"});
    EXPECT_EQ(window.statusBar()->currentMessage(), "File successfully saved to disk.");

    window.document().path = dir.path().string();  // a folder cannot be written
    prompts.answer(MessageAnswer::Yes);
    EXPECT_EQ(window.save(), 0);
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Error);
    EXPECT_TRUE(prompts.lastText().starts_with("Unable to save file."));
}

TEST(MainWindow, TheSizeAndColumnsOfOneWindowAreTheNextOnes)
{
    ScriptedPrompts prompts;
    int nameWidth = 0;
    {
        MainWindow first(&prompts);
        first.show();
        first.resize(1010, 655);
        nameWidth = first.contactView()->columnWidth(2) + 33;
        first.contactView()->setColumnWidth(2, nameWidth);
        ASSERT_TRUE(first.close());
    }
    MainWindow second(&prompts);
    EXPECT_EQ(second.size(), QSize(1010, 655));
    EXPECT_EQ(second.contactView()->columnWidth(2), nameWidth);
    // The last column fills the list: no scroll bar for it.
    second.show();
    QApplication::processEvents();
    EXPECT_TRUE(second.contactView()->horizontalHeader()->stretchLastSection());
    EXPECT_FALSE(second.contactView()->horizontalScrollBar()->isVisible());
}

TEST(MainWindow, AboutNamesTheProgramItsLicenceAndReadmeAndNothingAsksForMoney)
{
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    QString shown;
    window.setDialogDriver([&](QDialog& dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(&dialog))
            shown = box->text();
    });
    window.showAbout();
    for (const char* part : {"Korvane Plugwright", PlugwrightVersion, "GNU General Public License", "README.md"})
        EXPECT_TRUE(shown.contains(QString::fromLatin1(part))) << part;
    for (const auto* button : window.findChildren<QPushButton*>())
        EXPECT_NE(button->text(), "Donate");
    for (const auto* label : window.findChildren<QLabel*>())
        EXPECT_NE(label->text(), "Support this Project");
    EXPECT_FALSE(shown.contains("donat", Qt::CaseInsensitive));
}

TEST(MainWindow, EnterAndEscapeDoNothing)
{
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    window.show();
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(window.radioNameBox(), Qt::Key_Enter);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(prompts.shown().empty());
}

} // namespace
} // namespace pw::ui
