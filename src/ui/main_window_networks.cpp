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

void MainWindow::openTalkgroupAdder()
{
    EditStep step(*this, "Add Talkgroups");
    const auto sources = readNetworkSources(userNetworkSourcesPath());
    // The closing message stands over the lists it changed.
    RefreshingPrompts prompts(*prompts_, document_.codeplug, [this] { refreshAll(); });
    TalkgroupDialog::Setup setup;
    setup.codeplug = &document_.codeplug;
    setup.prompts = &prompts;
    setup.source.url = sources.talkgroups;
    setup.source.cachePath = listCachePath("talkgroups", sources.talkgroups);
    setup.source.cacheMaxAge = sources.cacheMaxAge;
    setup.settingsProblems = sources.problems;
    setup.catalogue = &talkgroupCatalogue_;
    TalkgroupDialog dialog(std::move(setup), this);
    runDialog(dialog);
    if (dialog.contactsChanged())
        refreshAll();
}

void MainWindow::openRepeaterAdder()
{
    EditStep step(*this, "Add Repeaters");
    const auto sources = readNetworkSources(userNetworkSourcesPath());
    RefreshingPrompts prompts(*prompts_, document_.codeplug, [this] { refreshAll(); });
    RepeaterDialog::Setup setup;
    setup.codeplug = &document_.codeplug;
    setup.prompts = &prompts;
    setup.baseUrl = sources.repeaters;
    setup.cacheMaxAge = sources.cacheMaxAge;
    setup.settingsProblems = sources.problems;
    setup.catalogue = talkgroupCatalogue_;
    RepeaterDialog dialog(std::move(setup), this);
    runDialog(dialog);
    if (dialog.channelsChanged())
        refreshAll();
}

} // namespace pw::ui
