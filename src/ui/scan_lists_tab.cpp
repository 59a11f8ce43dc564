// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scan_lists_tab.h"

#include "codeplug/codeplug.h"

#include <QVBoxLayout>

namespace pw::ui {
namespace {

constexpr int ScanListMemberWidths[] = {30, 115, 60, 40, 40};
constexpr int MasterChannelWidths[] = {30, 100, 65, 40, 40};

const ListTabTexts ScanListTexts = {
    "Scan List", "Channels in Scan List", "Master Channel List",
    "Double-click channels to move them in or out of the Scan List.", "scanList",
    "[+] New Scan List", "newScanListButton", "[-] Delete Scan List", "deleteScanListButton",
    "renameScanListButton",
};

const ChannelMenuTexts ScanListMenuTexts = {
    "SCANLIST", "Remove Channel from Scan List", "Edit Channel...", "SCANLISTMASTERCH", "Add Channel to Scan List",
};

} // namespace

ScanListsTab::ScanListsTab(MainWindow& window, ChannelTableModel& channels, QWidget* parent)
    : ChannelListTabPage(window, ScanListTexts, listTabCommands<ScanList>(), ScanListMenuTexts, channels,
                         {ScanListMemberWidths, 5}, {MasterChannelWidths, 5}, parent)
{
    sideButtons_->addStretch(1);
}

void ScanListsTab::refill(TabList lists)
{
    if (!touches(lists, TabList::ScanLists | TabList::Channels))
        return;
    const Codeplug& plug = codeplug();
    const ListTabState& tabState = state();
    const ScanList* list = nullptr;
    if (plug.loaded() && tabState.currentScanList && *tabState.currentScanList < plug.scanLists().count())
        list = plug.scanListAt(*tabState.currentScanList);
    showChannelList(list);
}

} // namespace pw::ui
