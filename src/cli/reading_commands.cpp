// SPDX-License-Identifier: GPL-3.0-or-later
// info and errors: what a codeplug file holds.

#include "cli/cli_session.h"
#include "cli/text_encoding.h"

#include <cstdio>

namespace pw::cli {
namespace {

std::string formatIdText(FormatId formatId)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04x", static_cast<unsigned>(formatId));
    return text;
}

void registerReadingCommands(CLI::App& app, CliSession& session)
{
    static std::string infoFile;
    auto* info = app.add_subcommand("info", "Show the format, radio identity and table sizes of a codeplug");
    addFileArgument(*info, infoFile);
    info->callback([&session] {
        const auto codeplug = session.openCodeplug(infoFile);
        auto& out = session.out();
        out << "file: " << infoFile << '\n'
            << "format: " << formatIdText(codeplug->formatId()) << '\n'
            << "radio type: " << terminalText(codeplug->radioTypeText()) << '\n'
            << "radio name: " << terminalText(codeplug->radioName().value_or("")) << '\n'
            << "radio dmr id: " << codeplug->radioDmrId() << '\n'
            << "contacts: " << codeplug->contacts().count() << '\n'
            << "channels: " << codeplug->channels().count() << '\n'
            << "zones: " << codeplug->zones().count() << '\n'
            << "scan lists: " << codeplug->scanLists().count() << '\n'
            << "rx group lists: " << codeplug->rxGroupLists().count() << '\n'
            << "errors: " << codeplug->errorCount() << '\n';
    });

    static std::string errorsFile;
    auto* errors = app.add_subcommand("errors", "Print the error log of the decode");
    addFileArgument(*errors, errorsFile);
    errors->callback([&session] {
        const auto codeplug = session.openCodeplug(errorsFile);
        session.out() << terminalText(codeplug->errorLogText()) << std::flush;
    });
}

const CommandRegistration registration(&registerReadingCommands);

} // namespace



} // namespace pw::cli
