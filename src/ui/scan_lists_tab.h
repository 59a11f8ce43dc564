#pragma once
// The Scan Lists tab: the current scan list's name and its channels beside the master channel list.

#include "ui/list_tab_page.h"

namespace pw::ui {

class ChannelMembersModel;
class ChannelTableModel;

class ScanListsTab final : public ListTabPage {
    Q_OBJECT
public:
    ScanListsTab(MainWindow& window, ChannelTableModel& channels, QWidget* parent);

    void refill(TabList lists) override;

protected:
    CommandResult addFromMaster(int row) override;
    CommandResult removeMember(int row) override;
    bool masterShowsPlaceholder() const override;
    std::unique_ptr<QMenu> memberMenu(int row) override;
    std::unique_ptr<QMenu> masterMenu(int row) override;

private:
    void editChannelAt(int channelIndex);

    ChannelTableModel& channels_;
    ChannelMembersModel* members_;
};

} // namespace pw::ui
