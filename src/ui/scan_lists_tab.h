// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Scan Lists tab: the current scan list's name and its channels beside the master channel list.

#include "ui/channel_list_tab_page.h"

namespace pw::ui {

class ScanListsTab final : public ChannelListTabPage {
    Q_OBJECT
public:
    ScanListsTab(MainWindow& window, ChannelTableModel& channels, QWidget* parent);

    void refill(TabList lists) override;
};

} // namespace pw::ui
