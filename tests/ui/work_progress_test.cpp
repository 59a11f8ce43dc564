// SPDX-License-Identifier: GPL-3.0-or-later
// Long work in the window shows a window-modal bar without a cancel button, closed before the
// work's report; the window ends as it would without the bar.

#include "ui/main_window.h"
#include "operations/contact_transfer.h"
#include "operations/transfer_fixture.h"
#include "ui/ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace pw::ui {
namespace {

using test::TempDir;
using namespace std::chrono_literals;

constexpr int Contacts = 3000;

// Notes every progress dialog shown, and whether one was still up when a message box opened.
class ProgressWatch final : public QObject {
public:
    ProgressWatch() { qApp->installEventFilter(this); }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<QProgressDialog*>(watched))
                shown.push_back({dialog->labelText(), dialog->windowModality(),
                                 qobject_cast<MainWindow*>(dialog->parentWidget()) != nullptr,
                                 dialog->findChildren<QPushButton*>().isEmpty()});
        return false;
    }
    static bool anyVisible()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog*>(widget) && widget->isVisible())
                return true;
        return false;
    }

    struct Shown {
        QString label;
        Qt::WindowModality modality;
        bool overTheWindow;
        bool withoutButtons;
    };
    std::vector<Shown> shown;
};

// A D868 codeplug, and a CSV file of many new contacts in no order.
struct Files {
    std::filesystem::path codeplug;
    std::filesystem::path csv;
};

Files writeFiles(const TempDir& dir)
{
    Files files{test::writeFixture(dir.file("club.rdt"), D868Format), dir.file("contacts.csv")};
    auto plug = test::openEmpty(dir, D868Format, "build");
    for (int i = 0; i < Contacts; ++i) {
        const int key = (i * 7919) % Contacts;
        plug->addContact(test::makeContact(D868Format, 2000000 + static_cast<std::uint32_t>(key),
                                           "Member " + std::to_string(key)));
    }
    test::writeText(files.csv, contactsCsvText(*plug));
    return files;
}

QAction* menuAction(MainWindow& window, const QString& text)
{
    for (QAction* action : window.menuBar()->findChildren<QAction*>())
        if (action->text() == text)
            return action;
    return nullptr;
}

struct WindowRun {
    std::vector<ProgressWatch::Shown> shown;
    bool progressUnderAMessage;
    std::vector<std::string> messages;
    QString status;
    QString firstRow;
    std::optional<std::vector<std::uint8_t>> bytes;
};

// Imports the CSV file through the Data menu and sorts the contacts by name with the heading, in a
// window whose bar waits `delay`.
WindowRun importAndSort(const Files& files, std::chrono::milliseconds delay)
{
    WatchedPrompts prompts;
    bool progressUnderAMessage = false;
    prompts.onMessage = [&](std::string_view) {
        progressUnderAMessage = progressUnderAMessage || ProgressWatch::anyVisible();
    };
    MainWindow window(&prompts);
    window.setProgressDelay(delay);
    window.show();
    EXPECT_EQ(window.openFile(QString::fromStdString(files.codeplug.string())), OpenOutcome::Opened);
    ProgressWatch watch;
    prompts.script.choose(files.csv.string());
    QAction* import = menuAction(window, QStringLiteral("Import Contacts from CSV..."));
    EXPECT_NE(import, nullptr);
    if (import)
        import->trigger();
    emit window.contactView()->horizontalHeader()->sectionClicked(2);

    WindowRun run{watch.shown, progressUnderAMessage, {}, window.statusLine(),
                  window.contactView()->model()->index(0, 2).data().toString(), window.document().codeplug.fileBytes()};
    for (const auto& shown : prompts.script.shown())
        run.messages.push_back(shown.text);
    return run;
}

TEST(WorkProgress, LongWorkShowsAModalBarAndEndsAsWithoutIt)
{
    TempDir dir;
    const auto files = writeFiles(dir);
    const auto withBar = importAndSort(files, 0ms);
    // An hour: no bar at all.
    const auto withoutBar = importAndSort(files, 1h);

    ASSERT_EQ(withBar.shown.size(), 2u);
    EXPECT_EQ(withBar.shown[0].label, "Importing contacts...");
    EXPECT_EQ(withBar.shown[1].label, "Sorting...");
    for (const auto& shown : withBar.shown) {
        EXPECT_EQ(shown.modality, Qt::WindowModal);
        EXPECT_TRUE(shown.overTheWindow);
        EXPECT_TRUE(shown.withoutButtons);
    }
    EXPECT_FALSE(withBar.progressUnderAMessage);
    EXPECT_FALSE(ProgressWatch::anyVisible());
    EXPECT_TRUE(withoutBar.shown.empty());

    EXPECT_EQ(withBar.messages, withoutBar.messages);
    ASSERT_FALSE(withBar.messages.empty());
    EXPECT_EQ(withBar.messages.front(), std::to_string(Contacts) + " contacts imported.");
    EXPECT_EQ(withBar.status, withoutBar.status);
    EXPECT_EQ(withBar.firstRow, withoutBar.firstRow);
    EXPECT_EQ(withBar.bytes, withoutBar.bytes);
}

} // namespace
} // namespace pw::ui
