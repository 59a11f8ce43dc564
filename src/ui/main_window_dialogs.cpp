// The channel dialogs (mass change, zone wizard) and the ID database searcher, and the ID database
// the window owns for the whole run.

#include "ui/main_window.h"

#include "iddb/id_database.h"

namespace pw::ui {

void MainWindow::massChangeChannels() {}

void MainWindow::runZoneWizard() {}

void MainWindow::openIdSearcher() {}

void MainWindow::startIdDatabase()
{
    auto store = userSettingsStore();
    settings_ = ReadSettings(store);
}

void MainWindow::writeSettings()
{
    auto store = userSettingsStore();
    WriteSettings(store, settings_);
}

} // namespace pw::ui
