// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Rx Groups tab: the current RX group list's name and its contacts beside the master contact
// list, which may hold every contact of a 160,000-contact codeplug.

#include "ui/list_tab_page.h"

namespace pw::ui {

class MemberListModel;
class ContactTableModel;

class RxGroupsTab final : public ListTabPage {
    Q_OBJECT
public:
    RxGroupsTab(MainWindow& window, ContactTableModel& contacts, QWidget* parent);

    void refill(TabList lists) override;

protected:
    bool masterShowsPlaceholder() const override;

private:
    ContactTableModel& contacts_;
    MemberListModel* members_;
};

} // namespace pw::ui
