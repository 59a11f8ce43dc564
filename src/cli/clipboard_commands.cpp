// SPDX-License-Identifier: GPL-3.0-or-later
// copy and paste: the clipboard texts of contacts, channels and zones on standard output, and the
// paste of such a text from a file or standard input, with the paste's questions answered as the
// global options say.

#include "cli/commands.h"
#include "cli/text_encoding.h"

#include "model/list_support.h"
#include "operations/clipboard_transfer.h"
#include "platform/clipboard.h"
#include "platform/file_io.h"


namespace pw::cli {
namespace {

struct CopyArguments {
    std::string file;
    std::string kind;
    std::string selection;
};

struct PasteArguments {
    std::string file;
    std::string textFile;
};

// The zone of that name: the first that matches exactly, else the first that matches ignoring case.
int zoneNamed(const Codeplug& codeplug, const std::string& name)
{
    for (int i = 0; i < codeplug.zones().count(); ++i)
        if (codeplug.zones().at(i)->name() == name)
            return i;
    for (int i = 0; i < codeplug.zones().count(); ++i)
        if (list_support::equalsIgnoringCase(codeplug.zones().at(i)->name(), name))
            return i;
    return -1;
}

} // namespace

void addCopyCommand(CLI::App& app, CliSession& session)
{
    static CopyArguments args;
    auto* command = app.add_subcommand(
        "copy", "Print the clipboard text of a copy: copy FILE contacts ROWS, copy FILE channels ROWS, "
                "copy FILE zone NAME");
    addFileArgument(*command, args.file);
    command->add_option("KIND", args.kind, "contacts, channels or zone")
        ->required()
        ->check(CLI::IsMember({"contacts", "channels", "zone"}));
    command->add_option("WHAT", args.selection, "Rows of the list, numbered from 1, like 1,3,5-9; or the zone's name")
        ->required();
    command->callback([&session] {
        const auto& codeplug = session.openCodeplug(args.file);
        std::string text;
        if (args.kind == "contacts") {
            text = contactsClipboardText(
                codeplug, tableRows(session, args.selection, codeplug.contacts().count(), "contact"));
        } else if (args.kind == "channels") {
            text = channelsClipboardText(
                codeplug, tableRows(session, args.selection, codeplug.channels().count(), "channel"));
        } else {
            const auto name = argumentText(args.selection);
            const int zone = zoneNamed(codeplug, name);
            if (zone < 0)
                session.fail("There is no zone named '" + name + "'.");
            text = zoneClipboardText(codeplug, zone);
        }
        session.out().write(text.data(), static_cast<std::streamsize>(text.size()));
        session.out().flush();
    });
}

void addPasteCommand(CLI::App& app, CliSession& session)
{
    static PasteArguments args;
    auto* command = app.add_subcommand("paste", "Paste a clipboard text from TEXTFILE or standard input");
    addFileArgument(*command, args.file);
    command->add_option("TEXTFILE", args.textFile, "File holding the clipboard text; standard input when absent or -");
    session.addOutputOption(*command);
    command->callback([&session] {
        auto& codeplug = session.openCodeplug(args.file);
        const auto textFile = session.inputFile(args.textFile.empty() ? StandardStreamName : args.textFile);
        // Read well past the paste's own limit, so that the lines it leaves unread are counted.
        constexpr std::size_t ReadLimit = 64u << 20;
        const auto content = readFileBytes(textFile, ReadLimit);
        if (!content) {
            session.err() << ConsolePrompts::printable("File '" + args.textFile + "' could not be opened.");
            session.reportReadProblem(textFile);
            throw CommandExit{ExitFailed};
        }
        MemoryClipboard clipboard;
        clipboard.setText(std::string(content.bytes.begin(), content.bytes.end()));
        ListTabState state;
        state.reset(codeplug);
        const auto outcome = pasteFromClipboard(codeplug, session.prompts(), clipboard, state);
        session.saveIfChanged(codeplug, args.file);
        if (outcome.result.refused)
            throw CommandExit{ExitFailed};
    });
}

} // namespace pw::cli
