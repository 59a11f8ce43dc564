// SPDX-License-Identifier: GPL-3.0-or-later
// The channel dialogs (mass change, zone wizard) and the ID database searcher, and the ID database
// the window owns for the whole run.

#include "ui/main_window.h"

#include "iddb/id_database.h"
#include "iddb/id_searcher.h"
#include "iddb/id_sources.h"
#include "model/unicode_text.h"
#include "operations/id_contact_add.h"
#include "operations/channel_mass_change.h"
#include "operations/zone_wizard.h"
#include "ui/id_searcher_dialog.h"
#include "ui/mass_change_dialog.h"
#include "ui/refreshing_prompts.h"
#include "ui/window_settings.h"
#include "ui/zone_wizard_dialog.h"

#include <filesystem>
#include <system_error>

namespace pw::ui {

void MainWindow::massChangeChannels()
{
    EditStep step(*this, "Mass Change");
    auto& codeplug = document_.codeplug;
    const auto runDialog = [this, &codeplug]() -> std::optional<ChannelChangeSet> {
        if (!massChangeSetupValid(&codeplug, *prompts_))
            return std::nullopt;
        MassChangeDialog dialog(codeplug, *prompts_, this);
        if (this->runDialog(dialog) != QDialog::Accepted)
            return std::nullopt;
        return dialog.changes();
    };
    // The lists show the changed channels before the closing message is read.
    const auto showChanges = [this](const MassChangeResult& changed) {
        refreshAll();
        if (changed.lastHandledRow >= 0)
            selectChannelRow(changed.lastHandledRow);
    };
    pw::massChangeChannels(codeplug, *prompts_, selectedChannelRows(), runDialog, showChanges);
}

void MainWindow::runZoneWizard()
{
    EditStep step(*this, "Zone Wizard");
    // The wizard's report stands over the lists it changed.
    RefreshingPrompts prompts(*prompts_, document_.codeplug, [this] { refreshAll(); });
    auto wizard = ZoneWizard::open(&document_.codeplug, prompts, selectedChannelRows());
    if (!wizard)
        return;
    ZoneWizardDialog dialog(*wizard, prompts, this);
    runDialog(dialog);
    refreshAll();
}

void MainWindow::openIdSearcher()
{
    EditStep step(*this, "Add Contacts from Database");
    showSourcesNoticeOnce(settings_, *prompts_);
    IdSearcherDialog::Setup setup;
    setup.database = idDatabase_.get();
    setup.codeplug = &document_.codeplug;
    // Reports of contacts added stand over the lists that show them.
    RefreshingPrompts prompts(*prompts_, document_.codeplug, [this] { refreshAll(); });
    setup.prompts = &prompts;
    setup.runDialog = [this](QDialog& dialog) { return runDialog(dialog); };
    // The settings block keeps its texts as 8-bit Latin-1; the searcher works in UTF-8.
    setup.nameTemplate = latin1ToUtf8(settings_.nameTemplate());
    setup.additionalSearchText = latin1ToUtf8(settings_.additionalSearchText());
    setup.reportShown = &idReportShown_;
    IdSearcherDialog dialog(std::move(setup), this);
    runDialog(dialog);
    // The settings block keeps only as much of each text as its fields hold.
    settings_.setNameTemplate(transliterateToLatin1(dialog.nameTemplate()));
    settings_.setAdditionalSearchText(transliterateToLatin1(dialog.additionalSearchText()));
    if (dialog.contactsAdded())
        refreshAll();
}

void MainWindow::startIdDatabase()
{
    auto store = userSettingsStore();
    settings_ = ReadSettings(store);
    const auto sources = readSourceSettings(userSourcesPath());
    IdDatabaseOptions options;
    options.firstSource = sources.firstSource;
    options.secondSource = sources.secondSource;
    options.settingsProblems = sources.problems;
    options.cachePath = userIdCachePath();
    options.cacheMaxAge = sources.cacheMaxAge;
    useIdDatabase(options);
}

void MainWindow::useIdDatabase(const IdDatabaseOptions& options)
{
    // The old database stops and joins its download before the new one starts.
    idDatabase_.reset();
    idReportShown_ = false;
    idDatabase_ = std::make_unique<IdDatabase>(options);
    idDatabase_->StartDownload();
}

void MainWindow::writeSettings()
{
    saveWindowGeometry(*this, QStringLiteral("mainWindow"));
    auto store = userSettingsStore();
    WriteSettings(store, settings_);
    // The sources file is written once, with the sources in use, so that the user finds it beside
    // the settings and can point the database elsewhere.
    const auto sourcesPath = userSourcesPath();
    std::error_code error;
    if (!std::filesystem::exists(sourcesPath, error) && !error)
        writeSourceSettings(sourcesPath, readSourceSettings(sourcesPath));
}

} // namespace pw::ui
