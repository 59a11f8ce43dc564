// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"
#include "support/scripted_prompts.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

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

TEST(MainWindow, OpensEachFamilyWithItsTabsAndStatus)
{
    TempDir dir;
    const struct {
        FormatId format;
        int tabs;
    } cases[] = {{Md380Format, 6}, {Md9600Format, 6}, {RdbV2Format, 6}, {D868Format, 6}};
    for (const auto& c : cases) {
        ScriptedPrompts prompts;
        MainWindow window(&prompts);
        const auto path = test::writeFixture(dir.file("plug"), c.format);
        const auto outcome = window.openFile(QString::fromStdString(path.string()));
        EXPECT_TRUE(outcome == OpenOutcome::Opened || outcome == OpenOutcome::OpenedWithErrors);
        EXPECT_EQ(window.workingFileText(), QString::fromStdString(path.string()));
        EXPECT_TRUE(window.statusLine().startsWith("Total of ")) << window.statusLine().toStdString();
        EXPECT_TRUE(window.radioNameBox()->isEnabled());
        EXPECT_EQ(window.radioNameBox()->text(), "FIXTURE");
        EXPECT_EQ(window.radioIdBox()->text(), "1234567");
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
    EXPECT_EQ(window.saveAs(), 0);
    EXPECT_EQ(window.workingFileText(), path);
    EXPECT_EQ(test::readBytes(other), std::vector<std::uint8_t>{9});
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
