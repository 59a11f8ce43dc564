// The contact editor and the channel editor, opened from the lists and the Edit menu.

#include "ui/main_window.h"

namespace pw::ui {

void MainWindow::addContact() {}

void MainWindow::editContact(int) {}

void MainWindow::addChannel() {}

void MainWindow::editChannel(int) {}

} // namespace pw::ui
