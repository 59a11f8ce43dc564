// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/rx_groups_tab.h"

#include "codeplug/codeplug.h"
#include "operations/contact_commands.h"
#include "ui/filtered_list_model.h"
#include "ui/list_tab_models.h"
#include "ui/main_window.h"
#include "ui/record_table_models.h"

#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

#include <iterator>

namespace pw::ui {
namespace {

constexpr int RxGroupListWidths[] = {30, 95, 120, 70};
constexpr int RxGroupListColumns = static_cast<int>(std::size(RxGroupListWidths));
constexpr int ContactTypeColumn = 3;

// The master list: the contact list under this tab's headings, found by the columns it shows and
// by the contacts' callsign, city, state and country.
FilteredListModel* masterList(const Codeplug& codeplug, ContactTableModel& contacts)
{
    auto* list = new FilteredListModel(
        contacts, RecordFilter(codeplug, {ContactColumn::DmrId, ContactColumn::Name, ContactColumn::CallType,
                                          ContactColumn::Callsign, ContactColumn::City, ContactColumn::State,
                                          ContactColumn::Country}));
    list->setHeading(ContactTypeColumn, QStringLiteral("Type"));
    return list;
}

// The member list: the group's contacts under the master list's headings.
MemberListModel* memberList(ContactTableModel& contacts)
{
    auto* list = new MemberListModel(contacts, RxGroupListColumns);
    list->setHeading(ContactTypeColumn, QStringLiteral("Type"));
    return list;
}

const ListTabTexts RxGroupTexts = {
    nullptr, "Contacts in Group", "Master Contact List",
    "Double-click contacts to move them in or out of the Receive Group.", "rxGroup",
    "[+] New Rx Group", "newRxGroupButton", "[-] Delete Rx Group", "deleteRxGroupButton", "renameRxGroupButton",
};

} // namespace

RxGroupsTab::RxGroupsTab(MainWindow& window, ContactTableModel& contacts, QWidget* parent)
    : ListTabPage(window, RxGroupTexts, listTabCommands<RxGroupList>(), memberList(contacts),
                  {RxGroupListWidths, RxGroupListColumns}, masterList(window.document().codeplug, contacts),
                  {RxGroupListWidths, RxGroupListColumns}, parent),
      contacts_(contacts),
      members_(static_cast<MemberListModel*>(memberView()->model()))
{
    sideButtons_->addStretch(1);
    // Every heading but "No." sorts here, "Type" included.
    sortMasterOnHeadingClick([this](int column) { window_.sortContacts(column, ContactListKind::RxGroupMaster); });
}

void RxGroupsTab::refill(TabList lists)
{
    if (!touches(lists, TabList::RxGroups | TabList::Contacts))
        return;
    const Codeplug& plug = codeplug();
    const ListTabState& tabState = state();
    std::vector<int> members;
    QString name;
    if (plug.loaded() && tabState.currentRxGroup && *tabState.currentRxGroup < plug.rxGroupLists().count()) {
        const RxGroupList* list = plug.rxGroupListAt(*tabState.currentRxGroup);
        name = fromUtf8(list->name());
        // Members are 1-based contact positions.
        for (int i = 0; i < list->memberCount(); ++i)
            members.push_back(list->member(i) - 1);
    }
    nameBox()->setText(name);
    members_->setMembers(std::move(members));
}

bool RxGroupsTab::masterShowsPlaceholder() const
{
    return contacts_.showsPlaceholder();
}

} // namespace pw::ui
