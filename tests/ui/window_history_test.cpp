// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo through the window, the title, the usual keys, the focus rule of Ctrl+C and Ctrl+V,
// lists refreshed before a command's report, the zones drop-down, and the backup of the first save.

#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"
#include "ui/channel_editor_dialog.h"
#include "ui/contact_editor_dialog.h"
#include "ui/main_window.h"
#include "ui/ui_test_support.h"
#include "ui/window_settings.h"
#include "ui/zones_tab.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace pw::ui {
namespace {

using test::TempDir;

QString pathText(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::filesystem::path clubFile(const std::filesystem::path& path)
{
    test::TytFixture fixture(Md380Format);
    const int talkgroup = fixture.addContact(91, "WORLDWIDE");
    fixture.addContact(3100, "USA");
    const int hotspot = fixture.addChannel(test::tytDigitalChannel(Md380Format, "HOTSPOT", 438.8, talkgroup));
    const int repeater = fixture.addChannel(test::tytDigitalChannel(Md380Format, "REPEATER", 442.1, talkgroup));
    fixture.addChannel(test::tytAnalogChannel(Md380Format, "CALLING", 146.52));
    fixture.addZone("HOME", {hotspot, repeater});
    fixture.addZone("AWAY", {repeater});
    fixture.addZone("CAR", {hotspot});
    return fixture.write(path);
}

QAction* menuAction(MainWindow& window, const QString& text)
{
    for (QAction* action : window.menuBar()->findChildren<QAction*>())
        if (action->text() == text)
            return action;
    return nullptr;
}

class WindowHistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_.show();
        // The keys of the lists reach them only in the active window.
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        ASSERT_EQ(window_.openFile(pathText(clubFile(path_))), OpenOutcome::Opened);
    }
    std::vector<std::uint8_t> bytes() { return *window_.document().codeplug.fileBytes(); }

    TempDir dir_;
    std::filesystem::path path_ = dir_.file("club.rdt");
    ScriptedPrompts prompts_;
    MainWindow window_{&prompts_};
};

