// plugwright: the desktop program. `plugwright FILE` opens FILE at start.

#include "ui/main_window.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // Qt takes the user's locale for the C library too; codeplug frequencies and CSV files are
    // always written and read with a decimal point, whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Plugwright"));
    pw::ui::MainWindow window;
    window.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        window.openFile(arguments.at(1));
    return QApplication::exec();
}
