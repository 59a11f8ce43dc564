// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Zones tab: the current zone's name, the members of its shown bank beside the master channel
// list, the bank buttons for zones with two banks, copy and paste of a zone and "Reorder... ".

#include "ui/channel_list_tab_page.h"

class QComboBox;
class QLabel;

namespace pw::ui {

class ZonesTab final : public ChannelListTabPage {
    Q_OBJECT
public:
    // `copyZone` puts the zone shown on the window's clipboard ("Copy Zone").
    ZonesTab(MainWindow& window, ChannelTableModel& channels, std::function<void()> copyZone, QWidget* parent);

    void refill(TabList lists) override;

    QPushButton* bankSwitchButton() const { return bankSwitch_; }
    QPushButton* mirrorButton() const { return mirror_; }
    // The drop-down of every zone ("3 of 47: NAME") beside Previous and Next, and the label naming
    // the bank shown.
    QComboBox* zoneChoice() const { return zoneChoice_; }
    QLabel* bankLabel() const { return bankLabel_; }

    // Opens the "Reorder Zones" dialog through the window.
    CommandResult reorderZones();

private:
    void fillZoneChoice();
    void zoneChosen(int entry);

    QPushButton* bankSwitch_ = nullptr;
    QPushButton* mirror_ = nullptr;
    QComboBox* zoneChoice_ = nullptr;
    QLabel* bankLabel_ = nullptr;
};

} // namespace pw::ui
