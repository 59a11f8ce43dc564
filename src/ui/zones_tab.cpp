// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/zones_tab.h"

#include "codeplug/codeplug.h"
#include "operations/reorder_zones.h"
#include "operations/zone_commands.h"
#include "ui/main_window.h"
#include "ui/record_table_models.h"
#include "ui/reorder_zones_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
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

const ChannelMenuTexts ZoneMenuTexts = {
    "Zone_Channels", "&Remove Channel from Zone", "&Edit Channel...", "ZONEMASTERCH", "Add Channel to Zone",
};

} // namespace

ZonesTab::ZonesTab(MainWindow& window, ChannelTableModel& channels, std::function<void()> copyZone,
                   QWidget* parent)
    : ChannelListTabPage(window, ZoneTexts, listTabCommands<Zone>(), ZoneMenuTexts, channels, {ZoneListWidths, 5},
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

    // Real files hold dozens of zones: the drop-down reaches any of them at once.
    zoneChoice_ = new QComboBox(this);
    zoneChoice_->setObjectName(QStringLiteral("zoneChoice"));
    zoneChoice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    bankLabel_ = new QLabel(this);
    bankLabel_->setObjectName(QStringLiteral("zoneBankLabel"));
    topButtons_->insertWidget(2, zoneChoice_);
    topButtons_->insertWidget(3, bankLabel_);
    connect(zoneChoice_, QOverload<int>::of(&QComboBox::activated), this, &ZonesTab::zoneChosen);

    // Unlike the Channels tab, this list sorts whatever the format allows for channel edits.
    sortMasterOnHeadingClick([this](int column) { window_.sortChannels(column, MainWindow::ChannelSortGuard::None); });
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
    bankLabel_->setText(labels ? (tabState.shownBank == 2 ? QStringLiteral("Bank B") : QStringLiteral("Bank A"))
                               : QString());
    fillZoneChoice();
}

void ZonesTab::fillZoneChoice()
{
    const Codeplug& plug = codeplug();
    const int count = plug.loaded() ? plug.zones().count() : 0;
    zoneChoice_->blockSignals(true);
    zoneChoice_->clear();
    for (int i = 0; i < count; ++i)
        zoneChoice_->addItem(QStringLiteral("%1 of %2: %3").arg(i + 1).arg(count).arg(fromUtf8(plug.zones().at(i)->name())));
    zoneChoice_->setCurrentIndex(count > 0 ? state().currentZone.value_or(0) : -1);
    zoneChoice_->setEnabled(count > 0);
    zoneChoice_->blockSignals(false);
}

void ZonesTab::zoneChosen(int entry)
{
    if (entry < 0 || entry >= codeplug().zones().count())
        return;
    state().currentZone = entry;
    CommandResult result;
    result.refresh = TabList::Zones;
    showResult(result);
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

} // namespace pw::ui
