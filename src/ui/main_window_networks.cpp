// SPDX-License-Identifier: GPL-3.0-or-later
// The networks' dialogs of the Data menu: talkgroups as contacts, and the repeaters of an area as
// channels and zones. Both take their sources from the settings file network_sources.conf.

#include "ui/main_window.h"

#include "networks/list_cache.h"
#include "networks/network_sources.h"
#include "ui/refreshing_prompts.h"
#include "ui/repeater_dialog.h"
#include "ui/talkgroup_dialog.h"

namespace pw::ui {

template <typename Dialog>
void MainWindow::runNetworkDialog(const char* label, typename Dialog::Setup setup)
{
    EditStep step(*this, label);
    // The closing message stands over the lists it changed.
    RefreshingPrompts prompts(*prompts_, document_.codeplug, [this] { refreshAll(); });
    setup.codeplug = &document_.codeplug;
    setup.prompts = &prompts;
    Dialog dialog(std::move(setup), this);
    runDialog(dialog);
    if (dialog.codeplugChanged())
        refreshAll();
}

void MainWindow::openTalkgroupAdder()
{
    const auto sources = readNetworkSources(userNetworkSourcesPath());
    TalkgroupDialog::Setup setup;
    setup.source.url = sources.talkgroups;
    setup.source.cachePath = listCachePath("talkgroups", sources.talkgroups);
    setup.source.cacheMaxAge = sources.cacheMaxAge;
    setup.settingsProblems = sources.problems;
    setup.catalogue = &talkgroupCatalogue_;
    runNetworkDialog<TalkgroupDialog>("Add Talkgroups", std::move(setup));
}

void MainWindow::openRepeaterAdder()
{
    const auto sources = readNetworkSources(userNetworkSourcesPath());
    RepeaterDialog::Setup setup;
    setup.baseUrl = sources.repeaters;
    setup.cacheMaxAge = sources.cacheMaxAge;
    setup.settingsProblems = sources.problems;
    setup.catalogue = talkgroupCatalogue_;
    runNetworkDialog<RepeaterDialog>("Add Repeaters", std::move(setup));
}

} // namespace pw::ui
