// SPDX-License-Identifier: GPL-3.0-or-later
// plugwright-cli: the program's work on codeplug files without a window.

#include "cli/commands.h"
#include "cli/text_encoding.h"

#include "platform/standard_output.h"
#include "plugwright_version.h"

#include <iostream>

namespace {

// The commands, in the order --help lists them: those that read a codeplug, then those that edit
// one, then the transfers from other files, then other tools' files, then the ID database and the
// networks' data. A new command is a row here.
constexpr pw::cli::CommandAdder Commands[] = {
    pw::cli::addInfoCommand,
    pw::cli::addErrorsCommand,
    pw::cli::addDumpCommand,
    pw::cli::addExportContactsCommand,
    pw::cli::addExportChannelsCommand,
    pw::cli::addCopyCommand,

    pw::cli::addSetRadioCommand,
    pw::cli::addSortContactsCommand,
    pw::cli::addSortChannelsCommand,
    pw::cli::addDeleteContactsCommand,
    pw::cli::addDeleteChannelsCommand,
    pw::cli::addMassChangeCommand,
    pw::cli::addZoneWizardCommand,

    pw::cli::addImportContactsCommand,
    pw::cli::addMergeContactsCommand,
    pw::cli::addImportChannelsCommand,
    pw::cli::addImportChannelsFromCommand,
    pw::cli::addImportStructuresCommand,
    pw::cli::addPasteCommand,

    pw::cli::addSaveAsCommand,
    pw::cli::addExportQdmrCommand,
    pw::cli::addImportQdmrCommand,
    pw::cli::addExportChirpCommand,
    pw::cli::addImportChirpCommand,

    pw::cli::addIdDatabaseCommands,

    pw::cli::addTalkgroupCommands,
    pw::cli::addRepeaterCommands,
};

// The words of a command line that name no known command: the first word left over after the
// deepest command that was recognised, with that command's path before it ("iddb bogus").
std::optional<std::string> unknownCommand(const CLI::App& app)
{
    const CLI::App* deepest = &app;
    std::string path;
    while (true) {
        const auto chosen = deepest->get_subcommands();
        if (chosen.empty())
            break;
        deepest = chosen.front();
        path += deepest->get_name() + " ";
    }
    if (deepest->get_require_subcommand_min() == 0)
        return std::nullopt;
    // A word that a command does not take may be handed back to the program's own list.
    auto left = deepest->remaining();
    if (left.empty())
        left = app.remaining(true);
    for (const auto& word : left)
        if (!word.empty() && word.front() != '-')
            return path + word;
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace pw::cli;
    // Before any file is opened: a closed descriptor must not become one of them.
    pw::claimStandardDescriptors();
    // Lives past main, where the streams are flushed once more.
    static pw::StandardOutputBuffer standardOutput;
    std::cout.rdbuf(&standardOutput);
    CliSession session(std::cin, std::cout, std::cerr);

    CLI::App app{"Plugwright: edit DMR radio codeplug files from the command line", "plugwright-cli"};
    app.require_subcommand(1);
    app.fallthrough();
    app.set_version_flag("--version", std::string("plugwright-cli ") + pw::PlugwrightVersion,
                         "Print the program's version and exit");
    // Option callbacks run before the chosen command's own, so the answers are in place in time.
    app.add_flag_callback("--yes", [&session] { session.prompts().setAnswerYes(true); },
                          "Answer Yes to every question of the command");
    app.add_option_function<std::string>(
        "--answer", [&session](const std::string& text) { session.prompts().setInputAnswer(argumentText(text)); },
        "Answer every input box of the command with TEXT");
    app.footer("FILE, CSV, TEXTFILE and OTHER may be - for standard input; OUT and -o OUT may be - for "
               "standard output, and the messages then go to standard error.");

    for (const auto addCommand : Commands)
        addCommand(app, session);

    int status = ExitOk;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        status = app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        status = app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        status = app.exit(e);
    } catch (const CLI::ParseError& e) {
        if (const auto unknown = unknownCommand(app))
            std::cerr << "Unknown command: " << *unknown << "\nRun with --help for the list of commands.\n";
        else
            app.exit(e);
        status = ExitUsage;
    } catch (const CommandExit& e) {
        status = e.status;
    }
    session.leaveCodeplugsToExit();
    return session.finish(status);
}
