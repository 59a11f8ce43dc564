// plugwright: the desktop program. `plugwright FILE` opens FILE at start.

#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plugwright"));
    pw::ui::MainWindow window;
    window.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        window.openFile(arguments.at(1));
    return QApplication::exec();
}
