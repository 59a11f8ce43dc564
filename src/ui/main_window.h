// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's only top-level window: the header area (working file, status, radio identity,
// radio type) above the tabs of the working codeplug, and the routing of every command.

#include "iddb/settings_block.h"
#include "operations/contact_commands.h"
#include "operations/document_commands.h"
#include "operations/list_tab_state.h"
#include "operations/transfer_outcome.h"
#include "platform/settings_store.h"
#include "presenter/edit_history.h"
#include "ui/qt_platform.h"
#include "ui/qt_prompts.h"
#include "ui/record_list_view.h"
#include "ui/status_bar_prompts.h"
#include "ui/work_progress_dialog.h"

#include <QMainWindow>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QLayout;
class QMenu;
class QPoint;
class QPushButton;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QTableView;
class QDragEnterEvent;
class QDropEvent;

namespace pw {
class IdDatabase;
struct IdDatabaseOptions;
class TalkgroupCatalogue;
} // namespace pw

namespace pw::ui {

class ContactTableModel;
class ChannelTableModel;
class ListFilterBar;
class RecordTabPage;
class ZonesTab;
class ScanListsTab;
class RxGroupsTab;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // `prompts` answers the window's questions; by default they are Qt dialogs over this window.
    // Notices of success go to the window's status bar instead.
    explicit MainWindow(Prompts* prompts = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    WorkingDocument& document() { return document_; }
    Prompts& prompts() { return *prompts_; }

    // The commands of the menus and buttons, also for tests.
    OpenOutcome openFile(const QString& path = {});
    // Whether the codeplug was saved.
    bool save();
    bool saveAs();
    void refreshAll();

    // Undo and redo (main_window_history.cpp). Every command that may change the codeplug runs
    // inside an EditStep named as the Edit menu names its undo ("Mass Change"): when the outermost
    // step ends, a change makes one step of the history. Changes made outside any step are kept
    // when the window next refreshes, as "Edit".
    class EditStep {
    public:
        EditStep(MainWindow& window, std::string label);
        ~EditStep();
        EditStep(const EditStep&) = delete;
        EditStep& operator=(const EditStep&) = delete;

    private:
        MainWindow& window_;
        bool outermost_;
    };
    void undo();
    void redo();
    const EditHistory& history() const { return history_; }
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }
    // The files opened last, newest first, as the File menu lists them.
    QStringList recentFiles() const;

    // Edit menu and context-menu commands (main_window_commands.cpp).
    void copySelection();
    void paste();
    // The deletes of the contact and channel lists (context menu, Delete key) on their selection.
    void deleteSelectedContacts();
    void deleteSelectedChannels();
    // Contact and channel editors (main_window_editors.cpp). Rows are 0-based table positions.
    void addContact();
    void editContact(int row);
    void addChannel();
    void editChannel(int row);
    // The channel dialogs and the ID database searcher (main_window_dialogs.cpp). Both channel
    // dialogs work on the rows selected in the channel list.
    void massChangeChannels();
    void runZoneWizard();
    void openIdSearcher();
    // "Add Talkgroups from Network..." and "Add Repeaters of an Area..." (main_window_networks.cpp).
    void openTalkgroupAdder();
    void openRepeaterAdder();
    // The ID database the window owns. It starts downloading from the user's sources when the
    // window is made; useIdDatabase replaces it by one that fetches from other sources (stopping
    // the old download first) and starts that download, so that tests never reach the real hosts.
    IdDatabase& idDatabase() { return *idDatabase_; }
    void useIdDatabase(const IdDatabaseOptions& options);
    const SettingsBlock& settings() const { return settings_; }
    // The Zones, Scan Lists and Rx Groups tabs (main_window_list_tabs.cpp): refills the lists a
    // command left out of date, and moves the selection mark where the result puts it.
    void refillListTabs(TabList lists);
    void applyResult(const CommandResult& result);
    ListTabState& listTabState() { return listState_; }

