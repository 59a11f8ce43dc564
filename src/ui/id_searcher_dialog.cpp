// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/id_searcher_dialog.h"

#include "ui/window_settings.h"

#include <QFontMetrics>

#include "codeplug/codeplug.h"
#include "iddb/id_database.h"
#include "iddb/id_searcher.h"
#include "operations/id_contact_add.h"
#include "operations/id_load_report.h"
#include "platform/prompts.h"
#include "ui/id_export_dialog.h"
#include "ui/id_fit_dialog.h"
#include "ui/id_match_table_model.h"
#include "ui/load_status_box.h"
#include "ui/qt_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace pw::ui {
namespace {

constexpr int ProgressIntervalMs = 25;
constexpr int SearchTickMs = 50;

constexpr const char* TemplateNote =
    "              Format Codes for Name Template\r\n\r\n%F - First Name   %L - Last Name       %C - Callsign\r\n"
    "%CT - City           %ST - State             %CY - Country";
constexpr const char* AdditionalSearchNote =
    "Each line item specifies something that counts as a match, such as a state or city. The search result is the "
    "union of all items.";

// The multi-line boxes show LF line breaks; the searcher's texts keep CR LF, as they are stored.
std::string withCrLf(const QString& text)
{
    QString copy = text;
    copy.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return copy.toStdString();
}

QPushButton* button(const char* text, const char* name, QWidget* parent)
{
    auto* pushButton = new QPushButton(QString::fromLatin1(text), parent);
    pushButton->setObjectName(QString::fromLatin1(name));
    pushButton->setAutoDefault(false);
    return pushButton;
}

} // namespace

IdSearcherDialog::IdSearcherDialog(Setup setup, QWidget* parent)
    : QDialog(parent),
      setup_(std::move(setup)),
      database_(*setup_.database),
      prompts_(*setup_.prompts),
      additionalSearchText_(setup_.additionalSearchText)
{
    setWindowTitle(QStringLiteral("DMR Online Database Searcher"));
    buildControls();
    setStatus("Please Wait. Retrieving Database...");

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(ProgressIntervalMs);
    connect(progressTimer_, &QTimer::timeout, this, &IdSearcherDialog::followDownload);
    searchTimer_ = new QTimer(this);
    searchTimer_->setInterval(SearchTickMs);
    connect(searchTimer_, &QTimer::timeout, this, &IdSearcherDialog::countDownToSearch);
    progressTimer_->start();
    searchTimer_->start();
}

IdSearcherDialog::~IdSearcherDialog() = default;

