// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include "iddb/id_database.h"
#include "operations/channel_transfer.h"
#include "operations/chirp_csv.h"
#include "operations/contact_commands.h"
#include "operations/qdmr_codeplug.h"
#include "plugwright_version.h"
#include "presenter/list_columns.h"
#include "ui/list_filter_bar.h"
#include "ui/record_list_view.h"
#include "ui/record_tab_page.h"
#include "ui/rx_groups_tab.h"
#include "ui/scan_lists_tab.h"
#include "ui/zones_tab.h"
#include "ui/record_table_models.h"
#include "ui/window_settings.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QIcon>
#include <QDialog>
#include <QFileInfo>
#include <QUrl>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace pw::ui {
namespace {

constexpr const char* ProductName = "Korvane Plugwright";
constexpr const char* Notice = "Free software for DMR radio owners";

// The README as installed, or beside the sources for a program run from its build tree.
QString readmePath()
{
    const QString installed = QStringLiteral(PLUGWRIGHT_DOC_DIR "/README.md");
    return QFileInfo::exists(installed) ? installed : QStringLiteral(PLUGWRIGHT_SOURCE_DIR "/README.md");
}

} // namespace

QString MainWindow::productTitle()
{
    return QStringLiteral("%1 %2 %3").arg(QString::fromLatin1(ProductName), QString::fromLatin1(PlugwrightShortVersion),
                                          QString::fromLatin1(Notice));
}

