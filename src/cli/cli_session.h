#pragma once
// What every command of plugwright-cli shares: the prompts answered from the global options, the
// opening and saving of codeplug files with their messages and exit codes, and row lists.
//
// Commands register themselves with a CommandRegistration in their own source file:
//   static const CommandRegistration registration(&registerContactCommands);

#include "cli/console_prompts.h"
#include "codeplug/codeplug.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pw::cli {

// Exit statuses of the contract.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

inline constexpr const char* OpenFailedMessage = "Failed to load Codeplug; the specified file is invalid.";
inline constexpr const char* NoValidDataMessage =
    "There is no valid data (contacts, channels) defined in this file image.";
inline constexpr const char* SaveFailedMessage = "Unable to save file.";

// Ends the command with an exit status.
struct CommandExit {
    int status;
};

class CliSession {
public:
    CliSession(std::ostream& out, std::ostream& err) : out_(out), err_(err), prompts_(out, err) {}

    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }
    ConsolePrompts& prompts() { return prompts_; }

    // Opens and decodes a codeplug, printing the contract's message and ending the command with
    // status 1 when it cannot.
    std::unique_ptr<Codeplug> openCodeplug(const std::string& path);

    // Saves the codeplug to the -o path or back to its own file, when it changed. Ends the command
    // with status 1 when the save fails.
    void saveIfChanged(Codeplug& codeplug, const std::string& path);

    // Adds -o/--output to a command that changes a codeplug.
    void addOutputOption(CLI::App& command);

    // Fails the command: prints `message` on standard error and ends with status 1.
    [[noreturn]] void fail(const std::string& message);

    std::string& outputPath() { return outputPath_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    ConsolePrompts prompts_;
    std::string outputPath_;
};

// "1,3,5-9" as 1-based row numbers in the order given; nothing when the text is not such a list.
std::optional<std::vector<int>> parseRows(std::string_view text);

using CommandRegistrar = std::function<void(CLI::App&, CliSession&)>;

class CommandRegistration {
public:
    explicit CommandRegistration(CommandRegistrar registrar);
    static const std::vector<CommandRegistrar>& all();
};

} // namespace pw::cli
