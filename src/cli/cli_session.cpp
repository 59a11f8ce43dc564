// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_session.h"

#include "cli/text_encoding.h"

#include "operations/document_commands.h"
#include "platform/file_io.h"
#include "platform/standard_output.h"

#include <charconv>
#include <iterator>
#include <stdexcept>

namespace pw::cli {

Codeplug& CliSession::openCodeplug(const std::string& path)
{
    // Settled before anything is shown, so that no message lands in a codeplug on standard output.
    if (savingCommand_ && !saveTarget_)
        saveTarget_ = outputFile(outputGiven_ ? outputPath_ : path);
    auto& codeplug = *opened_.emplace_back(std::make_unique<Codeplug>());
    const auto input = inputFile(path);
    if (!codeplug.open(input)) {
        // A file that could not be read is told apart from one that is no codeplug: the contract's
        // message alone says that the file was read and fits no format.
        err_ << ConsolePrompts::printable(OpenFailedMessage);
        reportProblem("read", streams_.shownName(input), codeplug.readProblem());
        reasonGiven_ = true;
        throw CommandExit{ExitFailed};
    }
    const bool decoded = codeplug.decode();
    for (const auto& message : codeplug.takeMessages())
        prompts_.error(message);
    if (!decoded)
        fail(NoValidDataMessage);
    return codeplug;
}

void CliSession::saveIfChanged(Codeplug& codeplug, const std::string& path)
{
    if (!codeplug.changed())
        return;
    // A question answered No or an input box cancelled: the command did not do what was asked,
    // and what it did up to there is not saved either (finish() says why).
    if (prompts_.declinedQuestion() || prompts_.cancelledInputBox())
        throw CommandExit{ExitFailed};
    saveTo(codeplug, saveTarget_ ? *saveTarget_ : outputGiven_ ? outputPath_ : path);
}

void CliSession::saveTo(Codeplug& codeplug, const std::string& target)
{
    switch (saveWithQuestions(codeplug, target, prompts_, ChangedFileRule::Refuse)) {
    case SaveOutcome::Saved:
        break;
    case SaveOutcome::Declined:
        throw CommandExit{ExitFailed};
    case SaveOutcome::Failed:
        err_ << ConsolePrompts::printable(SaveFailedMessage) << "cannot write " << streams_.shownName(target) << ": "
             << codeplug.saveFailureReason() << '\n'
             << std::flush;
        reasonGiven_ = true;
        throw CommandExit{ExitFailed};
    }
    deliverStandardOutput();
}

void CliSession::addOutputOption(CLI::App& command)
{
    command.add_option_function<std::string>(
        "-o,--output",
        [this](const std::string& path) {
            outputPath_ = path;
            outputGiven_ = true;
        },
        "Save the changed codeplug here instead of over FILE; - for standard output");
    command.parse_complete_callback([this] { savingCommand_ = true; });
}

std::string CliSession::inputFile(const std::string& argument) { return standardStreamFile(argument, false); }

std::string CliSession::outputFile(const std::string& argument) { return standardStreamFile(argument, true); }

// `-` stands for standard input or output: the file that stands in for it, or the argument itself.
std::string CliSession::standardStreamFile(const std::string& argument, bool output)
{
    if (argument.empty())
        usageError("An empty path names no file.");
    try {
        const auto path = output ? streams_.output(argument) : streams_.input(argument);
        if (path != argument) {
            if (output)
                prompts_.keepMessagesOffStandardOutput();
            prompts_.showPathAs(path, streams_.shownName(path));
        }
        return path;
    } catch (const std::invalid_argument& e) {
        err_ << e.what() << '\n';
        throw CommandExit{ExitUsage};
    } catch (const NoStandardInput& e) {
        fail(e.what());
    } catch (const std::system_error& e) {
        fail(e.what());
    }
}

void CliSession::deliverStandardOutput()
{
    std::error_code error;
    const bool delivered = streams_.deliver(error);
    confirmStandardOutput();
    if (!delivered) {
        reportStandardOutputProblem(error);
        throw CommandExit{ExitFailed};
    }
    prompts_.releaseHeldMessages();
}

void CliSession::confirmStandardOutput()
{
    if (const auto error = flushStandardOutput(false)) {
        reportStandardOutputProblem(error);
        throw CommandExit{ExitFailed};
    }
}

std::error_code CliSession::flushStandardOutput(bool close)
{
    out_.flush();
    // The program's own buffer knows the reason; a stream of another kind knows only that it failed.
    if (auto* buffer = dynamic_cast<StandardOutputBuffer*>(out_.rdbuf()))
        return close ? buffer->finish() : buffer->error();
    return out_ ? std::error_code() : std::make_error_code(std::errc::io_error);
}

void CliSession::reportStandardOutputProblem(std::error_code reason)
{
    if (standardOutputFailed_)
        return;
    standardOutputFailed_ = true;
    reasonGiven_ = true;
    // What was held back to be said after the output must not claim that it arrived.
    prompts_.dropHeldMessages();
    err_ << "standard output: " << reason.message() << '\n' << std::flush;
}

void CliSession::reportReadProblem(const std::string& path)
{
    reportProblem("read", streams_.shownName(path), readProblem(path));
}

void CliSession::reportWriteProblem(const std::string& path, std::error_code reason)
{
    reportProblem("write", streams_.shownName(path), reason);
}

void CliSession::reportProblem(const char* verb, const std::string& path, std::error_code reason)
{
    if (!reason)
        return;
    err_ << "cannot " << verb << ' ' << path << ": " << reason.message() << '\n' << std::flush;
    reasonGiven_ = true;
}

void CliSession::usageError(const std::string& message)
{
    err_ << message << '\n' << std::flush;
    throw CommandExit{ExitUsage};
}

void CliSession::fail(const std::string& message)
{
    err_ << ConsolePrompts::printable(message) << std::flush;
    reasonGiven_ = true;
    throw CommandExit{ExitFailed};
}

namespace {

// A printed message on one line: its lines joined by spaces, without the final line end.
std::string oneLine(std::string_view printed)
{
    std::string line;
    for (const char c : printed) {
        if (c != '\n')
            line.push_back(c);
        else if (!line.empty() && line.back() != ' ')
            line.push_back(' ');
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

} // namespace

int CliSession::finish(int status)
{
    // The output must be known to have arrived before anything is said to have worked.
    if (const auto error = flushStandardOutput(false))
        reportStandardOutputProblem(error);
    prompts_.releaseHeldMessages();
    if (const auto error = flushStandardOutput(true))
        reportStandardOutputProblem(error);
    if (standardOutputFailed_ && status == ExitOk)
        status = ExitFailed;
    if (status == ExitUsage)
        return status;
    if (const auto& question = prompts_.declinedQuestion()) {
        err_ << "Not done: \"" << oneLine(*question) << "\" was answered No; --yes answers Yes.\n";
        return ExitFailed;
    }
    if (const auto& title = prompts_.cancelledInputBox()) {
        err_ << "Not done: the input box \"" << *title << "\" was cancelled; --answer TEXT answers it.\n";
        return ExitFailed;
    }
    // A refusal shown in a box on standard output is repeated where scripts look for the reason.
    if (status == ExitFailed && !reasonGiven_ && !prompts_.wroteToStandardError() && !prompts_.lastMessage().empty())
        err_ << prompts_.lastMessage();
    err_.flush();
    return status;
}

void CliSession::leaveCodeplugsToExit()
{
    // Still reachable through this pointer, so that leak checkers do not report them.
    static auto* const leftToExit = new std::vector<std::unique_ptr<Codeplug>>;
    std::move(opened_.begin(), opened_.end(), std::back_inserter(*leftToExit));
    opened_.clear();
}

CLI::Option* addFileArgument(CLI::App& command, std::string& file)
{
    return command.add_option("FILE", file, "Codeplug file; - for standard input")->required();
}

CLI::App* addTwoFileCommand(CLI::App& app, const char* name, const char* description, TwoFiles& args,
                            const char* otherName, const char* otherDescription)
{
    auto* command = app.add_subcommand(name, description);
    addFileArgument(*command, args.file);
    command->add_option(otherName, args.other, otherDescription)->required();
    return command;
}

void addReadingCommand(CLI::App& app, CliSession& session, const char* name, const char* description,
                       CodeplugReport show)
{
    auto* command = app.add_subcommand(name, description);
    auto file = std::make_shared<std::string>();
    addFileArgument(*command, *file);
    command->callback([&session, file, show = std::move(show)] {
        const auto& codeplug = session.openCodeplug(*file);
        show(codeplug, *file, session.out());
        session.out() << std::flush;
    });
}

void addFileAndRowsArguments(CLI::App& command, std::string& file, std::string& rows, const std::string& rowsHelp)
{
    static const CLI::Validator rowList(
        [](std::string& text) {
            return parseRows(text) ? std::string() : "ROWS must be row numbers from 1, like 1,3,5-9: " + text;
        },
        "ROWS");
    addFileArgument(command, file);
    command.add_option("ROWS", rows, rowsHelp)->required()->check(rowList);
}

std::optional<std::vector<int>> parseRows(std::string_view text)
{
    std::vector<int> rows;
    auto number = [](std::string_view part, int& value) {
        const auto* end = part.data() + part.size();
        const auto result = std::from_chars(part.data(), end, value);
        return result.ec == std::errc() && result.ptr == end && value >= 1;
    };
    while (!text.empty()) {
        const auto comma = text.find(',');
        const auto part = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const auto dash = part.find('-');
        int first = 0;
        int last = 0;
        if (dash == std::string_view::npos) {
            if (!number(part, first))
                return std::nullopt;
            last = first;
        } else if (!number(part.substr(0, dash), first) || !number(part.substr(dash + 1), last) || last < first) {
            return std::nullopt;
        }
        // A range of more rows than any table holds is a mistake, not a request.
        if (last - first > 1'000'000)
            return std::nullopt;
        for (int row = first; row <= last; ++row)
            rows.push_back(row);
    }
    if (rows.empty())
        return std::nullopt;
    return rows;
}

std::vector<int> tableRows(CliSession& session, const std::string& text, int count, const char* recordName)
{
    const auto given = parseRows(text);
    if (!given)
        session.usageError("ROWS must be row numbers from 1, like 1,3,5-9: " + text);
    std::vector<int> rows;
    for (const int row : *given) {
        if (row > count)
            session.fail("Row " + std::to_string(row) + " is outside the " + recordName + " list (" +
                         std::to_string(count) + " rows).");
        rows.push_back(row - 1);
    }
    return rows;
}

} // namespace pw::cli
