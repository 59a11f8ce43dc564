#include "ui/main_window.h"

#include "iddb/id_database.h"
#include "operations/channel_transfer.h"
#include "operations/contact_commands.h"
#include "plugwright_version.h"
#include "ui/record_list_view.h"
#include "ui/record_table_models.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QIcon>
#include <QDialog>
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
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace pw::ui {
namespace {

constexpr const char* ProductName = "Korvane Plugwright";
constexpr const char* Notice = "Free software for DMR radio owners";
constexpr const char* ProjectPage = "https://plugwright.example.org/donate";


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
    prompts_ = prompts;

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
    resize(900, 640);
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
    auto* donate = new QPushButton(QStringLiteral("Donate"), area);
    donate->setIcon(style()->standardIcon(QStyle::SP_DialogYesButton));
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
    grid->addWidget(new QLabel(QStringLiteral("Support this Project"), area), 2, 4);
    grid->addWidget(donate, 3, 4);
    grid->addWidget(exitButton, 4, 4);

    connect(openButton, &QPushButton::clicked, this, [this] { openFile(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(donate, &QPushButton::clicked, this, [this] { browser_.openPage(ProjectPage); });
    // textEdited fires for the user's typing only, never for the window's own filling.
    connect(radioName_, &QLineEdit::textEdited, this, &MainWindow::radioNameEdited);
    connect(radioId_, &QLineEdit::textEdited, this, &MainWindow::radioIdEdited);
    connect(radioType_, QOverload<int>::of(&QComboBox::activated), this, &MainWindow::radioTypeChosen);
}

void MainWindow::buildMenus()
{
    auto* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Open Codeplug..."), this, [this] { openFile(); });
    file->addAction(QStringLiteral("Save Codeplug"), this, [this] { save(); });
    auto* saveAsAction = file->addAction(QStringLiteral("Save As..."), this, [this] { saveAs(); });
    saveAsAction->setShortcut(QKeySequence(Qt::Key_F12));
    saveAsAction->setShortcutContext(Qt::ApplicationShortcut);

    // Ctrl+C and Ctrl+V are caught for the whole window in eventFilter, text boxes included, so
    // the menu only shows them.
    auto* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
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
    dataMenu->addAction(QStringLiteral("Audit Codeplug Contents..."), this, [this] {
        prompts_->message(MessageIcon::Information, MessageButtons::Ok,
                          "Plugwright Advanced Feature - Not Yet Available");
    });
    auto* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("About..."), this, &MainWindow::showAbout);
}

QPushButton* MainWindow::addButton(QLayout* layout, const char* text, void (MainWindow::*command)())
{
    auto* button = new QPushButton(QString::fromLatin1(text), layout->parentWidget());
    button->setAutoDefault(false);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, command);
    return button;
}

void MainWindow::buildTabs()
{
    contactModel_ = new ContactTableModel(document_.codeplug, this);
    channelModel_ = new ChannelTableModel(document_.codeplug, this);

    contactsTab_ = new QWidget(this);
    auto* contactsLayout = new QVBoxLayout(contactsTab_);
    contactView_ = makeRecordListView(contactModel_, {ContactTableModel::ColumnWidths, 5}, contactsTab_);
    contactView_->horizontalHeader()->setSectionsClickable(true);
    contactsLayout->addWidget(contactView_);
    auto* contactButtons = new QGridLayout();
    contactsLayout->addLayout(contactButtons);
    auto* contactButtonArea = new QHBoxLayout();
    contactButtons->addLayout(contactButtonArea, 0, 0);
    addButton(contactButtonArea, "Import More Contacts from Another Codeplug...", &MainWindow::importContactsFromCodeplug);
    addButton(contactButtonArea, "Import More Contacts from a CSV File...", &MainWindow::importContactsCsv);
    auto* contactButtonArea2 = new QHBoxLayout();
    contactButtons->addLayout(contactButtonArea2, 1, 0);
    addButton(contactButtonArea2, "Export All Contacts to a CSV File...", &MainWindow::exportContactsCsv);
    addButton(contactButtonArea2, "Import Contacts from DMR Online Database....", &MainWindow::openIdSearcher);
    connect(contactView_->horizontalHeader(), &QHeaderView::sectionClicked, this, &MainWindow::sortContacts);
    connect(contactView_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!contactModel_->showsPlaceholder())
            editContact(index.row());
    });

    channelsTab_ = new QWidget(this);
    auto* channelsLayout = new QVBoxLayout(channelsTab_);
    channelView_ = makeRecordListView(channelModel_, {ChannelTableModel::ColumnWidths, 12}, channelsTab_);
    channelView_->horizontalHeader()->setSectionsClickable(true);
    channelsLayout->addWidget(channelView_);
    auto* channelButtons = new QHBoxLayout();
    channelsLayout->addLayout(channelButtons);
    addButton(channelButtons, "Export to CSV...", &MainWindow::exportChannelsCsv);
    addButton(channelButtons, "Import From CSV...", &MainWindow::importChannelsCsv);
    addButton(channelButtons, "Import from Codeplug...", &MainWindow::importChannelsFromCodeplug);
    connect(channelView_->horizontalHeader(), &QHeaderView::sectionClicked, this, &MainWindow::sortChannels);
    connect(channelView_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!channelModel_->showsPlaceholder())
            editChannel(index.row());
    });

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
    return openCodeplugCommand(document_, *prompts_, path.isEmpty() ? std::string() : toPath(path),
                               [this](OpenOutcome outcome) { showOpened(outcome); });
}

