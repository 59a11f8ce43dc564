// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window on each tab, and each dialog, to PNG files, for the README and for
// checking the layout, at the window size of the README's pictures:
//   render_screens CODEPLUG OUTDIR
//   render_screens --largest FILTER OUTDIR
// The second form draws the Contacts tab of the largest D868 codeplug (170,000 contacts) with
// FILTER typed into its filter box, as main-contacts-filtered.png.
// Runs on the offscreen platform or under Xvfb (scripts/screenshots.sh). Every dialog is opened
// the way a user opens it, drawn, and cancelled, so the codeplug is never changed.

#include "iddb/id_database.h"
#include "iddb/user_list_reader.h"
#include "support/d868_fixture.h"
#include "support/fixture_builder.h"
#include "support/id_users_generator.h"
#include "support/network_lists_generator.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/id_fit_dialog.h"
#include "ui/list_filter_bar.h"
#include "ui/main_window.h"
#include "ui/repeater_dialog.h"
#include "ui/talkgroup_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <clocale>
#include <fstream>
#include <functional>

namespace {

void settle(int milliseconds = 50)
{
    QElapsedTimer timer;
    timer.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    } while (timer.elapsed() < milliseconds);
}

QString fileNameFor(const QString& title)
{
    QString name = title.toLower();
    for (QChar& c : name)
        if (!c.isLetterOrNumber())
            c = QLatin1Char('-');
    while (name.contains(QStringLiteral("--")))
        name.replace(QStringLiteral("--"), QStringLiteral("-"));
    return name;
}