    // Runs a modal dialog of the window and returns its result (QDialog::Accepted or Rejected).
    // Tests set a driver that fills the dialog's controls and presses its buttons instead of
    // waiting on a user; a dialog opened twice in one command meets the driver twice.
    using DialogDriver = std::function<void(QDialog&)>;
    void setDialogDriver(DialogDriver driver) { dialogDriver_ = std::move(driver); }
    int runDialog(QDialog& dialog);

    // The bar of one long work named `label` ("Sorting..."): it appears once the work has run
    // longer than the delay, half a second unless a test sets another.
    std::unique_ptr<WorkProgressDialog> progressFor(const char* label);
    void setProgressDelay(std::chrono::milliseconds delay) { progressDelay_ = delay; }

    // The rows selected in the contact and channel lists, in list order; none for the placeholder.
    std::vector<int> selectedContactRows() const;
    std::vector<int> selectedChannelRows() const;
    // The context menu of the contact or the channel list for a click at `position` of its
    // viewport: nothing unless the row clicked holds the selection mark.
    std::unique_ptr<QMenu> contextMenuAt(QTableView* view, const QPoint& position);

    // A click on a heading of a list of contacts or channels: sorts the table by that column, the
    // other way round when the list is sorted by it already. The Channels tab sorts only formats
    // that offer the channel operations; the Zones tab's master list sorts any.
    void sortContacts(int column, ContactListKind list = ContactListKind::ContactsTab);
    enum class ChannelSortGuard { Feature, None };
    void sortChannels(int column, ChannelSortGuard guard = ChannelSortGuard::Feature);

    // Selects `row` of a list, marks it and scrolls it into view.
    void selectContactRow(int row);
    void selectChannelRow(int row);

    // The filter box of the list in front (the master list on the Zones, Scan Lists and Rx Groups
    // tabs), none on the other tabs; Ctrl+F puts the focus there.
    ListFilterBar* currentFilter() const;
    void focusFilter();
    ListFilterBar* contactFilter() const;
    ListFilterBar* channelFilter() const;

    QTabWidget* tabs() const { return tabs_; }
    QTableView* contactView() const { return contactView_; }
    QTableView* channelView() const { return channelView_; }
    QString statusLine() const;
    QString workingFileText() const;
    QStringList tabTitles() const;
    QString errorText() const;
    QLineEdit* radioNameBox() const { return radioName_; }
    QLineEdit* radioIdBox() const { return radioId_; }
    QComboBox* radioTypeBox() const { return radioType_; }

    static QString productTitle();
    // Help > About: the program, its version and licence, and where its README is.
    void showAbout();
    static QString aboutText();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A codeplug file dropped on the window opens as if chosen.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Ctrl+C and Ctrl+V: record copy and paste, except in a text box, which edits its text.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Undo or redo: one step through the history, then the window shows the document it restored.
    void stepHistory(bool (EditHistory::*step)(Codeplug&));
    // Each builds the named tab into its placeholder widget (zonesTab_ and the others).
    void buildListTabs();             // main_window_list_tabs.cpp
    void buildStructuralImportTab();  // main_window_commands.cpp
    void buildContextMenus();         // main_window_commands.cpp
    std::unique_ptr<QMenu> contactContextMenu(int row);
    std::unique_ptr<QMenu> channelContextMenu(int row);
    void checkStructuralImportBoxesForOpen();
    void importSelectedStructures();
    // Called once the window stands: reads the settings and starts the ID database download
    // (main_window_dialogs.cpp); and the settings written again on every close.
    void startIdDatabase();
    void writeSettings();

    // Keeps the codeplug's state as a step of the history when it changed.
    void recordEdit(const std::string& label);
    // After an open, an undo or a redo: the history's names in the Edit menu, the title.
    void showHistoryState();
    void updateTitle();
    void rememberRecentFile(const QString& path);
    void fillRecentFilesMenu();
    // The lists' order is no longer that of a heading: their arrows go.
    void clearSortIndicators();
    // The arrow on the heading each table was last sorted by, in every list that sorts it.
    void showSortIndicators();

