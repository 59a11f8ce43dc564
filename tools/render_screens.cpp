// Renders the main window on each tab to PNG files, for the README and for checking the layout:
//   render_screens CODEPLUG OUTDIR
// Runs on the offscreen platform or under Xvfb.

#include "ui/main_window.h"
#include "platform/scripted_prompts.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 3)
        return 2;
    pw::ScriptedPrompts prompts;
    pw::ui::MainWindow window(&prompts);
    window.resize(1000, 700);
    window.show();
    window.openFile(QString::fromLocal8Bit(argv[1]));
    QDir out(QString::fromLocal8Bit(argv[2]));
    out.mkpath(QStringLiteral("."));
    for (int i = 0; i < window.tabs()->count(); ++i) {
        window.tabs()->setCurrentIndex(i);
        QApplication::processEvents();
        const QString name = window.tabs()->tabText(i).toLower().replace(' ', '-');
        window.grab().save(out.filePath(QStringLiteral("main-%1.png").arg(name)));
    }
    return 0;
}
