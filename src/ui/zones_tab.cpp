#include "ui/zones_tab.h"

#include "codeplug/codeplug.h"
#include "operations/channel_transfer.h"
#include "operations/reorder_zones.h"
#include "operations/zone_commands.h"
#include "ui/list_tab_models.h"
#include "ui/main_window.h"
#include "ui/record_table_models.h"
#include "ui/reorder_zones_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace pw::ui {
namespace {

constexpr int ZoneListWidths[] = {30, 100, 65, 40, 40};

const ListTabTexts ZoneTexts = {
    "Zone", "Channels in Zone", "Master Channel List",
    "Double-click channels to move them in or out of the Zone.", "zone",
};

} // namespace

ZonesTab::ZonesTab(MainWindow& window, ChannelTableModel& channels, std::function<void()> copyZone,
                   QWidget* parent)
    : ListTabPage(window, ZoneTexts, new ChannelMembersModel(channels), {ZoneListWidths, 5}, &channels,
                  {ZoneListWidths, 5}, parent),
      channels_(channels),
      members_(static_cast<ChannelMembersModel*>(memberView()->model()))
{
    addCommandButton(topButtons_, "Previous Group", "zonePreviousButton",
                     [this] { return previousZone(codeplug(), state()); });
    addCommandButton(topButtons_, "Next Group", "zoneNextButton", [this] { return nextZone(codeplug(), state()); });
    addCommandButton(topButtons_, "[+] New Zone", "newZoneButton",
                     [this] { return newZoneCommand(codeplug(), prompts(), state()); });
    addCommandButton(topButtons_, "[-] Delete Zone", "deleteZoneButton",
                     [this] { return deleteZoneCommand(codeplug(), prompts(), state()); });
    addCommandButton(topButtons_, "Rename...", "renameZoneButton",
                     [this] { return renameZoneCommand(codeplug(), prompts(), state()); });

    addCommandButton(sideButtons_, "Move Item Up", "zoneMoveUpButton", [this] {
        const auto row = selectedMemberRow();
        return row ? moveZoneMemberUp(codeplug(), state(), *row) : CommandResult{};
    });
    addCommandButton(sideButtons_, "Move Item Down", "zoneMoveDownButton", [this] {
        const auto row = selectedMemberRow();
        return row ? moveZoneMemberDown(codeplug(), state(), *row) : CommandResult{};
    });
    bankSwitch_ = addCommandButton(sideButtons_, "[A] -- [B]", "zoneBankButton",
                                   [this] { return switchZoneBank(codeplug(), state()); });
    mirror_ = addCommandButton(sideButtons_, "Mirror Bank...", "zoneMirrorButton",
                               [this] { return mirrorZoneBank(codeplug(), prompts(), state()); });
    addCommandButton(sideButtons_, "Copy Zone", "copyZoneButton", [copyZone = std::move(copyZone)] {
        copyZone();
        return CommandResult{};
    });
    addCommandButton(sideButtons_, "Paste Zone", "pasteZoneButton", [this] {
        window_.paste();
        return CommandResult{};
    });
    addCommandButton(sideButtons_, "Reorder... ", "reorderZonesButton", [this] { return reorderZones(); });
    sideButtons_->addStretch(1);

    masterView()->horizontalHeader()->setSectionsClickable(true);
    connect(masterView()->horizontalHeader(), &QHeaderView::sectionClicked, this, &ZonesTab::sortChannels);
    bankSwitch_->hide();
    mirror_->hide();
}

void ZonesTab::refill(TabList lists)
{
    if (!touches(lists, TabList::Zones | TabList::Channels))
        return;
    const Codeplug& plug = codeplug();
    const ListTabState& tabState = state();
    std::vector<int> members;
    QString name;
    if (plug.loaded() && tabState.currentZone && *tabState.currentZone < plug.zones().count()) {
        Zone* zone = plug.zones().at(*tabState.currentZone);
        zone->selectBank(tabState.shownBank);
        name = fromLatin1(zone->name());
        for (int i = 0; i < zone->memberCount(); ++i)
            members.push_back(zone->memberChannelIndex(i, plug.channels()));
    }
    nameBox()->setText(name);
    members_->setMembers(std::move(members));

    // Only zones with two banks have a bank to switch to or mirror into.
    const auto labels = zoneBankButtonLabels(plug, tabState);
    bankSwitch_->setVisible(labels.has_value());
    mirror_->setVisible(labels.has_value());
    if (labels) {
        bankSwitch_->setText(fromLatin1(labels->bankSwitch));
        mirror_->setText(fromLatin1(labels->mirror));
    }
}

CommandResult ZonesTab::reorderZones()
{
    if (!canOpenReorderZones(codeplug(), prompts()))
        return {};
    ReorderZonesDialog dialog(codeplug(), prompts(), &window_);
    window_.runDialog(dialog);
    CommandResult result = finishReorderZones(codeplug(), state());
    result.modelChanged = dialog.movedAny();
    return result;
}

CommandResult ZonesTab::addFromMaster(int row)
{
    return addChannelToZone(codeplug(), prompts(), state(), row);
}

CommandResult ZonesTab::removeMember(int row)
{
    return removeChannelFromZone(codeplug(), state(), row);
}

bool ZonesTab::masterShowsPlaceholder() const
{
    return channels_.showsPlaceholder();
}

std::unique_ptr<QMenu> ZonesTab::memberMenu(int row)
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("Zone_Channels"));
    menu->addAction(QStringLiteral("&Remove Channel from Zone"), this,
                    [this, row] { showResult(removeMember(row)); });
    const int channel = members_->channelIndexAt(row);
    menu->addAction(QStringLiteral("&Edit Channel..."), this, [this, channel] { editChannelAt(channel); });
    return menu;
}

std::unique_ptr<QMenu> ZonesTab::masterMenu(int row)
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("ZONEMASTERCH"));
    menu->addAction(QStringLiteral("Add Channel to Zone"), this, [this, row] { showResult(addFromMaster(row)); });
    menu->addAction(QStringLiteral("Edit Channel..."), this, [this, row] { editChannelAt(row); });
    return menu;
}

void ZonesTab::sortChannels(int column)
{
    if (!codeplug().loaded() || codeplug().channels().count() == 0)
        return;
    TransferOutcome outcome;
    {
        BusyScope busy(prompts());
        // Unlike the Channels tab, this list sorts whatever the format allows for channel edits.
        outcome = sortChannelsCommand(codeplug(), prompts(), column, /*guarded=*/false);
    }
    if (outcome.done())
        window_.refreshAll();
}

void ZonesTab::editChannelAt(int channelIndex)
{
    if (channelIndex < 0 || !codeplug().channelAt(channelIndex))
        return;
    window_.editChannel(channelIndex);
    CommandResult result;
    result.refresh = TabList::Channels | TabList::Zones | TabList::ScanLists;
    showResult(result);
}

} // namespace pw::ui
