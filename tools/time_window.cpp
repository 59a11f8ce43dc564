// SPDX-License-Identifier: GPL-3.0-or-later
// Times the desktop window on the largest D868 codeplug: 160,000 digital contacts, 10,000
// talkgroups and about 4,000 channels. Prints how long opening the file takes until the Contacts tab is
// drawn, how long a click on each heading that sorts takes until the sorted list is drawn, how
// long undoing a sort takes, and how long each key typed into the contact list's filter box takes
// until the filtered list is drawn: the focus coming to the box builds the filter's index, each key
// narrows the rows found; a Backspace widens the text again, and Escape shows every row.
//   time_window [ROUNDS]
// Targets on the project's machines: open and show under 2 s, sort and redraw under 1 s, a filter
// key and redraw under 100 ms.
// Runs on the offscreen platform or under Xvfb (scripts/time-window.sh).

#include "support/d868_fixture.h"
#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/list_filter_bar.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <vector>

namespace {

std::filesystem::path writeLargestFile(const pw::test::TempDir& dir)
{
    const auto path = dir.file("largest.dcf");
    pw::test::writeBytes(path, pw::test::buildD868Fixture(pw::test::largestD868Fixture()));
    return path;
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// One key pressed and released in `box`, as the keyboard delivers it.
void pressKey(QWidget* box, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &release);
}

int keyOf(QChar c)
{
    if (c.isDigit())
        return Qt::Key_0 + c.digitValue();
    if (c.isLetter())
        return Qt::Key_A + (c.toUpper().unicode() - 'A');
    return Qt::Key_Space;
}

// Types `text` into the contact list's filter box a key at a time, then a Backspace and Escape,
// each until the list is drawn; returns the times of the keys after the first.
std::vector<double> timeFilterKeys(pw::ui::MainWindow& window, const QString& text)
{
    QLineEdit* box = window.contactFilter()->box();
    // Coming to the box builds the filter's index, before the first key.
    const auto focused = std::chrono::steady_clock::now();
    window.activateWindow();
    box->setFocus();
    QApplication::processEvents();
    std::printf("  filter box focused, its index built %6.1f ms\n", millisecondsSince(focused));
    std::vector<double> later;
    const auto timeKey = [&](int key, const QString& typed, const char* what) {
        const auto start = std::chrono::steady_clock::now();
        pressKey(box, key, typed);
        window.grab();
        const double ms = millisecondsSince(start);
        std::printf("  filter %-22s %7d rows  %6.1f ms\n", what, window.contactView()->model()->rowCount(), ms);
        return ms;
    };
    for (int i = 0; i < text.size(); ++i) {
        const QString shown = QStringLiteral("\"%1\"").arg(text.left(i + 1));
        const double ms = timeKey(keyOf(text[i]), text.mid(i, 1), qPrintable(shown));
        if (i > 0)
            later.push_back(ms);
    }
    later.push_back(timeKey(Qt::Key_Backspace, {}, "Backspace"));
    later.push_back(timeKey(Qt::Key_Escape, {}, "Escape"));
    return later;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    pw::test::TempDir dir;
    const auto path = writeLargestFile(dir);
    for (int round = 1; round <= rounds; ++round) {
        pw::ScriptedPrompts prompts;
        pw::ui::MainWindow window(&prompts);
        window.resize(1000, 700);
        window.show();
        QApplication::processEvents();

        auto start = std::chrono::steady_clock::now();
        window.openFile(QString::fromStdString(path.string()));
        window.tabs()->setCurrentIndex(0);
        window.grab();  // draws the window as the screen would
        const double openMs = millisecondsSince(start);
        const int contacts = window.document().codeplug.contacts().count();

        std::printf("round %d: %d contacts, open and show %.0f ms\n", round, contacts, openMs);
        // Every heading that sorts, then an undo of the last sort; each until the list is drawn.
        const struct {
            int column;
            const char* heading;
        } headings[] = {{1, "DMR-MARC ID"}, {2, "Contact Name"}, {4, "Alert Tone"}};
        for (const auto& heading : headings) {
            start = std::chrono::steady_clock::now();
            emit window.contactView()->horizontalHeader()->sectionClicked(heading.column);
            window.grab();
            std::printf("  sort by %s and redraw %.0f ms\n", heading.heading, millisecondsSince(start));
        }
        start = std::chrono::steady_clock::now();
        window.undo();
        window.grab();
        std::printf("  undo of the last sort and redraw %.0f ms\n", millisecondsSince(start));
        // A name and number of one of the contacts: it matches "Operator 12345" and the ten from
        // "Operator 123450" on, after keys that each match tens of thousands.
        auto keys = timeFilterKeys(window, QStringLiteral("operator 12345"));
        std::sort(keys.begin(), keys.end());
        std::printf("  filter keys after the first: median %.1f ms, slowest %.1f ms\n", keys[keys.size() / 2],
                    keys.back());
        std::fflush(stdout);
    }
    return 0;
}
