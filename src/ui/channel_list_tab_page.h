// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Zones and Scan Lists tabs share beyond every list tab: both list channels, beside the
// master channel list, and both offer the channel editor from their context menus.

#include "ui/list_tab_page.h"

namespace pw {
class ScanList;
class Zone;
}

namespace pw::ui {

class MemberListModel;
class ChannelTableModel;

// The context menus of a channel list tab: their object names and the entries that name the list.
struct ChannelMenuTexts {
    const char* memberMenuName;   // "Zone_Channels"
    const char* removeEntry;      // "&Remove Channel from Zone"
    const char* editMemberEntry;  // "&Edit Channel..."
    const char* masterMenuName;   // "ZONEMASTERCH"
    const char* addEntry;         // "Add Channel to Zone"
};

class ChannelListTabPage : public ListTabPage {
    Q_OBJECT
protected:
    ChannelListTabPage(MainWindow& window, const ListTabTexts& texts, const ListTabCommands& commands,
                       const ChannelMenuTexts& menuTexts, ChannelTableModel& channels, ListColumns memberColumns,
                       ListColumns masterColumns, QWidget* parent);

    // Shows the list's name and members, or an empty page for none.
    void showChannelList(const Zone* zone);
    void showChannelList(const ScanList* list);

    bool masterShowsPlaceholder() const override;
    std::unique_ptr<QMenu> memberMenu(int row) override;
    std::unique_ptr<QMenu> masterMenu(int row) override;

private:
    template <typename ChannelList>
    void showMembersOf(const ChannelList* list);
    // Opens the channel editor on the channel at table position `channelIndex`, then refills what
    // shows channels.
    void editChannelAt(int channelIndex);

    ChannelMenuTexts menuTexts_;
    ChannelTableModel& channels_;
    MemberListModel* members_;
};

} // namespace pw::ui
