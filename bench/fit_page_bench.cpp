// SPDX-License-Identifier: GPL-3.0-or-later
// The "Fit to Radio" page on a generated list of 300,000 users and an MD-UV380 codeplug: the time
// from a change of a filter (a country checked or unchecked, a callsign prefix typed) until the page
// shows the new count, its notes and the preview's rows. The aim is 100 ms.
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise; from a Release build
// configured with -DPLUGWRIGHT_BUILD_BENCH=ON.

#include "codeplug/codeplug.h"
#include "iddb/id_database.h"
#include "support/scripted_prompts.h"
#include "support/fixture_builder.h"
#include "support/id_users_generator.h"
#include "support/temp_dir.h"
#include "ui/id_fit_dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>

namespace {

struct Page {
    pw::test::TempDir dir;
    pw::IdDatabase database;
    pw::Codeplug codeplug;
    pw::ScriptedPrompts prompts;
    std::unique_ptr<pw::ui::IdFitDialog> dialog;

    Page()
    {
        const auto list = dir.file("user.csv");
        std::ofstream(list, std::ios::binary) << pw::test::generateUserListCsv(300000);
        database.StartFileLoad(list);
        database.WaitUntilDone();
        codeplug.open(pw::test::writeFixture(dir.file("plug.rdt"), pw::Md2017Format));
        codeplug.decode();
        dialog = std::make_unique<pw::ui::IdFitDialog>(database, &codeplug, prompts, "%C %F");
        dialog->show();
        QApplication::processEvents();
    }

    // The count with its notes: a selection cut at the codeplug's free rows counts the same
    // before and after many a change, and only the notes tell how many more qualified.
    QString countAndNotes() const { return dialog->countText() + '\n' + dialog->notesText(); }

    // Lets the page react to a change until its count or notes say something else, and draw
    // itself.
    void waitForNewCount(const QString& before)
    {
        while (countAndNotes() == before)
            QApplication::processEvents();
        QApplication::processEvents();
    }
};

Page& page()
{
    static Page shown;
    return shown;
}

void CountryToggled(benchmark::State& state)
{
    auto& p = page();
    auto* countries = p.dialog->countryList();
    auto* item = countries->item(countries->count() - 1);
    for (auto _ : state) {
        const QString before = p.countAndNotes();
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        p.waitForNewCount(before);
    }
    state.SetLabel(p.dialog->countText().toStdString());
}

void CallsignPrefixTyped(benchmark::State& state)
{
    auto& p = page();
    auto* prefixes = p.dialog->callsignPrefixBox();
    for (auto _ : state) {
        const QString before = p.countAndNotes();
        // From what the box holds, which the last run may have left either way.
        prefixes->setText(prefixes->text() == QStringLiteral("K") ? QStringLiteral("K0 W") : QStringLiteral("K"));
        p.waitForNewCount(before);
    }
    state.SetLabel(p.dialog->countText().toStdString());
}

} // namespace

BENCHMARK(CountryToggled)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CallsignPrefixTyped)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