// Each change is undone to the bytes a save would have written before it, and redone to those
// after it; the changed flag follows the way back to the opened file.
TEST_F(WindowHistoryTest, EveryKindOfChangeIsUndoneToTheBytesBeforeIt)
{
    const struct {
        const char* label;
        std::function<void(MainWindow&, ScriptedPrompts&)> change;
    } cases[] = {
        {"Edit Channel", [](MainWindow& w, ScriptedPrompts&) {
             w.setDialogDriver([](QDialog& dialog) {
                 control<QLineEdit>(dialog, "channelName")->setText("RENAMED");
                 click(dialog, "saveChanges");
             });
             w.editChannel(0);
         }},
        {"Delete Contacts", [](MainWindow& w, ScriptedPrompts& p) {
             w.tabs()->setCurrentIndex(0);
             w.selectContactRow(1);
             p.answer(MessageAnswer::Yes);
             w.contactView()->setFocus();
             QTest::keyClick(w.contactView(), Qt::Key_Delete);
         }},
        {"Paste", [](MainWindow& w, ScriptedPrompts&) {
             QApplication::clipboard()->setText(QStringLiteral(
                 "dmr-contact\r\n\"3101\",\"USA 2\",\"Group Call\",\"No\",\"\",\"\",\"\",\"\",\"\"\r\n"));
             w.paste();
         }},
        {"Mass Change", [](MainWindow& w, ScriptedPrompts&) {
             w.tabs()->setCurrentIndex(1);
             w.selectChannelRow(1);
             w.setDialogDriver([](QDialog& dialog) {
                 control<QCheckBox>(dialog, "prependBox")->setChecked(true);
                 control<QLineEdit>(dialog, "nameText")->setText("X");
                 click(dialog, "commitButton");
             });
             w.massChangeChannels();
         }},
        {"Sort Contacts", [](MainWindow& w, ScriptedPrompts&) {
             emit w.contactView()->horizontalHeader()->sectionClicked(2);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        auto& codeplug = window_.document().codeplug;
        const auto before = bytes();
        const bool changedBefore = codeplug.changed();
        c.change(window_, prompts_);
        const auto after = bytes();
        ASSERT_NE(after, before);
        EXPECT_TRUE(codeplug.changed());
        EXPECT_EQ(window_.undoAction()->text(), QStringLiteral("&Undo %1").arg(QString::fromLatin1(c.label)));
        EXPECT_TRUE(window_.windowTitle().startsWith("club.rdt* - "));

        window_.undo();
        EXPECT_EQ(bytes(), before);
        EXPECT_EQ(codeplug.changed(), changedBefore);
        EXPECT_EQ(window_.redoAction()->text(), QStringLiteral("&Redo %1").arg(QString::fromLatin1(c.label)));
        window_.redo();
        EXPECT_EQ(bytes(), after);
        EXPECT_TRUE(codeplug.changed());
    }
    // All the way back is the file as opened, and unchanged.
    while (window_.history().canUndo())
        window_.undo();
    EXPECT_FALSE(window_.document().codeplug.changed());
    EXPECT_TRUE(window_.windowTitle().startsWith("club.rdt - "));
    EXPECT_EQ(window_.statusLine(), "Total of 2 contacts and 3 channels in Codeplug");
}

TEST_F(WindowHistoryTest, SortShowsItsIndicatorAndASaveMovesTheUnchangedPoint)
{
    auto* header = window_.contactView()->horizontalHeader();
    emit header->sectionClicked(2);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 2);
    // "Contact Type" does not sort: the indicator stays where the order comes from.
    emit header->sectionClicked(3);
    EXPECT_EQ(header->sortIndicatorSection(), 2);

    ASSERT_TRUE(window_.save());
    EXPECT_FALSE(window_.document().codeplug.changed());
    window_.undo();
    EXPECT_TRUE(window_.document().codeplug.changed());
    EXPECT_FALSE(header->isSortIndicatorShown());
    window_.redo();
    EXPECT_FALSE(window_.document().codeplug.changed());
}

TEST_F(WindowHistoryTest, ASecondClickSortsTheOtherWayAndUndoRestoresEachOrder)
{
    window_.tabs()->setCurrentIndex(1);
    auto* header = window_.channelView()->horizontalHeader();
    const auto names = [this] {
        QStringList shown;
        for (int row = 0; row < window_.channelView()->model()->rowCount(); ++row)
            shown << window_.channelView()->model()->index(row, 1).data().toString();
        return shown;
    };
    const QStringList opened = names();
    const QStringList ascending{"CALLING", "HOTSPOT", "REPEATER"};
    const QStringList descending{"REPEATER", "HOTSPOT", "CALLING"};
    emit header->sectionClicked(1);
    EXPECT_EQ(names(), ascending);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    emit header->sectionClicked(1);
    EXPECT_EQ(names(), descending);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(window_.undoAction()->text(), "&Undo Sort Channels");
    window_.undo();
    EXPECT_EQ(names(), ascending);
    window_.undo();
    EXPECT_EQ(names(), opened);
    // After an undo the next click sorts ascending again.
    emit header->sectionClicked(1);
    EXPECT_EQ(names(), ascending);
}

TEST_F(WindowHistoryTest, TheListHasTheFocusAfterAnOpenAndEnterOrF2EditsItsRow)
{
    EXPECT_EQ(QApplication::focusWidget(), window_.contactView());
    QStringList opened;
    window_.setDialogDriver([&](QDialog& dialog) {
        const QLineEdit* name = nullptr;
        if (const auto* contact = qobject_cast<ContactEditorDialog*>(&dialog))
            name = contact->nameBox();
        else if (const auto* channel = qobject_cast<ChannelEditorDialog*>(&dialog))
            name = channel->nameBox();
        opened << dialog.windowTitle() + ": " + (name ? name->text() : QString());
        dialog.reject();
    });
    window_.selectContactRow(1);
    QTest::keyClick(window_.contactView(), Qt::Key_Return);
    QTest::keyClick(window_.contactView(), Qt::Key_F2);
    window_.tabs()->setCurrentIndex(1);
    window_.selectChannelRow(2);
    window_.channelView()->setFocus();
    QTest::keyClick(window_.channelView(), Qt::Key_Enter);
    EXPECT_EQ(opened, (QStringList{"Add / Edit Contact: USA", "Add / Edit Contact: USA", "Channel Editor: CALLING"}));
}

TEST_F(WindowHistoryTest, APathGivenRelativeIsShownWhole)
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(pathText(dir_.path()));
    window_.openFile(QStringLiteral("club.rdt"));
    QDir::setCurrent(before);
    EXPECT_EQ(window_.workingFileText(), QFileInfo(pathText(path_)).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(window_.workingFileText()).isAbsolute());
}

