// plugwright-cli: the program's work on codeplug files without a window.

#include "cli/cli_session.h"
#include "cli/text_encoding.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace pw::cli;
    CliSession session(std::cout, std::cerr);

    CLI::App app{"Plugwright: edit DMR radio codeplug files from the command line"};
    app.require_subcommand(1);
    app.fallthrough();
    // Option callbacks run before the chosen command's own, so the answers are in place in time.
    app.add_flag_callback("--yes", [&session] { session.prompts().setAnswerYes(true); },
                          "Answer Yes to every question of the command");
    app.add_option_function<std::string>(
        "--answer", [&session](const std::string& text) { session.prompts().setInputAnswer(utf8ToLatin1(text)); },
        "Answer every input box of the command with TEXT");

    for (const auto& registrar : CommandRegistration::all())
        registrar(app, session);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return ExitUsage;
    } catch (const CommandExit& e) {
        return e.status;
    }
    return ExitOk;
}
