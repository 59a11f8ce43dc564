// SPDX-License-Identifier: GPL-3.0-or-later
// import-structures: the structural import from another codeplug file, of the kinds listed.

#include "cli/commands.h"

#include "operations/structural_import.h"

#include <utility>

namespace pw::cli {
namespace {

struct StructureArguments {
    std::string file;
    std::string other;
    std::optional<std::string> kinds;
};

constexpr std::pair<const char*, unsigned> KindNames[] = {
    {"group-contacts", ImportGroupContacts}, {"private-contacts", ImportPrivateContacts},
    {"rxgroups", ImportRxGroups},            {"channels", ImportChannels},
    {"scanlists", ImportScanLists},          {"zones", ImportZones},
};

// The option bits of a comma-separated list of kind names; nothing when a name is unknown. An
// empty list selects nothing, which the import itself refuses.
std::optional<unsigned> kindOptions(std::string_view text)
{
    unsigned options = 0;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const auto name = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (name.empty())
            continue;
        bool known = false;
        for (const auto& [kindName, bit] : KindNames) {
            if (name == kindName) {
                options |= bit;
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
    }
    return options;
}

} // namespace

void addImportStructuresCommand(CLI::App& app, CliSession& session)
{
    static StructureArguments args;
    auto* command = app.add_subcommand("import-structures",
                                       "Import contacts, RX group lists, channels, scan lists and zones of another "
                                       "codeplug, references carried by name");
    addFileArgument(*command, args.file);
    command->add_option("OTHER", args.other, "Codeplug file to import from; - for standard input")->required();
    const CLI::Validator kindsValidator(
        [](std::string& text) {
            return kindOptions(text) ? std::string()
                                     : "LIST holds kinds of group-contacts,private-contacts,rxgroups,channels,"
                                       "scanlists,zones: " + text;
        },
        "LIST");
    command->add_option("--kinds", args.kinds, "Comma-separated kinds to import; all when absent")
        ->check(kindsValidator);
    session.addOutputOption(*command);
    command->callback([&session] {
        auto& codeplug = session.openCodeplug(args.file);
        const unsigned options = args.kinds ? kindOptions(*args.kinds).value_or(0) : ImportAllKinds;
        const auto other = session.inputFile(args.other);
        session.prompts().queueFile(other);
        ListTabState state;
        state.reset(codeplug);
        const auto result = importStructuresCommand(codeplug, session.prompts(), options, state);
        if (result.refused)
            session.reportReadProblem(other);
        session.saveIfChanged(codeplug, args.file);
        if (result.refused)
            throw CommandExit{ExitFailed};
    });
}

} // namespace pw::cli
