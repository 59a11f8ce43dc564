#include "ui/rx_groups_tab.h"

#include "codeplug/codeplug.h"
#include "operations/contact_commands.h"
#include "operations/rx_group_commands.h"
#include "ui/list_tab_models.h"
#include "ui/main_window.h"
#include "ui/record_table_models.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace pw::ui {
namespace {

constexpr int RxGroupListWidths[] = {30, 95, 120, 70};

const ListTabTexts RxGroupTexts = {
    nullptr, "Contacts in Group", "Master Contact List",
    "Double-click contacts to move them in or out of the Receive Group.", "rxGroup",
};

} // namespace

RxGroupsTab::RxGroupsTab(MainWindow& window, ContactTableModel& contacts, QAbstractItemModel* masterContacts,
                         QWidget* parent)
    : ListTabPage(window, RxGroupTexts, new ContactMembersModel(contacts), {RxGroupListWidths, 4}, masterContacts,
                  {RxGroupListWidths, 4}, parent),
      contacts_(contacts),
      members_(static_cast<ContactMembersModel*>(memberView()->model()))
{
    addCommandButton(topButtons_, "Previous Group", "rxGroupPreviousButton",
                     [this] { return previousRxGroup(codeplug(), state()); });
    addCommandButton(topButtons_, "Next Group", "rxGroupNextButton",
                     [this] { return nextRxGroup(codeplug(), state()); });
    addCommandButton(topButtons_, "[+] New Rx Group", "newRxGroupButton",
                     [this] { return newRxGroupCommand(codeplug(), prompts(), state()); });
    addCommandButton(topButtons_, "[-] Delete Rx Group", "deleteRxGroupButton",
                     [this] { return deleteRxGroupCommand(codeplug(), prompts(), state()); });
    addCommandButton(topButtons_, "Rename...", "renameRxGroupButton",
                     [this] { return renameRxGroupCommand(codeplug(), prompts(), state()); });
    sideButtons_->addStretch(1);

    masterView()->horizontalHeader()->setSectionsClickable(true);
    connect(masterView()->horizontalHeader(), &QHeaderView::sectionClicked, this, &RxGroupsTab::sortContacts);
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
        name = fromLatin1(list->name());
        // Members are 1-based contact positions.
        for (int i = 0; i < list->memberCount(); ++i)
            members.push_back(list->member(i) - 1);
    }
    nameBox()->setText(name);
    members_->setMembers(std::move(members));
}

CommandResult RxGroupsTab::addFromMaster(int row)
{
    return addContactToRxGroup(codeplug(), prompts(), state(), row);
}

CommandResult RxGroupsTab::removeMember(int row)
{
    return removeContactFromRxGroup(codeplug(), state(), row);
}

bool RxGroupsTab::masterShowsPlaceholder() const
{
    return contacts_.showsPlaceholder();
}

void RxGroupsTab::sortContacts(int column)
{
    bool sorted = false;
    {
        BusyScope busy(prompts());
        // Every heading but "No." sorts here, "Type" included.
        sorted = sortContactsCommand(codeplug(), column, ContactListKind::RxGroupMaster);
    }
    if (sorted)
        window_.refreshAll();
}

} // namespace pw::ui