TEST_F(WindowHistoryTest, ColumnsFitLongNamesAndIdsAndKeepTheUsersWidths)
{
    QTableView* contacts = window_.contactView();
    QTableView* channels = window_.channelView();
    const QFontMetrics metrics(contacts->font());
    const struct {
        QTableView* view;
        int column;
        const char* text;
    } widest[] = {
        {contacts, 1, "16777215"},         {contacts, 2, "USA NATIONWIDE 1"}, {channels, 1, "BFL SIMPLEX DMR1"},
        {channels, 2, "446.00000"},        {channels, 5, "446.00000"},        {channels, 10, "USA NATIONWIDE 1"},
    };
    for (const auto& w : widest)
        EXPECT_GE(w.view->columnWidth(w.column), metrics.horizontalAdvance(QString::fromLatin1(w.text))) << w.text;
    EXPECT_TRUE(contacts->horizontalHeader()->stretchLastSection());

    // A width the user gives a column is there again in the next window.
    const int original = contacts->columnWidth(2);
    contacts->setColumnWidth(2, original + 40);
    ScriptedPrompts prompts;
    MainWindow next(&prompts);
    EXPECT_EQ(next.contactView()->columnWidth(2), original + 40);
    contacts->setColumnWidth(2, original);
}

TEST_F(WindowHistoryTest, ACodeplugDroppedOnTheWindowOpens)
{
    const auto other = test::writeFixture(dir_.file("other.rdt"), Md380Format);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(pathText(other))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window_, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window_, &drop);
    EXPECT_EQ(window_.workingFileText(), pathText(other));
    EXPECT_TRUE(window_.windowTitle().startsWith("other.rdt - "));
}

