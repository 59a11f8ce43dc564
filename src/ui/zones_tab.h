#pragma once
// The Zones tab: the current zone's name, the members of its shown bank beside the master channel
// list, the bank buttons for zones with two banks, copy and paste of a zone and "Reorder... ".

#include "ui/list_tab_page.h"

namespace pw::ui {

class ChannelMembersModel;
class ChannelTableModel;

class ZonesTab final : public ListTabPage {
    Q_OBJECT
public:
    // `copyZone` puts the zone shown on the window's clipboard ("Copy Zone").
    ZonesTab(MainWindow& window, ChannelTableModel& channels, std::function<void()> copyZone, QWidget* parent);

    void refill(TabList lists) override;

    QPushButton* bankSwitchButton() const { return bankSwitch_; }
    QPushButton* mirrorButton() const { return mirror_; }

    // Opens the "Reorder Zones" dialog through the window.
    CommandResult reorderZones();

protected:
    CommandResult addFromMaster(int row) override;
    CommandResult removeMember(int row) override;
    bool masterShowsPlaceholder() const override;
    std::unique_ptr<QMenu> memberMenu(int row) override;
    std::unique_ptr<QMenu> masterMenu(int row) override;

private:
    void sortChannels(int column);
    // Opens the channel editor on the channel at table position `channelIndex`, then refills what
    // shows channels.
    void editChannelAt(int channelIndex);

    ChannelTableModel& channels_;
    ChannelMembersModel* members_;
    QPushButton* bankSwitch_ = nullptr;
    QPushButton* mirror_ = nullptr;
};

} // namespace pw::ui
