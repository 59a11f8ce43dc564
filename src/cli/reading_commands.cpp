// SPDX-License-Identifier: GPL-3.0-or-later
// info and errors: what a codeplug file holds.

#include "cli/commands.h"
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

} // namespace

void addInfoCommand(CLI::App& app, CliSession& session)
{
    addReadingCommand(app, session, "info", "Show the format, radio identity and table sizes of a codeplug",
                      [](const Codeplug& codeplug, const std::string& file, std::ostream& out) {
                          out << "file: " << lineText(file) << '\n'
                              << "format: " << formatIdText(codeplug.formatId()) << '\n'
                              << "radio type: " << lineText(codeplug.radioTypeText()) << '\n'
                              << "radio name: " << lineText(codeplug.radioName().value_or("")) << '\n'
                              << "radio dmr id: " << codeplug.radioDmrId() << '\n'
                              << "contacts: " << codeplug.contacts().count() << '\n'
                              << "channels: " << codeplug.channels().count() << '\n'
                              << "zones: " << codeplug.zones().count() << '\n'
                              << "scan lists: " << codeplug.scanLists().count() << '\n'
                              << "rx group lists: " << codeplug.rxGroupLists().count() << '\n'
                              << "errors: " << codeplug.errorCount() << '\n';
                      });
}

void addErrorsCommand(CLI::App& app, CliSession& session)
{
    addReadingCommand(app, session, "errors", "Print the error log of the decode",
                      [](const Codeplug& codeplug, const std::string&, std::ostream& out) {
                          out << linesText(codeplug.errorLogText());
                      });
}

} // namespace pw::cli
