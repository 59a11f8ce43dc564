// Times the desktop window on the largest D868 codeplug: 160,000 digital contacts, 10,000
// talkgroups and 2,000 channels. Prints how long opening the file takes until the Contacts tab is
// drawn, and how long a click on the "Contact Name" heading takes until the sorted list is drawn.
//   time_window [ROUNDS]
// Targets on the project's machines: open and show under 2 s, sort and redraw under 1 s.
// Runs on the offscreen platform or under Xvfb (scripts/time-window.sh).

#include "platform/scripted_prompts.h"
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
#include <string>

namespace {

std::filesystem::path writeLargestFile(const pw::test::TempDir& dir)
{
    pw::test::D868Fixture f;
    f.channels.clear();
    for (int c = 1; c <= 2000; ++c) {
        pw::test::D868FixtureChannel channel;
        channel.recordNumber = c;
        channel.name = "Channel " + std::to_string(c);
        channel.rxMhz = 430.0 + c * 0.0125;
        channel.digital = c % 2 == 0;
        channel.contact = static_cast<std::uint32_t>(c % 10000);
        f.channels.push_back(channel);
    }
    for (std::uint32_t t = 1; t <= 10000; ++t) {
        pw::test::D868FixtureContact talkgroup;
        talkgroup.recordNumber = t;
        talkgroup.dmrId = 90000 + t;
        talkgroup.name = "Talkgroup " + std::to_string(t);
        talkgroup.callType = 1;
        f.talkgroups.push_back(talkgroup);
    }
    // Names in an order unlike the ID order, so the sort has work to do.
    for (std::uint32_t d = 1; d <= 160000; ++d) {
        pw::test::D868FixtureContact person;
        person.recordNumber = d;
        person.dmrId = 1000000 + d;
        person.name = "Operator " + std::to_string((d * 7919u) % 160000u);
        person.callsign = "K" + std::to_string(d % 100000);
        person.city = "Springfield";
        person.state = "Illinois";
        person.country = "United States";
        person.callType = 0;
        f.digitalContacts.push_back(person);
    }
    const auto path = dir.file("largest.dcf");
    pw::test::writeBytes(path, pw::test::buildD868Fixture(f));
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

        start = std::chrono::steady_clock::now();
        emit window.contactView()->horizontalHeader()->sectionClicked(2);  // "Contact Name"
        window.grab();
        const double sortMs = millisecondsSince(start);
        std::printf("round %d: %d contacts, open and show %.0f ms, sort by name and redraw %.0f ms\n", round,
                    contacts, openMs, sortMs);
        std::fflush(stdout);
    }
    return 0;
}
