#include "ui/scan_lists_tab.h"

#include "codeplug/codeplug.h"
#include "operations/scan_list_commands.h"
#include "ui/list_tab_models.h"
#include "ui/main_window.h"
#include "ui/record_table_models.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

namespace pw::ui {
namespace {

constexpr int ScanListMemberWidths[] = {30, 115, 60, 40, 40};
constexpr int MasterChannelWidths[] = {30, 100, 65, 40, 40};

const ListTabTexts ScanListTexts = {
    "Scan List", "Channels in Scan List", "Master Channel List",
    "Double-click channels to move them in or out of the Scan List.", "scanList",
};

} // namespace

ScanListsTab::ScanListsTab(MainWindow& window, ChannelTableModel& channels, QWidget* parent)
    : ListTabPage(window, ScanListTexts, new ChannelMembersModel(channels), {ScanListMemberWidths, 5}, &channels,
                  {MasterChannelWidths, 5}, parent),
      channels_(channels),
      members_(static_cast<ChannelMembersModel*>(memberView()->model()))
{
    addCommandButton(topButtons_, "Previous Group", "scanListPreviousButton",
                     [this] { return previousScanList(codeplug(), state()); });
    addCommandButton(topButtons_, "Next Group", "scanListNextButton",
                     [this] { return nextScanList(codeplug(), state()); });
    addCommandButton(topButtons_, "[+] New Scan List", "newScanListButton",
                     [this] { return newScanListCommand(codeplug(), prompts(), state()); });
    addCommandButton(topButtons_, "[-] Delete Scan List", "deleteScanListButton",
                     [this] { return deleteScanListCommand(codeplug(), prompts(), state()); });
    addCommandButton(topButtons_, "Rename...", "renameScanListButton",
                     [this] { return renameScanListCommand(codeplug(), prompts(), state()); });

    addCommandButton(sideButtons_, "Move Item Up", "scanListMoveUpButton", [this] {
        const auto row = selectedMemberRow();
        return row ? moveScanListMemberUp(codeplug(), state(), *row) : CommandResult{};
    });
    addCommandButton(sideButtons_, "Move Item Down", "scanListMoveDownButton", [this] {
        const auto row = selectedMemberRow();
        return row ? moveScanListMemberDown(codeplug(), state(), *row) : CommandResult{};
    });
    sideButtons_->addStretch(1);
}

void ScanListsTab::refill(TabList lists)
{
    if (!touches(lists, TabList::ScanLists | TabList::Channels))
        return;
    const Codeplug& plug = codeplug();
    const ListTabState& tabState = state();
    std::vector<int> members;
    QString name;
    if (plug.loaded() && tabState.currentScanList && *tabState.currentScanList < plug.scanLists().count()) {
        const ScanList* list = plug.scanListAt(*tabState.currentScanList);
        name = fromLatin1(list->name());
        for (int i = 0; i < list->memberCount(); ++i)
            members.push_back(list->memberChannelIndex(i, plug.channels()));
    }
    nameBox()->setText(name);
    members_->setMembers(std::move(members));
}

CommandResult ScanListsTab::addFromMaster(int row)
{
    return addChannelToScanList(codeplug(), prompts(), state(), row);
}

CommandResult ScanListsTab::removeMember(int row)
{
    return removeChannelFromScanList(codeplug(), state(), row);
}

bool ScanListsTab::masterShowsPlaceholder() const
{
    return channels_.showsPlaceholder();
}

std::unique_ptr<QMenu> ScanListsTab::memberMenu(int row)
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("SCANLIST"));
    menu->addAction(QStringLiteral("Remove Channel from Scan List"), this,
                    [this, row] { showResult(removeMember(row)); });
    const int channel = members_->channelIndexAt(row);
    menu->addAction(QStringLiteral("Edit Channel..."), this, [this, channel] { editChannelAt(channel); });
    return menu;
}

std::unique_ptr<QMenu> ScanListsTab::masterMenu(int row)
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("SCANLISTMASTERCH"));
    menu->addAction(QStringLiteral("Add Channel to Scan List"), this,
                    [this, row] { showResult(addFromMaster(row)); });
    menu->addAction(QStringLiteral("Edit Channel..."), this, [this, row] { editChannelAt(row); });
    return menu;
}

void ScanListsTab::editChannelAt(int channelIndex)
{
    if (channelIndex < 0 || !codeplug().channelAt(channelIndex))
        return;
    window_.editChannel(channelIndex);
    CommandResult result;
    result.refresh = TabList::Channels | TabList::Zones | TabList::ScanLists;
    showResult(result);
}

} // namespace pw::ui
