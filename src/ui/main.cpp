// SPDX-License-Identifier: GPL-3.0-or-later
// plugwright: the desktop program. `plugwright FILE` opens FILE at start.

#include "ui/main_window.h"

#include "plugwright_version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLoggingCategory>

#include <clocale>
#include <cstdio>
#include <optional>

namespace {

// Events of the document, off unless QT_LOGGING_RULES="plugwright.document.info=true" asks for them
// (the installed package's smoke test does, to see the demo codeplug open).
Q_LOGGING_CATEGORY(documentLog, "plugwright.document", QtWarningMsg)

constexpr const char* AppId = "org.plugwright.Plugwright";

struct Arguments {
    QCommandLineParser parser;
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Print the program's name and version and exit.")};
    Arguments()
    {
        parser.setApplicationDescription(QStringLiteral("Plugwright: edit DMR radio codeplug files."));
        parser.addHelpOption();
        parser.addOption(version);
        parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Codeplug file to open (.rdt, .rdb, .dcf)."),
                                     QStringLiteral("[file]"));
    }
};

QStringList rawArguments(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

// --help and --version answer before the window system is asked for, so they work without a
// display too. Returns the exit status when the program is done.
std::optional<int> answerWithoutWindow(int argc, char** argv)
{
    Arguments arguments;
    arguments.parser.parse(rawArguments(argc, argv));
    if (arguments.parser.isSet(QStringLiteral("help")) || arguments.parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object the parser cannot know the program's name.
        QString help = arguments.parser.helpText();
        help.replace(QStringLiteral("<executable_name>"), QStringLiteral("plugwright"));
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (arguments.parser.isSet(arguments.version)) {
        std::printf("plugwright %s\n", pw::PlugwrightVersion);
        return 0;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    if (const auto status = answerWithoutWindow(argc, argv))
        return *status;

    QApplication application(argc, argv);
    // Qt takes the user's locale for the C library too; codeplug frequencies and CSV files are
    // always written and read with a decimal point, whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Plugwright"));
    QApplication::setApplicationVersion(QString::fromLatin1(pw::PlugwrightVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(AppId));

    // The application has taken its own options (-platform, -style, ...) out of the arguments;
    // whatever option is left is unknown to both.
    Arguments arguments;
    if (!arguments.parser.parse(QApplication::arguments()) || arguments.parser.positionalArguments().size() > 1) {
        const QString error = arguments.parser.errorText().isEmpty()
                                  ? QStringLiteral("Only one file can be opened.")
                                  : arguments.parser.errorText();
        std::fprintf(stderr, "plugwright: %s\nRun plugwright --help for the usage.\n", qPrintable(error));
        return 2;
    }

    pw::ui::MainWindow window;
    window.show();
    const QStringList files = arguments.parser.positionalArguments();
    if (!files.isEmpty()) {
        const auto outcome = window.openFile(files.front());
        if (outcome == pw::OpenOutcome::Opened || outcome == pw::OpenOutcome::OpenedWithErrors)
            qCInfo(documentLog).noquote() << "opened" << files.front();
    }
    return QApplication::exec();
}