void IdSearcherDialog::buildControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* searchGrid = new QGridLayout();
    layout->addLayout(searchGrid);
    generalSearch_ = new QLineEdit(this);
    generalSearch_->setObjectName(QStringLiteral("generalSearch"));
    generalSearch_->setEnabled(false);
    auto* searchButton = button("Search", "searchButton", this);
    auto* entireButton = button("Entire Database (WW)", "entireDatabaseButton", this);
    searchGrid->addWidget(new QLabel(QStringLiteral("General Search Information (Call sign, Name, etc)"), this), 0, 0);
    searchGrid->addWidget(generalSearch_, 1, 0);
    searchGrid->addWidget(searchButton, 1, 1);
    searchGrid->addWidget(entireButton, 1, 2);

    additionalSearch_ = new QPlainTextEdit(this);
    additionalSearch_->setObjectName(QStringLiteral("additionalSearch"));
    additionalSearch_->setEnabled(false);
    additionalSearch_->setPlainText(QString::fromStdString(additionalSearchText_));
    additionalSearch_->setMaximumHeight(90);
    auto* note = new QLabel(QString::fromLatin1(AdditionalSearchNote), this);
    note->setWordWrap(true);
    auto* clearButton = button("Clear", "clearButton", this);
    searchGrid->addWidget(new QLabel(QStringLiteral("Additional Search Information"), this), 2, 0);
    searchGrid->addWidget(additionalSearch_, 3, 0);
    searchGrid->addWidget(note, 3, 1);
    searchGrid->addWidget(clearButton, 3, 2);

    status_ = new LoadStatusBox("status", 80, "progress", this);
    // Bytes received of the total when the size is known, busy otherwise; the rows read as text.
    status_->progressBar()->setRange(0, 0);
    status_->progressBar()->setFormat(QStringLiteral("0 rows"));
    retry_ = button("Retry Connection", "retryButton", status_);
    retry_->hide();
    auto* loadFile = button("Load User List from File...", "loadFileButton", status_);
    status_->addButtons({retry_, loadFile});
    layout->addWidget(status_);

    layout->addWidget(new QLabel(QStringLiteral("Search Results"), this));
    model_ = new IdMatchTableModel(database_, this);
    results_ = new QTableView(this);
    results_->setObjectName(QStringLiteral("searchResults"));
    results_->setModel(model_);
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->setWordWrap(false);
    // Fixed row heights keep a list of millions of rows as cheap as a short one.
    results_->verticalHeader()->hide();
    results_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    results_->verticalHeader()->setDefaultSectionSize(20);
    // Wide enough for 7- and 8-digit IDs and the usual lengths of the texts, whatever the font.
    static const char* const Widest[IdMatchTableModel::ColumnCount] = {
        "16777215", "NNNNNNN", "NNNNNNNNNNNNNNNN", "NNNNNNNNNN", "NNNNNN", "NNNNNNNN", ""};
    const QFontMetrics metrics(results_->font());
    for (int column = 0; column < IdMatchTableModel::ColumnCount; ++column) {
        const QString heading = model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        results_->setColumnWidth(column, std::max({IdMatchTableModel::ColumnWidths[column],
                                                   metrics.horizontalAdvance(QString::fromLatin1(Widest[column])) + 12,
                                                   metrics.horizontalAdvance(heading) + 24}));
    }
    results_->horizontalHeader()->setStretchLastSection(true);
    rememberColumnWidths(results_);
    layout->addWidget(results_, 1);

    auto* addGrid = new QGridLayout();
    layout->addLayout(addGrid);
    template_ = new QLineEdit(QString::fromStdString(setup_.nameTemplate), this);
    template_->setObjectName(QStringLiteral("nameTemplate"));
    addGrid->addWidget(new QLabel(QStringLiteral("Name Template"), this), 0, 0);
    addGrid->addWidget(template_, 0, 1);
    addGrid->addWidget(new QLabel(fromUtf8(TemplateNote), this), 1, 0, 1, 2);
    recordType_ = new QComboBox(this);
    recordType_->setObjectName(QStringLiteral("recordType"));
    recordType_->addItems({QStringLiteral("Private Call"), QStringLiteral("Group Call"), QStringLiteral("All Call")});
    recordType_->setCurrentIndex(0);
    addGrid->addWidget(new QLabel(QStringLiteral("Type for Added Records"), this), 0, 2);
    addGrid->addWidget(recordType_, 0, 3);
    refreshContacts_ = new QCheckBox(QStringLiteral("Refresh Contacts"), this);
    refreshContacts_->setObjectName(QStringLiteral("refreshContacts"));
    addGrid->addWidget(refreshContacts_, 1, 2, 1, 2);

    auto* buttons = new QHBoxLayout();
    auto* addSelected = button("Add Selected Records", "addSelectedButton", this);
    addSelected->setDefault(true);
    auto* addAll = button("Add All Records", "addAllButton", this);
    auto* exportButton = button("Export as CSV...", "exportButton", this);
    auto* fitButton = button("Fit to Radio...", "fitButton", this);
    auto* done = button("Done Searching", "doneButton", this);
    for (auto* b : {addSelected, addAll, exportButton, fitButton, done})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    resize(820, 640);

    connect(searchButton, &QPushButton::clicked, this, &IdSearcherDialog::search);
    connect(entireButton, &QPushButton::clicked, this, &IdSearcherDialog::searchEntireDatabase);
    connect(clearButton, &QPushButton::clicked, this, &IdSearcherDialog::clearAdditionalSearch);
    connect(retry_, &QPushButton::clicked, this, &IdSearcherDialog::retryConnection);
    connect(loadFile, &QPushButton::clicked, this, &IdSearcherDialog::loadUserListFromFile);
    connect(addSelected, &QPushButton::clicked, this, &IdSearcherDialog::addSelectedRecords);
    connect(addAll, &QPushButton::clicked, this, &IdSearcherDialog::addAllRecords);
    connect(exportButton, &QPushButton::clicked, this, &IdSearcherDialog::exportAsCsv);
    connect(fitButton, &QPushButton::clicked, this, &IdSearcherDialog::fitToRadio);
    connect(done, &QPushButton::clicked, this, &QDialog::reject);
    connect(results_, &QTableView::doubleClicked, this, [this] { addSelectedRecords(); });
    connect(generalSearch_, &QLineEdit::textChanged, this, [this] { searchCountdown_ = SearchDelayTicks; });
    connect(additionalSearch_, &QPlainTextEdit::textChanged, this, [this] {
        additionalSearchText_ = withCrLf(additionalSearch_->toPlainText());
        searchCountdown_ = SearchDelayTicks;
    });
}

