// The contact and channel transfers: CSV export and import, contact merge, channel import from
// another codeplug, and the two table sorts. Each runs the desktop program's command with the
// file chooser answered by the command's argument.

#include "cli/cli_session.h"

#include "operations/channel_transfer.h"
#include "operations/contact_commands.h"
#include "operations/contact_transfer.h"

namespace pw::cli {
namespace {

struct TwoPaths {
    std::string file;
    std::string other;
};

struct SortArguments {
    std::string file;
    int column = 0;
};

// "-" as the output writes the CSV text to standard output, byte for byte.
constexpr const char* StandardOutput = "-";

void endUnlessDone(const TransferOutcome& outcome)
{
    if (outcome.status != TransferOutcome::Status::Done)
        throw CommandExit{ExitFailed};
}

CLI::App* addTwoPathCommand(CLI::App& app, const char* name, const char* description, TwoPaths& args,
                            const char* otherName, const char* otherDescription)
{
    auto* command = app.add_subcommand(name, description);
    command->add_option("FILE", args.file, "Codeplug file")->required();
    command->add_option(otherName, args.other, otherDescription)->required();
    return command;
}

void registerExportCommands(CLI::App& app, CliSession& session)
{
    static TwoPaths contacts;
    addTwoPathCommand(app, "export-contacts", "Write the contacts as a CSV file", contacts, "OUT",
                      "CSV file to write; - for standard output")
        ->callback([&session] {
            const auto codeplug = session.openCodeplug(contacts.file);
            if (contacts.other == StandardOutput) {
                if (codeplug->contacts().empty())
                    session.fail("There are no valid contacts in the file to export.");
                const auto text = contactsCsvText(*codeplug);
                session.out().write(text.data(), static_cast<std::streamsize>(text.size()));
                session.out().flush();
                return;
            }
            session.prompts().queueFile(contacts.other);
            endUnlessDone(exportContactsCsvCommand(*codeplug, session.prompts()));
        });

    static TwoPaths channels;
    addTwoPathCommand(app, "export-channels", "Write the channels as a CSV file", channels, "OUT",
                      "CSV file to write; - for standard output")
        ->callback([&session] {
            const auto codeplug = session.openCodeplug(channels.file);
            if (channels.other == StandardOutput) {
                if (codeplug->channels().empty())
                    session.fail("Unable to write CSV file.");
                const auto text = channelsCsvText(*codeplug);
                session.out().write(text.data(), static_cast<std::streamsize>(text.size()));
                session.out().flush();
                return;
            }
            session.prompts().queueFile(channels.other);
            const auto outcome = exportChannelsCsvCommand(*codeplug, session.prompts());
            // A declined overwrite question is an answer, not a failure.
            if (outcome.status != TransferOutcome::Status::Cancelled)
                endUnlessDone(outcome);
        });
}

// Runs a command that changes the codeplug, saves it when it changed, and ends with status 1
// when the command did not run to its end.
template <typename Command>
void runChanging(CliSession& session, const TwoPaths& args, Command command)
{
    auto codeplug = session.openCodeplug(args.file);
    session.prompts().queueFile(args.other);
    const auto outcome = command(*codeplug, session.prompts());
    session.saveIfChanged(*codeplug, args.file);
    endUnlessDone(outcome);
}

void registerImportCommands(CLI::App& app, CliSession& session)
{
    static TwoPaths importContacts;
    auto* command = addTwoPathCommand(app, "import-contacts", "Import contacts from a CSV file", importContacts,
                                      "CSV", "Contact CSV file");
    session.addOutputOption(*command);
    command->callback([&session] { runChanging(session, importContacts, importContactsCsvCommand); });

    static TwoPaths mergeContacts;
    command = addTwoPathCommand(app, "merge-contacts", "Merge the contacts of another codeplug", mergeContacts,
                                "OTHER", "Codeplug file to take the contacts from");
    session.addOutputOption(*command);
    command->callback([&session] { runChanging(session, mergeContacts, mergeContactsCommand); });

    static TwoPaths importChannels;
    command = addTwoPathCommand(app, "import-channels", "Import channels from a CSV file", importChannels, "CSV",
                                "Channel CSV file");
    session.addOutputOption(*command);
    command->callback([&session] { runChanging(session, importChannels, importChannelsCsvCommand); });

    static TwoPaths importChannelsFrom;
    command = addTwoPathCommand(app, "import-channels-from",
                                "Import the channels of another codeplug with the contacts they use",
                                importChannelsFrom, "OTHER", "Codeplug file to take the channels from");
    session.addOutputOption(*command);
    command->callback([&session] { runChanging(session, importChannelsFrom, importChannelsFromCodeplugCommand); });
}

void registerSortCommands(CLI::App& app, CliSession& session)
{
    static SortArguments contacts;
    auto* command = app.add_subcommand("sort-contacts", "Sort the contacts by a column of the contact list");
    command->add_option("FILE", contacts.file, "Codeplug file")->required();
    command->add_option("COLUMN", contacts.column,
                        "0 No., 1 DMR-MARC ID, 2 Contact Name, 3 Contact Type, 4 Alert Tone "
                        "(0 and 3 do not sort, as in the contact list)")
        ->required()
        ->check(CLI::Range(0, 4));
    session.addOutputOption(*command);
    command->callback([&session] {
        auto codeplug = session.openCodeplug(contacts.file);
        sortContactsCommand(*codeplug, contacts.column);
        session.saveIfChanged(*codeplug, contacts.file);
    });

    static SortArguments channels;
    command = app.add_subcommand("sort-channels", "Sort the channels by a column of the channel list");
    command->add_option("FILE", channels.file, "Codeplug file")->required();
    command->add_option("COLUMN", channels.column,
                        "0 No. (does not sort), 1 Channel Name, 2 Rx Freq, 3 Mode, 4 BW, 5 Tx Freq, 6 Admit, "
                        "7 PWR, 8 Slot, 9 Color, 10 T-Enc/Contact, 11 R-Dec/Grp")
        ->required()
        ->check(CLI::Range(0, 11));
    session.addOutputOption(*command);
    command->callback([&session] {
        auto codeplug = session.openCodeplug(channels.file);
        const auto outcome = sortChannelsCommand(*codeplug, session.prompts(), channels.column);
        session.saveIfChanged(*codeplug, channels.file);
        // Column 0 sorts nothing and is no failure; the feature guard is.
        if (channels.column != 0)
            endUnlessDone(outcome);
    });
}

void registerTransferCommands(CLI::App& app, CliSession& session)
{
    registerExportCommands(app, session);
    registerImportCommands(app, session);
    registerSortCommands(app, session);
}

const CommandRegistration registration(&registerTransferCommands);

} // namespace
} // namespace pw::cli