MainWindow::MainWindow(Prompts* prompts, QWidget* parent) : QMainWindow(parent)
{
    if (!prompts) {
        ownPrompts_ = std::make_unique<QtPrompts>(this);
        prompts = ownPrompts_.get();
    }
    windowPrompts_ = std::make_unique<StatusBarPrompts>(*prompts, *statusBar());
    prompts_ = windowPrompts_.get();

    setWindowTitle(productTitle());
    // The installed icon; run from the build tree, where the icon theme has none, a stock one.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("org.plugwright.Plugwright"),
                                   style()->standardIcon(QStyle::SP_DriveFDIcon)));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* header = new QWidget(central);
    buildHeader(header);
    layout->addWidget(header);
    tabs_ = new QTabWidget(central);
    layout->addWidget(tabs_, 1);
    setCentralWidget(central);
    buildMenus();
    buildTabs();
    rebuildTabs(true);
    fillRadioTypes();
    refreshAll();
    showHistoryState();
    setAcceptDrops(true);
    // The size and place the window had when it was last closed.
    if (!restoreWindowGeometry(*this, QStringLiteral("mainWindow")))
        resize(1200, 720);
    qApp->installEventFilter(this);
    startIdDatabase();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildHeader(QWidget* area)
{
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    workingFile_ = new QLineEdit(QStringLiteral("(None)"), area);
    workingFile_->setReadOnly(true);
    auto* openButton = new QPushButton(QStringLiteral("Open Codeplug File..."), area);
    auto* saveButton = new QPushButton(QStringLiteral("Save Work File"), area);
    saveButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    status_ = new QLineEdit(area);
    status_->setReadOnly(true);
    radioName_ = new QLineEdit(area);
    radioName_->setMaxLength(16);
    radioName_->setEnabled(false);
    radioId_ = new QLineEdit(area);
    radioId_->setEnabled(false);
    radioType_ = new QComboBox(area);
    auto* exitButton = new QPushButton(QStringLiteral("Exit"), area);

    grid->addWidget(new QLabel(QStringLiteral("Working Codeplug File"), area), 0, 0);
    grid->addWidget(workingFile_, 0, 1, 1, 3);
    grid->addWidget(openButton, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("Status"), area), 1, 0);
    grid->addWidget(status_, 1, 1, 1, 3);
    auto* saveArea = new QHBoxLayout();
    saveArea->addWidget(new QLabel(QStringLiteral("Save Codeplug File"), area));
    saveArea->addWidget(saveButton, 1);
    grid->addLayout(saveArea, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Radio Name"), area), 2, 0);
    grid->addWidget(radioName_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Radio DMR ID Number"), area), 2, 2);
    grid->addWidget(radioId_, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("Radio Type"), area), 3, 0);
    grid->addWidget(radioType_, 3, 1, 1, 3);
    grid->addWidget(exitButton, 3, 4);

    connect(openButton, &QPushButton::clicked, this, [this] { openFile(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
    // textEdited fires for the user's typing only, never for the window's own filling.
    connect(radioName_, &QLineEdit::textEdited, this, &MainWindow::radioNameEdited);
    connect(radioId_, &QLineEdit::textEdited, this, &MainWindow::radioIdEdited);
    connect(radioType_, QOverload<int>::of(&QComboBox::activated), this, &MainWindow::radioTypeChosen);
    // Typing in an identity box is one step of the history once the box is left.
    connect(radioName_, &QLineEdit::editingFinished, this, [this] { recordEdit("Radio Name Change"); });
    connect(radioId_, &QLineEdit::editingFinished, this, [this] { recordEdit("Radio ID Change"); });
}

void MainWindow::buildMenus()
{
    auto* file = menuBar()->addMenu(QStringLiteral("&File"));
    auto* openAction = file->addAction(QStringLiteral("Open Codeplug..."), this, [this] { openFile(); });
    openAction->setShortcut(QKeySequence::Open);
    recentMenu_ = file->addMenu(QStringLiteral("Open &Recent"));
    fillRecentFilesMenu();
    auto* saveAction = file->addAction(QStringLiteral("Save Codeplug"), this, [this] { save(); });
    saveAction->setShortcut(QKeySequence::Save);
    auto* saveAsAction = file->addAction(QStringLiteral("Save As..."), this, [this] { saveAs(); });
    saveAsAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), QKeySequence(Qt::Key_F12)});
    saveAsAction->setShortcutContext(Qt::ApplicationShortcut);
    auto* backupAction = file->addAction(QStringLiteral("Keep a &Backup on First Save"));
    backupAction->setCheckable(true);
    backupAction->setChecked(backupOnSave());
    connect(backupAction, &QAction::toggled, this, [](bool on) { setBackupOnSave(on); });
    file->addSeparator();
    auto* exitAction = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Ctrl+C and Ctrl+V are caught in eventFilter: record copy and paste when a list has the
    // focus, the text box's own when a text box has it. The menu only shows them.
    auto* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    undoAction_ = edit->addAction(QStringLiteral("&Undo"), this, &MainWindow::undo);
    undoAction_->setShortcut(QKeySequence::Undo);
    redoAction_ = edit->addAction(QStringLiteral("&Redo"), this, &MainWindow::redo);
    redoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    edit->addAction(QStringLiteral("Copy\tCtrl+C"), this, &MainWindow::copySelection);
    edit->addAction(QStringLiteral("Paste\tCtrl+V"), this, &MainWindow::paste);
    edit->addSeparator();
    edit->addAction(QStringLiteral("Add Contact..."), this, &MainWindow::addContact);
    edit->addAction(QStringLiteral("Add Channel..."), this, [this] {
        if (!document_.codeplug.loaded())
            return;
        tabs_->setCurrentWidget(channelsTab_);
        addChannel();
    });
    edit->addAction(QStringLiteral("Mass Change Channels..."), this, [this] {
        if (!document_.codeplug.loaded())
            return;
        tabs_->setCurrentWidget(channelsTab_);
        massChangeChannels();
    });
    edit->addAction(QStringLiteral("Zone Wizard..."), this, [this] {
        if (!document_.codeplug.loaded())
            return;
        tabs_->setCurrentWidget(channelsTab_);
        runZoneWizard();
    });

    edit->addSeparator();
    auto* find = edit->addAction(QStringLiteral("&Find in List"), this, &MainWindow::focusFilter);
    find->setShortcut(QKeySequence::Find);

    auto* dataMenu = menuBar()->addMenu(QStringLiteral("&Data"));
    dataMenu->addAction(QStringLiteral("Export Contacts to CSV..."), this, &MainWindow::exportContactsCsv);
    dataMenu->addAction(QStringLiteral("Import Contacts from CSV..."), this, &MainWindow::importContactsCsv);
    dataMenu->addAction(QStringLiteral("Import Contacts from Codeplug..."), this, &MainWindow::importContactsFromCodeplug);
    dataMenu->addAction(QStringLiteral("Import Contacts from Online DMR Database"), this, &MainWindow::openIdSearcher);
    dataMenu->addSeparator();
    dataMenu->addAction(QStringLiteral("Export Channels to CSV..."), this, &MainWindow::exportChannelsCsv);
    dataMenu->addAction(QStringLiteral("Import Channels from CSV..."), this, &MainWindow::importChannelsCsv);
    dataMenu->addAction(QStringLiteral("Import Channels from Codeplug..."), this, &MainWindow::importChannelsFromCodeplug);
    dataMenu->addSeparator();
    dataMenu->addAction(QStringLiteral("Export to qdmr..."), this,
                        [this] { exportQdmrCommand(document_.codeplug, *prompts_); });
    dataMenu->addAction(QStringLiteral("Import from qdmr..."), this,
                        [this] { runImport("Import from qdmr", "Importing records...", &importQdmrCommand); });
    dataMenu->addAction(QStringLiteral("Export FM Channels to CHIRP..."), this,
                        [this] { exportChirpCommand(document_.codeplug, *prompts_); });
    dataMenu->addAction(QStringLiteral("Import FM Channels from CHIRP..."), this,
                        [this] { runImport("Import FM Channels from CHIRP", "Importing channels...", &importChirpCommand); });
    dataMenu->addSeparator();
    dataMenu->addAction(QStringLiteral("Add Talkgroups from Network..."), this, &MainWindow::openTalkgroupAdder);
    dataMenu->addAction(QStringLiteral("Add Repeaters of an Area..."), this, &MainWindow::openRepeaterAdder);
    dataMenu->addSeparator();
    dataMenu->addAction(QStringLiteral("Audit Codeplug Contents..."), this, [this] {
        prompts_->message(MessageIcon::Information, MessageButtons::Ok,
                          "Plugwright Advanced Feature - Not Yet Available");
    });
    auto* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("About..."), this, &MainWindow::showAbout);
}