QAbstractButton* buttonWithText(QWidget* parent, const QString& text)
{
    for (auto* button : parent->findChildren<QAbstractButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// A list of 300,000 made-up users, as big as the worldwide list, for the searcher and the "Fit to
// Radio" page.
void loadMadeUpUsers(pw::IdDatabase& database)
{
    database.WaitUntilDone();
    database.ReleaseFinishedThread();
    pw::IdRecordStore store;
    pw::UserListReader reader([&](const pw::IdRecordFields& fields, bool complete) {
        if (complete)
            store.append(fields);
        return true;
    });
    reader.feed(pw::test::generateUserListCsv(300000));
    reader.finish();
    database.LoadRecords(std::move(store), "Made-up list of 300,000 users.");
}

// The page as a user about to fill an MD-UV380 with the Midwest might leave it.
void chooseMidwest(pw::ui::IdFitDialog& fit)
{
    for (auto* list : {fit.countryList(), fit.stateList()})
        for (int row = 0; row < list->count(); ++row) {
            const QString name = list->item(row)->text();
            if (name.startsWith(QStringLiteral("United States")) || name.startsWith(QStringLiteral("Iowa"))
                || name.startsWith(QStringLiteral("Missouri")) || name.startsWith(QStringLiteral("Minnesota")))
                list->item(row)->setCheckState(Qt::Checked);
        }
    fit.callsignPrefixBox()->setText(QStringLiteral("K0 W0 KC0"));
    fit.nearBox()->setText(QStringLiteral("1300000"));
}

// Made-up lists of the networks, as files a user downloaded: 2,000 talkgroups and 300 repeaters.
struct NetworkListFiles {
    QTemporaryDir dir;
    std::string talkgroups = dir.filePath(QStringLiteral("talkgroups.json")).toStdString();
    std::string repeaters = dir.filePath(QStringLiteral("repeaters.json")).toStdString();

    NetworkListFiles()
    {
        std::ofstream(talkgroups, std::ios::binary) << pw::test::talkgroupJson(pw::test::generateTalkgroups(2000));
        const auto list = pw::test::generateRepeaters(300);
        std::ofstream(repeaters, std::ios::binary) << pw::test::repeaterPageJson(list, 1, 1, list.size());
    }
};

// Loads a list file into a network dialog with its "Load from File..." button, as a user does,
// once the download the dialog may have started has ended.
void loadListFile(QDialog& dialog, pw::ScriptedPrompts& prompts, const std::string& path,
                  const std::function<bool()>& loading)
{
    while (loading())
        settle(20);
    prompts.choose(path);
    dialog.findChild<QAbstractButton*>(QStringLiteral("loadFileButton"))->click();
    do
        settle(20);
    while (loading());
}

// A user naming the worldwide, national and US state talkgroups into an RX group list.
void chooseTalkgroups(pw::ui::TalkgroupDialog& dialog, pw::ScriptedPrompts& prompts, const NetworkListFiles& files)
{
    loadListFile(dialog, prompts, files.talkgroups, [&] { return dialog.loading(); });
    dialog.findChild<QLineEdit*>(QStringLiteral("numbers"))->setText(QStringLiteral("91,262,2621,3100-3199"));
    dialog.findChild<QCheckBox*>(QStringLiteral("useRxGroupList"))->setChecked(true);
    dialog.findChild<QLineEdit*>(QStringLiteral("rxGroupListName"))->setText(QStringLiteral("Favourites"));
}

// A user about to travel to Bavaria, with a scan list.
void chooseRepeaters(pw::ui::RepeaterDialog& dialog, pw::ScriptedPrompts& prompts, const NetworkListFiles& files)
{
    loadListFile(dialog, prompts, files.repeaters, [&] { return dialog.loading(); });
    dialog.findChild<QLineEdit*>(QStringLiteral("country"))->setText(QStringLiteral("Germany"));
    dialog.findChild<QLineEdit*>(QStringLiteral("state"))->setText(QStringLiteral("Bayern"));
    dialog.findChild<QCheckBox*>(QStringLiteral("scanList"))->setChecked(true);
}

// The README's pictures are of this size.
constexpr int Width = 1400;
constexpr int Height = 950;

// The Contacts tab of the largest D868 codeplug, `filter` typed into its filter box.
int drawLargestFiltered(const QString& filter, QDir& out)
{
    pw::test::TempDir dir;
    const auto path = dir.file("largest.dcf");
    pw::test::writeBytes(path, pw::test::buildD868Fixture(pw::test::largestD868Fixture()));
    pw::ScriptedPrompts prompts;
    pw::ui::MainWindow window(&prompts);
    window.resize(Width, Height);
    window.show();
    window.openFile(QString::fromStdString(path.string()));
    window.tabs()->setCurrentIndex(0);
    window.contactFilter()->box()->setText(filter);
    settle();
    return window.grab().save(out.filePath(QStringLiteral("main-contacts-filtered.png"))) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc != 3 && !(argc == 4 && QLatin1String(argv[1]) == QLatin1String("--largest")))
        return 2;
    QDir out(QString::fromLocal8Bit(argv[argc - 1]));
    out.mkpath(QStringLiteral("."));
    if (argc == 4)
        return drawLargestFiltered(QString::fromLocal8Bit(argv[2]), out);
    pw::ScriptedPrompts prompts;
    pw::ui::MainWindow window(&prompts);
    window.resize(Width, Height);
    window.show();
    window.openFile(QString::fromLocal8Bit(argv[1]));

    for (int i = 0; i < window.tabs()->count(); ++i) {
        window.tabs()->setCurrentIndex(i);
        settle();
        window.grab().save(out.filePath(QStringLiteral("main-%1.png").arg(fileNameFor(window.tabs()->tabText(i)))));
    }

    // Each dialog is drawn once under its title; the channel editor on both of its tabs, and the
    // searcher opens the export dialog from its own button.
    const NetworkListFiles networkLists;
    window.setDialogDriver([&](QDialog& dialog) {
        if (auto* fit = qobject_cast<pw::ui::IdFitDialog*>(&dialog))
            chooseMidwest(*fit);
        if (auto* talkgroups = qobject_cast<pw::ui::TalkgroupDialog*>(&dialog))
            chooseTalkgroups(*talkgroups, prompts, networkLists);
        if (auto* repeaters = qobject_cast<pw::ui::RepeaterDialog*>(&dialog))
            chooseRepeaters(*repeaters, prompts, networkLists);
        settle(150);
        const QString name = fileNameFor(dialog.windowTitle());
        dialog.grab().save(out.filePath(QStringLiteral("dialog-%1.png").arg(name)));
        if (auto* modes = dialog.findChild<QTabWidget*>()) {
            for (int i = 1; i < modes->count(); ++i) {
                modes->setCurrentIndex(i);
                settle();
                dialog.grab().save(
                    out.filePath(QStringLiteral("dialog-%1-%2.png").arg(name, fileNameFor(modes->tabText(i)))));
            }
        }
        if (auto* exportButton = buttonWithText(&dialog, QStringLiteral("Export as CSV...")))
            exportButton->click();
        if (auto* fitButton = buttonWithText(&dialog, QStringLiteral("Fit to Radio...")))
            fitButton->click();
        dialog.reject();
    });
    window.tabs()->setCurrentIndex(0);
    window.selectContactRow(0);
    window.editContact(0);
    window.tabs()->setCurrentIndex(1);
    window.selectChannelRow(0);
    window.editChannel(0);
    window.channelView()->selectAll();
    window.massChangeChannels();
    window.runZoneWizard();
    window.openTalkgroupAdder();
    window.openRepeaterAdder();
    loadMadeUpUsers(window.idDatabase());
    window.openIdSearcher();
    window.tabs()->setCurrentIndex(2);
    if (auto* reorder = buttonWithText(window.tabs()->currentWidget(), QStringLiteral("Reorder... ")))
        reorder->click();
    return 0;
}