TEST_F(WindowHistoryTest, MenusCarryTheUsualKeys)
{
    const struct {
        const char* text;
        QKeySequence key;
    } bindings[] = {
        {"Open Codeplug...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Save Codeplug", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"Save As...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"Save As...", QKeySequence(Qt::Key_F12)},
        {"E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"&Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
    };
    window_.undo();  // nothing to undo: the entries carry their plain names
    for (const auto& binding : bindings) {
        SCOPED_TRACE(binding.text);
        QAction* action = menuAction(window_, QString::fromLatin1(binding.text));
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(action->shortcuts().contains(binding.key));
    }
    ASSERT_FALSE(window_.recentFiles().isEmpty());
    EXPECT_EQ(window_.recentFiles().first(), QFileInfo(pathText(path_)).absoluteFilePath());
}

// In a text box Ctrl+C and Ctrl+V edit its text; in a list they copy and paste records.
TEST_F(WindowHistoryTest, CopyAndPasteKeysFollowTheFocus)
{
    QApplication::clipboard()->setText(QStringLiteral("MYRADIO"));
    window_.radioNameBox()->setFocus();
    window_.radioNameBox()->clear();
    QTest::keyClick(window_.radioNameBox(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window_.radioNameBox()->text(), "MYRADIO");
    EXPECT_TRUE(prompts_.shown().empty());
    EXPECT_EQ(window_.document().codeplug.radioName(), std::optional<std::string>("MYRADIO"));

    window_.tabs()->setCurrentIndex(0);
    window_.selectContactRow(1);
    window_.contactView()->setFocus();
    QTest::keyClick(window_.contactView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("DMR-CONTACT"));
}

TEST_F(WindowHistoryTest, ImportedListsStandBeforeTheReportIsRead)
{
    const auto csv = dir_.file("more.csv");
    std::ofstream(csv) << "\"3200\",\"TEXAS\",\"Group Call\",\"No\"\r\n\"3300\",\"OHIO\",\"Group Call\",\"No\"\r\n";
    QString statusUnderTheBox;
    int rowsUnderTheBox = 0;
    struct Watched final : Prompts {
        ScriptedPrompts& script;
        std::function<void()> onReport;
        explicit Watched(ScriptedPrompts& s) : script(s) {}
        MessageAnswer message(MessageIcon i, MessageButtons b, std::string_view t, std::string_view title) override
        {
            if (b == MessageButtons::Ok && onReport)
                onReport();
            return script.message(i, b, t, title);
        }
        std::optional<std::string> inputBox(std::string_view a, std::string_view b, std::size_t c,
                                            std::string_view d) override
        {
            return script.inputBox(a, b, c, d);
        }
        std::optional<std::string> chooseFile(const FileChooserRequest& r) override { return script.chooseFile(r); }
        void setBusy(bool busy) override { script.setBusy(busy); }
    };
    Watched watched(prompts_);
    MainWindow window(&watched);
    ASSERT_EQ(window.openFile(pathText(path_)), OpenOutcome::Opened);
    watched.onReport = [&] {
        statusUnderTheBox = window.statusLine();
        rowsUnderTheBox = window.contactView()->model()->rowCount();
    };
    prompts_.choose(csv.string());
    QAction* import = nullptr;
    for (QAction* action : window.menuBar()->findChildren<QAction*>())
        if (action->text() == "Import Contacts from CSV...")
            import = action;
    ASSERT_NE(import, nullptr);
    import->trigger();
    ASSERT_EQ(window.document().codeplug.contacts().count(), 4) << prompts_.lastText();
    EXPECT_EQ(statusUnderTheBox, "Total of 4 contacts and 3 channels in Codeplug");
    EXPECT_EQ(rowsUnderTheBox, 4);
}

TEST_F(WindowHistoryTest, ZonesAreChosenFromTheDropDown)
{
    auto* zones = window_.findChild<ZonesTab*>();
    ASSERT_NE(zones, nullptr);
    QComboBox* choice = zones->zoneChoice();
    ASSERT_EQ(choice->count(), 3);
    EXPECT_EQ(choice->itemText(0), "1 of 3: HOME");
    EXPECT_EQ(choice->currentIndex(), 0);
    choice->setCurrentIndex(2);
    emit choice->activated(2);
    EXPECT_EQ(zones->nameBox()->text(), "CAR");
    EXPECT_EQ(window_.listTabState().currentZone, 2);
    zones->button("Previous Group")->click();
    EXPECT_EQ(choice->currentIndex(), 1);
}

TEST_F(WindowHistoryTest, TheFirstSaveKeepsTheOpenedFileAsABackup)
{
    std::ifstream original(path_, std::ios::binary);
    const std::vector<char> opened{std::istreambuf_iterator<char>(original), {}};
    window_.document().codeplug.setRadioName("FIRST");
    ASSERT_TRUE(window_.save());
    const auto backup = std::filesystem::path(path_.string() + ".bak");
    std::ifstream kept(backup, std::ios::binary);
    EXPECT_EQ((std::vector<char>{std::istreambuf_iterator<char>(kept), {}}), opened);
    // Later saves leave that backup alone.
    window_.document().codeplug.setRadioName("SECOND");
    ASSERT_TRUE(window_.save());
    std::ifstream keptStill(backup, std::ios::binary);
    EXPECT_EQ((std::vector<char>{std::istreambuf_iterator<char>(keptStill), {}}), opened);

    setBackupOnSave(false);
    std::filesystem::remove(backup);
    ASSERT_EQ(window_.openFile(pathText(path_)), OpenOutcome::Opened);
    window_.document().codeplug.setRadioName("THIRD");
    ASSERT_TRUE(window_.save());
    EXPECT_FALSE(std::filesystem::exists(backup));
    setBackupOnSave(true);
}

} // namespace
} // namespace pw::ui
