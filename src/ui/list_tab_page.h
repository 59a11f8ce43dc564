// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Zones, Scan Lists and Rx Groups tabs have in common: the current list's name with its
// buttons above, its members beside the master list they are taken from, the hint below, and the
// way a command's result reaches the window.
//
// A double-click on the master list adds that record to the current list, a double-click on a
// member removes it. The master list has a filter box of its own; a splitter between the two lists
// sets their share of the page. Every command runs in src/operations; the pages only show its result.

#include "operations/list_tab_state.h"
#include "operations/member_list_commands.h"
#include "ui/record_list_view.h"

#include <QMenu>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QAbstractItemModel;
class QBoxLayout;
class QSplitter;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace pw {
class Codeplug;
class Prompts;
}

namespace pw::ui {

class FilteredListModel;
class ListFilterBar;
class MainWindow;

// True when `lists` names any list of `wanted`.
constexpr bool touches(TabList lists, TabList wanted)
{
    return (static_cast<unsigned>(lists) & static_cast<unsigned>(wanted)) != 0;
}

struct ListTabTexts {
    const char* nameCaption;    // "Zone"; none when the name box stands alone
    const char* memberCaption;  // "Channels in Zone"
    const char* masterCaption;  // "Master Channel List"
    const char* hint;
    const char* objectPrefix;   // names the page's controls: "zone" gives "zoneNameBox" and so on
    // The buttons beside the name box whose names do not follow the prefix.
    const char* newButton;      // "[+] New Zone"
    const char* newButtonName;  // "newZoneButton"
    const char* deleteButton;
    const char* deleteButtonName;
    const char* renameButtonName;
};

// The operations behind a page's buttons and double-clicks, the same for every list tab but for
// the kind of list they work on.
struct ListTabCommands {
    CommandResult (*previous)(const Codeplug&, ListTabState&);
    CommandResult (*next)(const Codeplug&, ListTabState&);
    CommandResult (*create)(Codeplug&, Prompts&, ListTabState&);
    CommandResult (*remove)(Codeplug&, Prompts&, ListTabState&);
    CommandResult (*rename)(Codeplug&, Prompts&, ListTabState&);
    CommandResult (*addMember)(Codeplug&, Prompts&, ListTabState&, int masterRow);
    CommandResult (*removeMember)(Codeplug&, ListTabState&, int memberRow);
    // None on a page whose members keep no order of their own: it shows no move buttons.
    CommandResult (*moveMemberUp)(Codeplug&, ListTabState&, int memberRow) = nullptr;
    CommandResult (*moveMemberDown)(Codeplug&, ListTabState&, int memberRow) = nullptr;
};

// The commands of the tab over `List` (Zone, ScanList or RxGroupList); the member moves only where
// the list keeps its members in an order of their own.
template <typename List>
constexpr ListTabCommands listTabCommands()
{
    using Commands = MemberListCommands<List>;
    ListTabCommands commands{Commands::previous, Commands::next,      Commands::create,      Commands::remove,
                             Commands::rename,   Commands::addMember, Commands::removeMember};
    if constexpr (OrderedMembers<List>) {
        commands.moveMemberUp = moveListMemberUp<List>;
        commands.moveMemberDown = moveListMemberDown<List>;
    }
    return commands;
}

class ListTabPage : public QWidget {
    Q_OBJECT
public:
    QLineEdit* nameBox() const { return nameBox_; }
    QTableView* memberView() const { return memberView_; }
    QTableView* masterView() const { return masterView_; }
    ListFilterBar* masterFilter() const { return masterFilter_; }
    // The page's button showing `text`, or none.
    QPushButton* button(const QString& text) const;

    // The member row holding the selection mark, if any.
    std::optional<int> selectedMemberRow() const;
    void selectMemberRow(int row);

    // Refills what of this page shows the lists named.
    virtual void refill(TabList lists) = 0;

    // The context menu of `view` (the member or the master list) for a click at `position` of its
    // viewport: nothing unless the row clicked holds the selection mark, or the list has no menu.
    std::unique_ptr<QMenu> contextMenuAt(QTableView* view, const QPoint& position);

protected:
    // Builds the page with the buttons every list tab has: the list buttons beside the name box
    // and, when the commands move members, the move buttons at the top of the side column. A
    // page adds its own side buttons below them, then closes the column with a stretch.
    ListTabPage(MainWindow& window, const ListTabTexts& texts, const ListTabCommands& commands,
                QAbstractItemModel* members, ListColumns memberColumns, FilteredListModel* master,
                ListColumns masterColumns, QWidget* parent);

    using Command = std::function<CommandResult()>;
    // A button that runs `command` and shows its result.
    QPushButton* addCommandButton(QBoxLayout* layout, const char* text, const QString& objectName, Command command);
    // Shows a command's result: the window refills what it names, and the selection mark of the
    // member list moves where the result puts it.
    void showResult(const CommandResult& result);

    // The double-clicks: add the record at table position `row` to the current list, remove
    // member `row`.
    CommandResult addFromMaster(int row);
    CommandResult removeMember(int row);
    // Lets the master list's headings sort its table through `sort`.
    void sortMasterOnHeadingClick(std::function<void(int column)> sort);
    // Whether the master list shows its "No Channels" or "No Contacts" row instead of records.
    virtual bool masterShowsPlaceholder() const = 0;
    // The context menus of the two lists on `row` (a member row, or the table position of a
    // master record); none by default.
    virtual std::unique_ptr<QMenu> memberMenu(int) { return nullptr; }
    virtual std::unique_ptr<QMenu> masterMenu(int) { return nullptr; }

    Codeplug& codeplug() const;
    Prompts& prompts() const;
    ListTabState& state() const;

    MainWindow& window_;
    QHBoxLayout* topButtons_ = nullptr;    // beside the name box
    QVBoxLayout* sideButtons_ = nullptr;   // between the two lists

private:
    // Runs the move command on the member holding the selection mark, if any.
    CommandResult moveSelectedMember(CommandResult (*moveCommand)(Codeplug&, ListTabState&, int));
    void addListButtons(const ListTabTexts& texts);
    void addMoveButtons(const char* objectPrefix);

    ListTabCommands commands_;
    QLineEdit* nameBox_ = nullptr;
    QTableView* memberView_ = nullptr;
    QTableView* masterView_ = nullptr;
    ListFilterBar* masterFilter_ = nullptr;
};

} // namespace pw::ui