void MainWindow::buildTabs()
{
    contactModel_ = new ContactTableModel(document_.codeplug, this);
    channelModel_ = new ChannelTableModel(document_.codeplug, this);

    RecordTabPage::Commands contactCommands;
    contactCommands.buttonRows = {
        {{"Import More Contacts from Another Codeplug...", [this] { importContactsFromCodeplug(); }},
         {"Import More Contacts from a CSV File...", [this] { importContactsCsv(); }}},
        {{"Export All Contacts to a CSV File...", [this] { exportContactsCsv(); }},
         {"Import Contacts from DMR Online Database....", [this] { openIdSearcher(); }}},
    };
    contactCommands.sort = [this](int column) { sortContacts(column); };
    contactCommands.edit = [this](int row) { editContact(row); };
    // A contact is found by any column but its number; callsign to remarks are empty where the
    // format keeps none of them.
    RecordFilter contactFilter(document_.codeplug,
                               {ContactColumn::DmrId, ContactColumn::Name, ContactColumn::CallType,
                                ContactColumn::AlertTone, ContactColumn::Callsign, ContactColumn::City,
                                ContactColumn::State, ContactColumn::Country, ContactColumn::Remarks});
    contactsPage_ = new RecordTabPage(*contactModel_, std::move(contactFilter), {ContactTableModel::ColumnWidths, 10},
                                      QStringLiteral("contactList"), std::move(contactCommands), this);
    contactsTab_ = contactsPage_;
    contactView_ = contactsPage_->view();

    RecordTabPage::Commands channelCommands;
    channelCommands.buttonRows = {{
        {"Export to CSV...", [this] { exportChannelsCsv(); }},
        {"Import From CSV...", [this] { importChannelsCsv(); }},
        {"Import from Codeplug...", [this] { importChannelsFromCodeplug(); }},
    }};
    channelCommands.sort = [this](int column) { sortChannels(column); };
    channelCommands.edit = [this](int row) { editChannel(row); };
    RecordFilter channelFilter(document_.codeplug,
                               {ChannelColumn::Name, ChannelColumn::RxFrequency, ChannelColumn::Mode,
                                ChannelColumn::Bandwidth, ChannelColumn::TxFrequency, ChannelColumn::Admit,
                                ChannelColumn::Power, ChannelColumn::Slot, ChannelColumn::Color,
                                ChannelColumn::TxContact, ChannelColumn::RxGroup});
    channelsPage_ = new RecordTabPage(*channelModel_, std::move(channelFilter), {ChannelTableModel::ColumnWidths, 12},
                                      QStringLiteral("channelList"), std::move(channelCommands), this);
    channelsTab_ = channelsPage_;
    channelView_ = channelsPage_->view();

    zonesTab_ = new QWidget(this);
    scanListsTab_ = new QWidget(this);
    rxGroupsTab_ = new QWidget(this);
    structuralImportTab_ = new QWidget(this);
    buildListTabs();
    buildStructuralImportTab();
    buildContextMenus();

    errorsTab_ = new QWidget(this);
    auto* errorsLayout = new QVBoxLayout(errorsTab_);
    auto* group = new QGroupBox(QStringLiteral("Error Log"), errorsTab_);
    auto* groupLayout = new QVBoxLayout(group);
    errorBox_ = new QPlainTextEdit(group);
    errorBox_->setReadOnly(true);
    groupLayout->addWidget(errorBox_);
    errorsLayout->addWidget(group);
    errorsTab_->hide();
}