std::string IdSearcherDialog::nameTemplate() const { return template_->text().toStdString(); }

AddRecordsRequest IdSearcherDialog::addRequest() const
{
    AddRecordsRequest request;
    request.nameTemplate = nameTemplate();
    request.type = static_cast<AddedRecordType>(recordType_->currentIndex());
    request.refreshContacts = refreshContacts_->isChecked();
    return request;
}

QString IdSearcherDialog::statusText() const { return status_->status(); }

QProgressBar* IdSearcherDialog::progressBar() const { return status_->progressBar(); }

void IdSearcherDialog::setStatus(std::string_view text)
{
    status_->setStatus(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void IdSearcherDialog::followDownload()
{
    showProgress();
    if (database_.IsDone()) {
        if (!downloadSeenDone_) {
            downloadSeenDone_ = true;
            downloadEnded();
        }
        if (database_.RefreshReady()) {
            if (recordsInUse_)
                return;
            adoptRefresh();
        }
        // A refresh behind a published cache keeps the thread, and the bar, until it ends.
        if (database_.ReleaseFinishedThread() || !database_.HasThread()) {
            progressTimer_->stop();
            status_->progressBar()->hide();
        }
        return;
    }
    if (!database_.HasThread())
        downloadUnavailable();
}

void IdSearcherDialog::showProgress()
{
    const auto progress = database_.Progress();
    status_->showProgress(progress.bytes, progress.totalBytes, QStringLiteral("%L1 rows").arg(progress.rows));
}

QString IdSearcherDialog::loadStatus() const
{
    std::string text = database_.StatusText();
    for (const auto& line : database_.OutcomeLines())
        text += "\r\n" + line;
    if (database_.Progress().refreshing)
        text += "\r\nRefreshing the list in the background...";
    return QString::fromStdString(text);
}

void IdSearcherDialog::downloadEnded()
{
    status_->setStatus(loadStatus());
    generalSearch_->setEnabled(true);
    additionalSearch_->setEnabled(true);
    generalSearch_->setFocus();
    retry_->hide();
    showLoadReport();
}

void IdSearcherDialog::adoptRefresh()
{
    // The list shows rows of the records about to be replaced: empty it first.
    model_->clear();
    database_.AdoptRefresh();
    if (setup_.reportShown)
        *setup_.reportShown = false;
    status_->setStatus(loadStatus());
    showLoadReport();
}

void IdSearcherDialog::downloadUnavailable()
{
    progressTimer_->stop();
    status_->progressBar()->hide();
    setStatus("Database unavailable, sorry.\r\n\r\nClick Retry Connection to try connecting again.");
    retry_->show();
}

void IdSearcherDialog::showLoadReport()
{
    if (setup_.reportShown) {
        if (*setup_.reportShown)
            return;
        *setup_.reportShown = true;
    }
    pw::showLoadReport(database_, prompts_);
}

void IdSearcherDialog::countDownToSearch()
{
    if (searchCountdown_ > 0 && --searchCountdown_ == 0)
        search();
}

void IdSearcherDialog::showOutcome(const std::string& message)
{
    setStatus(message);
    model_->showMatches();
}

void IdSearcherDialog::search()
{
    if (!database_.IsDone())
        return;
    BusyScope busy(prompts_);
    if (const auto outcome = runSearch(database_, generalSearch_->text().toStdString(), additionalSearchText_))
        showOutcome(outcome->message);
}

void IdSearcherDialog::searchEntireDatabase()
{
    if (!database_.IsDone())
        return;
    BusyScope busy(prompts_);
    if (const auto outcome = runEntireDatabase(database_))
        showOutcome(outcome->message);
}

void IdSearcherDialog::clearAdditionalSearch()
{
    {
        const QSignalBlocker block(additionalSearch_);
        additionalSearch_->clear();
    }
    additionalSearchText_.clear();
    search();
}

void IdSearcherDialog::retryConnection()
{
    // The list reads the records, which the new load is about to replace.
    model_->clear();
    generalSearch_->setEnabled(false);
    additionalSearch_->setEnabled(false);
    if (setup_.reportShown)
        *setup_.reportShown = false;
    downloadSeenDone_ = false;
    progressTimer_->start();
    database_.StartDownload();
    setStatus("Please Wait. Retrying Database...");
    status_->progressBar()->show();
}

void IdSearcherDialog::loadUserListFromFile()
{
    const auto path = prompts_.chooseFile({.mode = FileChooserRequest::Mode::Open,
                                           .title = "Load User List from File",
                                           .filter = "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||",
                                           .defaultExtension = "csv",
                                           .mustExist = true});
    if (!path)
        return;
    model_->clear();
    generalSearch_->setEnabled(false);
    additionalSearch_->setEnabled(false);
    if (setup_.reportShown)
        *setup_.reportShown = false;
    downloadSeenDone_ = false;
    database_.StartFileLoad(std::filesystem::path(*path));
    setStatus("Please Wait. Loading User List...");
    retry_->hide();
    status_->progressBar()->show();
    progressTimer_->start();
}

void IdSearcherDialog::addSelectedRecords()
{
    if (!database_.IsDone())
        return;
    auto request = addRequest();
    for (const QItemSelectionRange& range : results_->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            request.selectedRows.push_back(row);
    if (pw::addSelectedRecords(setup_.codeplug, database_, request, prompts_).ran)
        contactsAdded_ = true;
}

void IdSearcherDialog::addAllRecords()
{
    const Codeplug* codeplug = setup_.codeplug;
    if (!codeplug || !database_.IsDone())
        return;
    if (codeplug->loaded() && model_->rowCount() == 0)
        return;
    results_->selectAll();
    if (pw::addAllRecords(setup_.codeplug, database_, addRequest(), prompts_).ran)
        contactsAdded_ = true;
    results_->clearSelection();
}

void IdSearcherDialog::exportAsCsv()
{
    if (!database_.IsDone()) {
        prompts_.error("Unable to export CSV data - database has not loaded, or is in process of loading.");
        return;
    }
    IdExportDialog exporter(database_, additionalSearchText_, prompts_, this);
    recordsInUse_ = true;
    if (setup_.runDialog)
        setup_.runDialog(exporter);
    recordsInUse_ = false;
    // The exporter's criteria become the searcher's additional text; the box keeps what it shows.
    additionalSearchText_ = exporter.criteriaText();
}

void IdSearcherDialog::fitToRadio()
{
    if (!database_.IsDone()) {
        prompts_.error("Unable to fit users to the radio - database has not loaded, or is in process of loading.");
        return;
    }
    recordsInUse_ = true;
    IdFitDialog fit(database_, setup_.codeplug, prompts_, nameTemplate(), this);
    if (setup_.runDialog)
        setup_.runDialog(fit);
    recordsInUse_ = false;
    if (fit.contactsAdded())
        contactsAdded_ = true;
}

} // namespace pw::ui
