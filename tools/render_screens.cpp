// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window on each tab, and each dialog, to PNG files, for the README and for
// checking the layout:
//   render_screens CODEPLUG OUTDIR
// Runs on the offscreen platform or under Xvfb (scripts/screenshots.sh). Every dialog is opened
// the way a user opens it, drawn, and cancelled, so the codeplug is never changed.

#include "iddb/id_database.h"
#include "iddb/user_list_reader.h"
#include "support/id_users_generator.h"
#include "support/scripted_prompts.h"
#include "ui/id_fit_dialog.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableView>

#include <clocale>

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

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc != 3)
        return 2;
    pw::ScriptedPrompts prompts;
    pw::ui::MainWindow window(&prompts);
    window.resize(1200, 720);
    window.show();
    window.openFile(QString::fromLocal8Bit(argv[1]));
    QDir out(QString::fromLocal8Bit(argv[2]));
    out.mkpath(QStringLiteral("."));

    for (int i = 0; i < window.tabs()->count(); ++i) {
        window.tabs()->setCurrentIndex(i);
        settle();
        window.grab().save(out.filePath(QStringLiteral("main-%1.png").arg(fileNameFor(window.tabs()->tabText(i)))));
    }

    // Each dialog is drawn once under its title; the channel editor on both of its tabs, and the
    // searcher opens the export dialog from its own button.
    window.setDialogDriver([&](QDialog& dialog) {
        if (auto* fit = qobject_cast<pw::ui::IdFitDialog*>(&dialog))
            chooseMidwest(*fit);
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
    loadMadeUpUsers(window.idDatabase());
    window.openIdSearcher();
    window.tabs()->setCurrentIndex(2);
    if (auto* reorder = buttonWithText(window.tabs()->currentWidget(), QStringLiteral("Reorder... ")))
        reorder->click();
    return 0;
}
