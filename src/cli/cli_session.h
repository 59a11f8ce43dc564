// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every command of plugwright-cli shares: the prompts answered from the global options, the
// opening and saving of codeplug files with their messages and exit codes, and row lists.

#include "cli/console_prompts.h"
#include "cli/standard_stream_files.h"
#include "codeplug/codeplug.h"
#include "operations/open_failure.h"

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

inline constexpr const char* SaveFailedMessage = "Unable to save file.";

// Ends the command with an exit status.
struct CommandExit {
    int status;
};

class CliSession {
public:
    CliSession(std::istream& in, std::ostream& out, std::ostream& err)
        : out_(out), err_(err), prompts_(out, err), streams_(in, out)
    {
    }
    CliSession(std::ostream& out, std::ostream& err) : CliSession(std::cin, out, err) {}

    // Standard output, or standard error once standard output carries a file.
    std::ostream& out() { return streams_.outputIsStandardOutput() ? err_ : out_; }
    std::ostream& err() { return err_; }
    ConsolePrompts& prompts() { return prompts_; }

    // Opens and decodes a codeplug ("-": standard input), printing the contract's message and
    // ending the command with status 1 when it cannot. For a command that saves, it also settles
    // where the save goes, before the command shows anything. The session keeps the codeplug.
    Codeplug& openCodeplug(const std::string& path);

    // Saves the codeplug to the -o path or back to its own file, when it changed ("-": standard
    // output). Ends the command with status 1 when the save fails.
    void saveIfChanged(Codeplug& codeplug, const std::string& path);
    // Saves the codeplug to `target` (as outputFile gives it), changed or not. Ends the command
    // with status 1 when the save fails or was declined.
    void saveTo(Codeplug& codeplug, const std::string& target);

    // Adds -o/--output to a command that changes a codeplug.
    void addOutputOption(CLI::App& command);

    // The path to read for a file argument and the path to write for one: "-" stands for standard
    // input and standard output (see StandardStreamFiles). Routing an output to standard output
    // sends the messages to standard error. A second "-" for the same stream is a usage error.
    std::string inputFile(const std::string& argument);
    std::string outputFile(const std::string& argument);
    // Copies an output written for "-" to standard output; ends the command with status 1 when
    // standard output cannot take it. The messages held back until then are shown after it.
    void deliverStandardOutput();
    // Flushes standard output: ends the command with status 1 and "standard output: REASON" on
    // standard error when a write to it failed. Call it before telling that an output was written.
    void confirmStandardOutput();

    // After a message about a file that could not be read or written: "cannot read PATH: REASON"
    // on standard error, with the system's reason. Nothing when no reason is known.
    void reportReadProblem(const std::string& path);
    void reportWriteProblem(const std::string& path, std::error_code reason);

    // Fails the command: prints `message` on standard error and ends with status 1.
    [[noreturn]] void fail(const std::string& message);
    // Ends the command as misused: prints `message` on standard error and ends with status 2.
    [[noreturn]] void usageError(const std::string& message);

    // The exit status of a command that ended with `status`: a command in which a question was
    // answered No or an input box was cancelled did not do what was asked, and ends with status 1;
    // every status 1 carries its reason on standard error. Every run ends here, so this is where
    // standard output is flushed and closed: a write to it that failed, at any moment of any
    // command, ends the run with status 1 and "standard output: REASON".
    int finish(int status);

    std::string& outputPath() { return outputPath_; }

    // Leaves the codeplugs opened so far to the end of the process, unfreed: the system takes
    // back their memory at once, where freeing 170,000 contacts one by one takes longer than
    // saving them. Called by the program's main as it returns; they hold no file or lock.
    void leaveCodeplugsToExit();

private:
    std::string standardStreamFile(const std::string& argument, bool output);
    void reportProblem(const char* verb, const std::string& path, std::error_code reason);
    // Flushes standard output, and closes it when `close` is set: the first write that failed.
    std::error_code flushStandardOutput(bool close);
    void reportStandardOutputProblem(std::error_code reason);

    std::ostream& out_;
    std::ostream& err_;
    ConsolePrompts prompts_;
    StandardStreamFiles streams_;
    std::string outputPath_;
    bool outputGiven_ = false;
    // The command being run changes its codeplug, which is saved to saveTarget_.
    bool savingCommand_ = false;
    std::optional<std::string> saveTarget_;
    bool reasonGiven_ = false;
    bool standardOutputFailed_ = false;
    std::vector<std::unique_ptr<Codeplug>> opened_;
};

// "1,3,5-9" as 1-based row numbers in the order given; nothing when the text is not such a list.
std::optional<std::vector<int>> parseRows(std::string_view text);

// The 0-based rows of a ROWS argument, every one inside a table of `count` rows of `recordName`
// records; a row outside it ends the command with the reason.
std::vector<int> tableRows(CliSession& session, const std::string& text, int count, const char* recordName);

// The FILE argument of a command that reads a codeplug: a file, or - for standard input.
CLI::Option* addFileArgument(CLI::App& command, std::string& file);

// A command over the codeplug FILE and one more file, `otherName`: one it writes or one it reads.
struct TwoFiles {
    std::string file;
    std::string other;
};
CLI::App* addTwoFileCommand(CLI::App& app, const char* name, const char* description, TwoFiles& args,
                            const char* otherName, const char* otherDescription);

// A command that reads the codeplug FILE and writes what `show` makes of it to the command's output.
using CodeplugReport = std::function<void(const Codeplug& codeplug, const std::string& file, std::ostream& out)>;
void addReadingCommand(CLI::App& app, CliSession& session, const char* name, const char* description,
                       CodeplugReport show);

// The FILE and ROWS arguments of a command over chosen rows of a list; ROWS must be a list that
// parseRows reads.
void addFileAndRowsArguments(CLI::App& command, std::string& file, std::string& rows, const std::string& rowsHelp);

} // namespace pw::cli