void MainWindow::rebuildTabs(bool allTabs)
{
    const auto& codeplug = document_.codeplug;
    tabs_->clear();
    const struct {
        QWidget* tab;
        const char* title;
        std::uint32_t flag;
    } tabs[] = {
        {contactsTab_, "Contacts", feature::ContactsTab},
        {channelsTab_, "Channels", feature::ChannelsTab},
        {zonesTab_, "Zones", feature::ZonesTab},
        {scanListsTab_, "Scan Lists", feature::ScanListsTab},
        {rxGroupsTab_, "Rx Groups", feature::RxGroupsTab},
        {structuralImportTab_, "Structural Import", feature::StructuralImportTab},
    };
    for (const auto& t : tabs) {
        if (allTabs || codeplug.hasFeature(t.flag))
            tabs_->addTab(t.tab, QString::fromLatin1(t.title));
        else
            t.tab->hide();
    }
    errorsTab_->hide();
    tabs_->setCurrentIndex(0);
}

OpenOutcome MainWindow::openFile(const QString& path)
{
    recordEdit("Edit");
    // A path given relative to where the program started is shown, and kept, whole.
    const QString absolute = path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
    const auto outcome = openCodeplugCommand(document_, *prompts_, absolute.isEmpty() ? std::string() : toPath(absolute),
                                             [this](OpenOutcome opened) { showOpened(opened); });
    if (outcome == OpenOutcome::Opened || outcome == OpenOutcome::OpenedWithErrors)
        rememberRecentFile(fromPath(document_.path));
    else if (document_.codeplug.loaded() && !document_.codeplug.changed())
        history_.markSaved();  // the question before the open saved the old codeplug
    updateTitle();
    return outcome;
}

