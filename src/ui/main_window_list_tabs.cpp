// The Zones, Scan Lists and Rx Groups tabs.

#include "ui/main_window.h"

namespace pw::ui {

void MainWindow::buildListTabs() {}

void MainWindow::refillListTabs(TabList) {}

void MainWindow::applyResult(const CommandResult&) {}

} // namespace pw::ui
