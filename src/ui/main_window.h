#pragma once
// The program's only top-level window: the header area (working file, status, radio identity,
// radio type) above the tabs of the working codeplug, and the routing of every command.

#include "operations/document_commands.h"
#include "platform/settings_store.h"
#include "ui/qt_platform.h"
#include "ui/qt_prompts.h"

#include <QMainWindow>

#include <memory>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QTableView;

namespace pw::ui {

class ContactTableModel;
class ChannelTableModel;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // `prompts` answers the window's questions; by default they are Qt dialogs over this window.
    explicit MainWindow(Prompts* prompts = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    WorkingDocument& document() { return document_; }
    Prompts& prompts() { return *prompts_; }

    // The commands of the menus and buttons, also for tests.
    OpenOutcome openFile(const QString& path = {});
    int save();
    int saveAs();
    void refreshAll();

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

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildHeader(QWidget* area);
    void buildMenus();
    void buildTabs();
    void rebuildTabs(bool allTabs);
    void showRadioIdentity();
    void fillRadioTypes();
    void radioNameEdited(const QString& text);
    void radioIdEdited(const QString& text);
    void radioTypeChosen(int entry);
    void sortContacts(int column);
    void sortChannels(int column);
    void showAbout();

    WorkingDocument document_;
    std::unique_ptr<QtPrompts> ownPrompts_;
    Prompts* prompts_;
    QtClipboard clipboard_;
    QtWebBrowser browser_;

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
    ContactTableModel* contactModel_ = nullptr;
    ChannelTableModel* channelModel_ = nullptr;
    // Filling the identity boxes is not a user edit: only edits made by the user are stored.
    bool fillingIdentity_ = false;
};

} // namespace pw::ui
