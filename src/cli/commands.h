// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of plugwright-cli. Each function adds one command (or one group of subcommands,
// like iddb) to the program; main.cpp's command table calls them in the order --help lists them.

#include "cli/cli_session.h"

namespace pw::cli {

using CommandAdder = void (*)(CLI::App& app, CliSession& session);

// Reading
void addInfoCommand(CLI::App& app, CliSession& session);
void addErrorsCommand(CLI::App& app, CliSession& session);
void addDumpCommand(CLI::App& app, CliSession& session);
void addExportContactsCommand(CLI::App& app, CliSession& session);
void addExportChannelsCommand(CLI::App& app, CliSession& session);
void addCopyCommand(CLI::App& app, CliSession& session);

// Edits
void addSetRadioCommand(CLI::App& app, CliSession& session);
void addSortContactsCommand(CLI::App& app, CliSession& session);
void addSortChannelsCommand(CLI::App& app, CliSession& session);
void addDeleteContactsCommand(CLI::App& app, CliSession& session);
void addDeleteChannelsCommand(CLI::App& app, CliSession& session);
void addMassChangeCommand(CLI::App& app, CliSession& session);
void addZoneWizardCommand(CLI::App& app, CliSession& session);

// Transfers from other files
void addImportContactsCommand(CLI::App& app, CliSession& session);
void addMergeContactsCommand(CLI::App& app, CliSession& session);
void addImportChannelsCommand(CLI::App& app, CliSession& session);
void addImportChannelsFromCommand(CLI::App& app, CliSession& session);
void addImportStructuresCommand(CLI::App& app, CliSession& session);
void addPasteCommand(CLI::App& app, CliSession& session);

// Other tools' files
void addSaveAsCommand(CLI::App& app, CliSession& session);
void addExportQdmrCommand(CLI::App& app, CliSession& session);
void addImportQdmrCommand(CLI::App& app, CliSession& session);
void addExportChirpCommand(CLI::App& app, CliSession& session);
void addImportChirpCommand(CLI::App& app, CliSession& session);

// The DMR ID database
void addIdDatabaseCommands(CLI::App& app, CliSession& session);

// Network data
void addTalkgroupCommands(CLI::App& app, CliSession& session);
void addRepeaterCommands(CLI::App& app, CliSession& session);

} // namespace pw::cli