    void buildHeader(QWidget* area);
    void buildMenus();
    void buildTabs();
    void rebuildTabs(bool allTabs);
    // Shows the window's state for an open's outcome, before the open reports it.
    void showOpened(OpenOutcome outcome);
    void showRadioIdentity();
    void fillRadioTypes();
    void radioNameEdited(const QString& text);
    void radioIdEdited(const QString& text);
    void radioTypeChosen(int entry);
    // The transfer commands of the Data menu and the tab buttons (main_window_commands.cpp).
    // Runs an import of the Data menu and refills the lists when it did its work.
    void runImport(const char* label, const char* progressLabel,
                   TransferOutcome (*command)(Codeplug&, Prompts&, WorkProgress*));
    // Runs a network dialog over the working codeplug as the edit step `label`
    // (main_window_networks.cpp).
    template <typename Dialog>
    void runNetworkDialog(const char* label, typename Dialog::Setup setup);
    void exportContactsCsv();
    void importContactsCsv();
    void importContactsFromCodeplug();
    void exportChannelsCsv();
    void importChannelsCsv();
    void importChannelsFromCodeplug();

    WorkingDocument document_;
    std::unique_ptr<QtPrompts> ownPrompts_;
    std::unique_ptr<StatusBarPrompts> windowPrompts_;
    Prompts* prompts_;
    QtClipboard clipboard_;

    QLineEdit* workingFile_ = nullptr;
    QLineEdit* status_ = nullptr;
    QLineEdit* radioName_ = nullptr;
    QLineEdit* radioId_ = nullptr;
    QComboBox* radioType_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTableView* contactView_ = nullptr;
    QTableView* channelView_ = nullptr;
    QPlainTextEdit* errorBox_ = nullptr;
    QWidget* contactsTab_ = nullptr;
    QWidget* channelsTab_ = nullptr;
    QWidget* zonesTab_ = nullptr;
    QWidget* scanListsTab_ = nullptr;
    QWidget* rxGroupsTab_ = nullptr;
    QWidget* structuralImportTab_ = nullptr;
    QWidget* errorsTab_ = nullptr;
    RecordTabPage* contactsPage_ = nullptr;
    RecordTabPage* channelsPage_ = nullptr;
    ContactTableModel* contactModel_ = nullptr;
    ChannelTableModel* channelModel_ = nullptr;
    DialogDriver dialogDriver_;
    std::chrono::milliseconds progressDelay_ = WorkProgressDialog::DefaultDelay;
    EditHistory history_;
    // The label of the outermost EditStep running; empty when none runs.
    std::string stepLabel_;
    bool stepRunning_ = false;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    // The headings the contact and channel lists were last sorted by.
    HeadingSort contactSort_;
    HeadingSort channelSort_;
    std::vector<QCheckBox*> importBoxes_;
    QCheckBox* receiveGroupsBox_ = nullptr;
    ListTabState listState_;
    // The pages inside zonesTab_, scanListsTab_ and rxGroupsTab_ (main_window_list_tabs.cpp).
    ZonesTab* zonesPage_ = nullptr;
    ScanListsTab* scanListsPage_ = nullptr;
    RxGroupsTab* rxGroupsPage_ = nullptr;
    SettingsBlock settings_;
    std::unique_ptr<IdDatabase> idDatabase_;
    // How many of the download's messages the searcher has shown.
    // The searcher shows each load's outcomes once, in a message box.
    bool idReportShown_ = false;
    // The talkgroup list loaded last: the repeaters' talkgroup contacts are named from it.
    std::shared_ptr<const TalkgroupCatalogue> talkgroupCatalogue_;

    // Filling the identity boxes is not a user edit: only edits made by the user are stored.
    bool fillingIdentity_ = false;
};

} // namespace pw::ui
