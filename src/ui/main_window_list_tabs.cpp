// SPDX-License-Identifier: GPL-3.0-or-later
// The Zones, Scan Lists and Rx Groups tabs.

#include "ui/main_window.h"

#include "operations/clipboard_transfer.h"
#include "operations/document_commands.h"
#include "ui/list_tab_models.h"
#include "ui/record_table_models.h"
#include "ui/rx_groups_tab.h"
#include "ui/scan_lists_tab.h"
#include "ui/zones_tab.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace pw::ui {
namespace {

template <typename Page>
Page* placePage(QWidget* tab, Page* page)
{
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    return page;
}

} // namespace

void MainWindow::buildListTabs()
{
    // The master lists show the contact and channel models themselves, so that whatever refills
    // the contact or channel list refills them too.
    const auto copyShownZone = [this] { copyZone(document_.codeplug, clipboard_, listState_); };
    zonesPage_ = placePage(zonesTab_, new ZonesTab(*this, *channelModel_, copyShownZone, zonesTab_));
    scanListsPage_ = placePage(scanListsTab_, new ScanListsTab(*this, *channelModel_, scanListsTab_));
    rxGroupsPage_ = placePage(rxGroupsTab_, new RxGroupsTab(*this, *contactModel_, rxGroupsTab_));
}

void MainWindow::refillListTabs(TabList lists)
{
    if (touches(lists, TabList::Contacts))
        contactModel_->refresh();
    if (touches(lists, TabList::Channels))
        channelModel_->refresh();
    zonesPage_->refill(lists);
    scanListsPage_->refill(lists);
    rxGroupsPage_->refill(lists);
}

void MainWindow::applyResult(const CommandResult& result)
{
    if (touches(result.refresh, TabList::Contacts | TabList::Channels))
        status_->setText(fromUtf8(statusText(document_.codeplug)));
    refillListTabs(result.refresh);
    if (!result.selectedRow)
        return;
    // The command acted on a list of the tab in front.
    QWidget* current = tabs_->currentWidget();
    if (current == contactsTab_)
        selectContactRow(*result.selectedRow);
    else if (current == channelsTab_)
        selectChannelRow(*result.selectedRow);
    else if (current == zonesTab_)
        zonesPage_->selectMemberRow(*result.selectedRow);
    else if (current == scanListsTab_)
        scanListsPage_->selectMemberRow(*result.selectedRow);
    else if (current == rxGroupsTab_)
        rxGroupsPage_->selectMemberRow(*result.selectedRow);
}

} // namespace pw::ui
