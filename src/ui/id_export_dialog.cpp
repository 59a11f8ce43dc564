// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/id_export_dialog.h"

#include "iddb/id_database.h"
#include "iddb/id_export.h"
#include "operations/id_export_command.h"
#include "platform/prompts.h"
#include "ui/qt_prompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace pw::ui {
namespace {

constexpr int CountTickMs = 50;

constexpr const char* Tip =
    "TIP: The CSV output fields will be set up according to the type of radio you select. The resulting file must be "
    "imported into your CPS separately from the codeplug; refer to your CPS documentation for details.";
constexpr const char* CriteriaNote =
    "Enter key search terms, one per line.\r\n\r\nFor example, entering MISSOURI on Line 1 and KANSAS on Line 2 will "
    "cause DMR ID records to be included that have either MISSOURI or KANSAS within their information.\r\n\r\nLeave "
    "blank to get all records.";

QLabel* wrappedLabel(std::string_view text, QWidget* parent)
{
    auto* label = new QLabel(fromUtf8(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

IdExportDialog::IdExportDialog(const IdDatabase& database, std::string criteriaText, Prompts& prompts,
                               QWidget* parent)
    : QDialog(parent), database_(database), prompts_(prompts), criteriaText_(std::move(criteriaText))
{
    setWindowTitle(QStringLiteral("DMR ID Database - CSV Export"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wrappedLabel(Tip, this));

    auto* radios = new QGroupBox(QStringLiteral("1. Select Radio to Export Contact Data to"), this);
    auto* radiosLayout = new QVBoxLayout(radios);
    radioTypes_ = new QButtonGroup(this);
    radioTypes_->setExclusive(true);
    for (const auto& info : radioCsvTypes()) {
        const int type = static_cast<int>(info.type);
        auto* radio = new QRadioButton(fromUtf8(info.buttonText), radios);
        radio->setObjectName(QStringLiteral("radioType%1").arg(type));
        radioTypes_->addButton(radio, type);
        radiosLayout->addWidget(radio);
    }
    layout->addWidget(radios);

    auto* criteriaGroup = new QGroupBox(QStringLiteral("2. Choose Criteria for Contact Inclusion"), this);
    auto* criteriaLayout = new QHBoxLayout(criteriaGroup);
    criteria_ = new QPlainTextEdit(criteriaGroup);
    criteria_->setObjectName(QStringLiteral("criteria"));
    criteria_->setPlainText(QString::fromStdString(criteriaText_));
    criteriaLayout->addWidget(criteria_, 1);
    criteriaLayout->addWidget(wrappedLabel(CriteriaNote, criteriaGroup), 1);
    layout->addWidget(criteriaGroup);

    csvTexts_.ascii = new QCheckBox(QStringLiteral("Plain ASCII only (for radios that show no accents)"), this);
    csvTexts_.ascii->setObjectName(QStringLiteral("plainAscii"));
    layout->addWidget(csvTexts_.ascii);
    csvTexts_.noNames = new QCheckBox(QStringLiteral("Callsigns only (no names, cities or states)"), this);
    csvTexts_.noNames->setObjectName(QStringLiteral("noNames"));
    layout->addWidget(csvTexts_.noNames);

    status_ = new QLabel(QStringLiteral("Initializing. . ."), this);
    status_->setObjectName(QStringLiteral("matchCount"));
    layout->addWidget(status_);

    auto* buttons = new QHBoxLayout();
    auto* exportButton = new QPushButton(QStringLiteral("Export..."), this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    exportButton->setDefault(true);
    auto* clearButton = new QPushButton(QStringLiteral("Clear Criteria"), this);
    clearButton->setObjectName(QStringLiteral("clearCriteriaButton"));
    clearButton->setAutoDefault(false);
    auto* doneButton = new QPushButton(QStringLiteral("Done"), this);
    doneButton->setObjectName(QStringLiteral("doneButton"));
    doneButton->setAutoDefault(false);
    buttons->addWidget(exportButton);
    buttons->addWidget(clearButton);
    buttons->addStretch();
    buttons->addWidget(doneButton);
    layout->addLayout(buttons);

    connect(exportButton, &QPushButton::clicked, this, &IdExportDialog::exportRecords);
    connect(clearButton, &QPushButton::clicked, this, &IdExportDialog::clearCriteria);
    connect(doneButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(criteria_, &QPlainTextEdit::textChanged, this, &IdExportDialog::criteriaChanged);

    timer_ = new QTimer(this);
    timer_->setInterval(CountTickMs);
    connect(timer_, &QTimer::timeout, this, &IdExportDialog::countDown);
    timer_->start();
}

int IdExportDialog::radioType() const { return std::max(radioTypes_->checkedId(), 0); }

QString IdExportDialog::statusText() const { return status_->text(); }

void IdExportDialog::countDown()
{
    if (countdown_ == 0)
        return;
    if (countdown_ == 1) {
        BusyScope busy(prompts_);
        status_->setText(fromUtf8(matchingRecordsText(database_.Records(), criteriaText_)));
    }
    --countdown_;
}

void IdExportDialog::criteriaChanged()
{
    QString text = criteria_->toPlainText();
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    criteriaText_ = text.toStdString();
    countdown_ = ChangedCountTicks;
}

void IdExportDialog::clearCriteria()
{
    {
        const QSignalBlocker block(criteria_);
        criteria_->clear();
    }
    criteriaChanged();
}

void IdExportDialog::exportRecords()
{
    ExportRequest request;
    request.type = static_cast<RadioCsvType>(radioType());
    request.criteria.criteriaText = criteriaText_;
    request.options = csvTexts_.options();
    const IdUserIndex users(database_.Records());
    exportIdRecords(&users, request, prompts_);
}

} // namespace pw::ui
