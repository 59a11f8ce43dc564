#include "ui/zones_tab.h"

#include "codeplug/codeplug.h"
#include "operations/channel_transfer.h"
#include "operations/reorder_zones.h"
#include "operations/zone_commands.h"
#include "ui/main_window.h"
#include "ui/record_table_models.h"
#include "ui/reorder_zones_dialog.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace pw::ui {
namespace {

constexpr int ZoneListWidths[] = {30, 100, 65, 40, 40};

const ListTabTexts ZoneTexts = {
    "Zone", "Channels in Zone", "Master Channel List",
    "Double-click channels to move them in or out of the Zone.", "zone",
    "[+] New Zone", "newZoneButton", "[-] Delete Zone", "deleteZoneButton", "renameZoneButton",
};

const ListTabCommands ZoneCommands = {
    previousZone, nextZone, newZoneCommand, deleteZoneCommand, renameZoneCommand,
    addChannelToZone, removeChannelFromZone, moveZoneMemberUp, moveZoneMemberDown,
};

const ChannelMenuTexts ZoneMenuTexts = {
    "Zone_Channels", "&Remove Channel from Zone", "&Edit Channel...", "ZONEMASTERCH", "Add Channel to Zone",
};

} // namespace

ZonesTab::ZonesTab(MainWindow& window, ChannelTableModel& channels, std::function<void()> copyZone,
                   QWidget* parent)
    : ChannelListTabPage(window, ZoneTexts, ZoneCommands, ZoneMenuTexts, channels, {ZoneListWidths, 5},
                         {ZoneListWidths, 5}, parent)
{
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

    sortMasterOnHeadingClick([this](int column) { return sortChannels(column); });
    bankSwitch_->hide();
    mirror_->hide();
}

void ZonesTab::refill(TabList lists)
{
    if (!touches(lists, TabList::Zones | TabList::Channels))
        return;
    const Codeplug& plug = codeplug();
    const ListTabState& tabState = state();
    Zone* zone = nullptr;
    if (plug.loaded() && tabState.currentZone && *tabState.currentZone < plug.zones().count()) {
        zone = plug.zones().at(*tabState.currentZone);
        zone->selectBank(tabState.shownBank);
    }
    showChannelList(zone);

    // Only zones with two banks have a bank to switch to or mirror into.
    const auto labels = zoneBankButtonLabels(plug, tabState);
    bankSwitch_->setVisible(labels.has_value());
    mirror_->setVisible(labels.has_value());
    if (labels) {
        bankSwitch_->setText(fromUtf8(labels->bankSwitch));
        mirror_->setText(fromUtf8(labels->mirror));
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

bool ZonesTab::sortChannels(int column)
{
    if (!codeplug().loaded() || codeplug().channels().count() == 0)
        return false;
    BusyScope busy(prompts());
    // Unlike the Channels tab, this list sorts whatever the format allows for channel edits.
    return sortChannelsCommand(codeplug(), prompts(), column, /*guarded=*/false).done();
}

} // namespace pw::ui