void MainWindow::showOpened(OpenOutcome outcome)
{
    errorBox_->clear();
    if (outcome == OpenOutcome::OpenFailed) {
        // The old codeplug is gone: the window shows that nothing is loaded.
        workingFile_->setText(QStringLiteral("(None)"));
        rebuildTabs(true);
        radioName_->setEnabled(false);
        radioId_->setEnabled(false);
        listState_.reset(document_.codeplug);
        refreshAll();
        return;
    }
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
    // A file without valid data leaves the identity boxes as they were; the lists still show the
    // tables the decoder left, never rows of the previous file.
    const bool decoded = outcome != OpenOutcome::DecodeFailed;
    if (decoded) {
        radioName_->setEnabled(true);
        radioId_->setEnabled(true);
    }
    refreshAll();
    if (decoded)
        checkStructuralImportBoxesForOpen();
}

int MainWindow::save()
{
    showRadioIdentity();
    const int saved = saveCodeplugCommand(document_, *prompts_);
    refreshAll();
    return saved;
}

int MainWindow::saveAs()
{
    const int saved = saveCodeplugAsCommand(document_, *prompts_);
    if (document_.codeplug.loaded())
        workingFile_->setText(fromPath(document_.path));
    refreshAll();
    return saved;
}

void MainWindow::refreshAll()
{
    status_->setText(fromUtf8(statusText(document_.codeplug)));
    showRadioIdentity();
    listState_.fitTo(document_.codeplug);
    // Refills the contact and channel lists too: the tabs' master lists are views of them.
    refillListTabs(TabList::Contacts | TabList::Channels | TabList::Zones | TabList::ScanLists | TabList::RxGroups);
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
}

void MainWindow::fillRadioTypes()
{
    const auto& codeplug = document_.codeplug;
    radioType_->blockSignals(true);
    radioType_->clear();
    const auto format = codeplug.formatId();
    if (codeplug.loaded() && format != Md380Format) {
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
        codeplug.setVendor(entry);
        fillRadioTypes();
        prompts_->message(MessageIcon::Information, MessageButtons::Ok,
                          "Codeplug is now set to interoperate with:\r\n\r\n" + codeplug.radioTypeText());
        return;
    }
    fillRadioTypes();
}

void MainWindow::sortContacts(int column)
{
    bool sorted = false;
    {
        BusyScope busy(*prompts_);
        sorted = sortContactsCommand(document_.codeplug, column, ContactListKind::ContactsTab);
    }
    if (sorted)
        refreshAll();
}

void MainWindow::sortChannels(int column)
{
    if (!document_.codeplug.loaded() || document_.codeplug.channels().count() == 0)
        return;
    TransferOutcome outcome;
    {
        BusyScope busy(*prompts_);
        outcome = sortChannelsCommand(document_.codeplug, *prompts_, column);
    }
    if (outcome.done())
        refreshAll();
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

void MainWindow::showAbout()
{
    QMessageBox box(this);
    box.setWindowTitle(QStringLiteral("About %1").arg(QString::fromLatin1(ProductName)));
    box.setText(QStringLiteral("%1 %2\n\n%3\nBuild: %4 %5\n\n%6")
                    .arg(QString::fromLatin1(ProductName), QString::fromLatin1(PlugwrightVersion),
                         QString::fromLatin1(Notice), QStringLiteral(__DATE__), QStringLiteral(__TIME__),
                         QStringLiteral("For use with Connect Systems, Tytera, AnyTone, and many other "
                                        "RDT/RDB-format DMR transceivers.\n\nIf you have found this software "
                                        "useful, please consider donating to the project to support further "
                                        "development.")));
    box.addButton(QMessageBox::Ok);
    auto* visit = box.addButton(QStringLiteral("Visit Web Page to Donate to Project"), QMessageBox::ActionRole);
    box.exec();
    if (box.clickedButton() == visit)
        browser_.openPage(ProjectPage);
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