void MainWindow::showOpened(OpenOutcome outcome)
{
    // A file that did not open leaves the window, and the codeplug it shows, as they were.
    if (outcome == OpenOutcome::OpenFailed || outcome == OpenOutcome::DecodeFailed)
        return;
    errorBox_->clear();
    workingFile_->setText(fromPath(document_.path));
    if (outcome == OpenOutcome::OpenedWithErrors) {
        rebuildTabs(true);
        tabs_->addTab(errorsTab_, QStringLiteral("Errors"));
        tabs_->setCurrentWidget(errorsTab_);
        errorBox_->setPlainText(fromUtf8(document_.codeplug.errorLogText()));
    } else {
        rebuildTabs(false);
    }
    listState_.reset(document_.codeplug);
    history_.reset(document_.codeplug);
    document_.keepBackup = backupOnSave();
    clearSortIndicators();
    radioName_->setEnabled(true);
    radioId_->setEnabled(true);
    refreshAll();
    showHistoryState();
    checkStructuralImportBoxesForOpen();
    // The keys work on the list at once: arrows, Enter, Ctrl+F.
    if (QWidget* list = tabs_->currentWidget()->findChild<QTableView*>())
        list->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::save()
{
    recordEdit("Edit");
    showRadioIdentity();
    const bool saved = saveCodeplugCommand(document_, *prompts_) == SaveOutcome::Saved;
    if (saved)
        history_.markSaved();
    refreshAll();
    return saved;
}

bool MainWindow::saveAs()
{
    recordEdit("Edit");
    bool formChanged = false;
    const bool saved = saveCodeplugAsCommand(document_, *prompts_, &formChanged) == SaveOutcome::Saved;
    // The other form is another file: the steps before it belong to the old one.
    if (formChanged)
        history_.reset(document_.codeplug);
    if (saved)
        history_.markSaved();
    if (document_.codeplug.loaded())
        workingFile_->setText(fromPath(document_.path));
    refreshAll();
    return saved;
}

void MainWindow::refreshAll()
{
    status_->setText(fromUtf8(statusText(document_.codeplug)));
    // The contact list shows the descriptive texts only of a format that keeps them.
    for (int column = 0; column < ContactColumnCount; ++column)
        contactView_->setColumnHidden(column, !shows(document_.codeplug, static_cast<ContactColumn>(column)));
    showRadioIdentity();
    listState_.fitTo(document_.codeplug);
    // Refills the contact and channel lists too: the tabs' master lists are views of them.
    refillListTabs(TabList::Contacts | TabList::Channels | TabList::Zones | TabList::ScanLists | TabList::RxGroups);
    if (!stepRunning_)
        recordEdit("Edit");
    updateTitle();
}

QString MainWindow::statusLine() const { return status_->text(); }
QString MainWindow::workingFileText() const { return workingFile_->text(); }
QString MainWindow::errorText() const { return errorBox_->toPlainText(); }

QStringList MainWindow::tabTitles() const
{
    QStringList titles;
    for (int i = 0; i < tabs_->count(); ++i)
        titles << tabs_->tabText(i);
    return titles;
}

void MainWindow::showRadioIdentity()
{
    const auto& codeplug = document_.codeplug;
    fillingIdentity_ = true;
    const auto name = codeplug.radioName();
    radioName_->setText(name ? fromUtf8(*name) : QString());
    const auto id = codeplug.radioDmrId();
    radioId_->setText(id != 0 ? QString::number(id) : QString());
    fillingIdentity_ = false;
    fillRadioTypes();
}

void MainWindow::radioNameEdited(const QString& text)
{
    if (fillingIdentity_ || !document_.codeplug.loaded())
        return;
    document_.codeplug.setRadioName(toUtf8(text.left(16)));
    updateTitle();
}

void MainWindow::radioIdEdited(const QString& text)
{
    if (fillingIdentity_ || !document_.codeplug.loaded())
        return;
    // The leading digits make the number; it is kept to 24 bits.
    std::uint64_t value = 0;
    for (const QChar c : text) {
        if (!c.isDigit())
            break;
        value = (value * 10 + static_cast<std::uint64_t>(c.digitValue())) & 0xFFFFFFFFull;
    }
    document_.codeplug.setRadioDmrId(static_cast<std::uint32_t>(value & 0xFFFFFF));
    updateTitle();
}

void MainWindow::fillRadioTypes()
{
    const auto& codeplug = document_.codeplug;
    radioType_->blockSignals(true);
    radioType_->clear();
    const auto format = codeplug.formatId();
    // An MD-380 radio image has no vendor entry to choose: it shows that its model is unknown.
    if (codeplug.loaded() && (format != Md380Format || !codeplug.hasFeature(feature::VendorChange))) {
        radioType_->addItem(fromUtf8(format == Md2017Format ? std::string("MD-2017") : codeplug.radioTypeText()));
        radioType_->setCurrentIndex(0);
    } else {
        for (int entry = 0; entry <= 4; ++entry)
            radioType_->addItem(fromUtf8(codeplug.vendorName(entry)));
        // Without a codeplug no radio type is chosen yet.
        const int own = codeplug.vendorIndex();
        radioType_->setCurrentIndex(!codeplug.loaded() ? -1 : own >= 1 && own <= 4 ? own : 0);
    }
    radioType_->setEnabled(codeplug.hasFeature(feature::VendorChange));
    radioType_->blockSignals(false);
}

void MainWindow::radioTypeChosen(int entry)
{
    auto& codeplug = document_.codeplug;
    if (!codeplug.loaded()) {
        prompts_->message(MessageIcon::Information, MessageButtons::Ok,
                          "To use this command, first load a valid codeplug.");
        fillRadioTypes();
        return;
    }
    if (codeplug.hasFeature(feature::VendorChange) && entry > 0) {
        EditStep step(*this, "Radio Type Change");
        codeplug.setVendor(entry);
        fillRadioTypes();
        prompts_->notify("Codeplug is now set to interoperate with:\r\n\r\n" + codeplug.radioTypeText());
        return;
    }
    fillRadioTypes();
}

void MainWindow::sortContacts(int column, ContactListKind list)
{
    EditStep step(*this, "Sort Contacts");
    const SortOrder order = contactSort_.orderFor(column);
    bool sorted = false;
    {
        BusyScope busy(*prompts_);
        const auto progress = progressFor("Sorting...");
        sorted = sortContactsCommand(document_.codeplug, column, list, progress.get(), order);
    }
    if (sorted) {
        contactSort_.sorted(column, order);
        refreshAll();
    }
    // The heading moves its indicator on any click: it stays on the column the table is sorted by,
    // in every list that shows the contacts and sorts them.
    showSortIndicators();
}

void MainWindow::sortChannels(int column, ChannelSortGuard guard)
{
    if (document_.codeplug.loaded() && document_.codeplug.channels().count() > 0) {
        EditStep step(*this, "Sort Channels");
        const SortOrder order = channelSort_.orderFor(column);
        TransferOutcome outcome;
        {
            BusyScope busy(*prompts_);
            outcome = sortChannelsCommand(document_.codeplug, *prompts_, column, guard == ChannelSortGuard::Feature, order);
        }
        if (outcome.done()) {
            channelSort_.sorted(column, order);
            refreshAll();
        }
    }
    showSortIndicators();
}

int MainWindow::runDialog(QDialog& dialog)
{
    if (!dialogDriver_)
        return dialog.exec();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    dialogDriver_(dialog);
    dialog.hide();
    return dialog.result();
}

QString MainWindow::aboutText()
{
    const QString readme = readmePath();
    return QStringLiteral("<p><b>%1</b> %2</p><p>%3: the codeplug files of DMR radios, their contacts, "
                          "channels, zones, scan lists and receive groups.</p>"
                          "<p>Licence: GNU General Public License, version 3 or (at your option) any later "
                          "version. The program comes with no warranty.</p>"
                          "<p>How to use it: the README, <a href=\"%4\">%5</a></p>")
        .arg(QString::fromLatin1(ProductName), QString::fromLatin1(PlugwrightVersion), QString::fromLatin1(Notice),
             QUrl::fromLocalFile(readme).toString(), readme.toHtmlEscaped());
}

void MainWindow::showAbout()
{
    QMessageBox box(this);
    box.setWindowTitle(QStringLiteral("About %1").arg(QString::fromLatin1(ProductName)));
    box.setIconPixmap(windowIcon().pixmap(64, 64));
    box.setTextFormat(Qt::RichText);
    box.setText(aboutText());
    box.addButton(QMessageBox::Ok);
    runDialog(box);
}

ListFilterBar* MainWindow::contactFilter() const { return contactsPage_->filterBar(); }
ListFilterBar* MainWindow::channelFilter() const { return channelsPage_->filterBar(); }

ListFilterBar* MainWindow::currentFilter() const
{
    QWidget* current = tabs_->currentWidget();
    if (current == contactsTab_)
        return contactFilter();
    if (current == channelsTab_)
        return channelFilter();
    for (const ListTabPage* page : std::initializer_list<const ListTabPage*>{zonesPage_, scanListsPage_, rxGroupsPage_})
        if (current->isAncestorOf(page))
            return page->masterFilter();
    return nullptr;
}

void MainWindow::focusFilter()
{
    if (ListFilterBar* filter = currentFilter())
        filter->focusBox();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (closeCommand(document_, *prompts_, [this] { writeSettings(); }))
        event->accept();
    else
        event->ignore();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape do nothing in the main window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace pw::ui
