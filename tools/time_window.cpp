// SPDX-License-Identifier: GPL-3.0-or-later
// Times the desktop window on the largest D868 codeplug: 160,000 digital contacts, 10,000
// talkgroups and about 4,000 channels. Prints how long opening the file takes until the Contacts tab is
// drawn, how long a click on each heading that sorts takes until the sorted list is drawn, and
// how long undoing a sort takes.
//   time_window [ROUNDS]
// Targets on the project's machines: open and show under 2 s, sort and redraw under 1 s.
// Runs on the offscreen platform or under Xvfb (scripts/time-window.sh).

#include "support/scripted_prompts.h"
#include "support/d868_fixture.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QHeaderView>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>

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
        std::fflush(stdout);
    }
    return 0;
}
