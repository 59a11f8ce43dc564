// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/zone_wizard_dialog.h"

#include "ui/commit_button_row.h"
#include "ui/qt_prompts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace pw::ui {
namespace {

QPlainTextEdit* readOnlyBox(const char* name, QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    return box;
}

QLabel* wrappedLabel(std::string_view text, QWidget* parent)
{
    auto* label = new QLabel(fromUtf8(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

ZoneWizardDialog::ZoneWizardDialog(ZoneWizard& wizard, Prompts& prompts, QWidget* parent)
    : QDialog(parent), wizard_(wizard), prompts_(prompts)
{
    namespace t = zone_wizard_text;
    setWindowTitle(fromUtf8(t::Title));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    layout->addLayout(grid);

    zoneName_ = new QLineEdit(this);
    zoneName_->setObjectName(QStringLiteral("zoneName"));
    zoneName_->setMaxLength(static_cast<int>(ZoneWizardNameLimit));
    grid->addWidget(new QLabel(fromUtf8(t::ZoneName), this), 0, 0);
    grid->addWidget(zoneName_, 0, 1);
    grid->addWidget(wrappedLabel(t::ZoneNameNote, this), 0, 2);

    status_ = readOnlyBox("zoneStatus", this);
    status_->setMaximumHeight(64);
    grid->addWidget(new QLabel(fromUtf8(t::ZoneStatus), this), 1, 0, Qt::AlignTop);
    grid->addWidget(status_, 1, 1, 1, 2);

    selectedChannels_ = readOnlyBox("selectedChannels", this);
    grid->addWidget(new QLabel(fromUtf8(t::SelectedChannels), this), 2, 0, Qt::AlignTop);
    grid->addWidget(selectedChannels_, 2, 1, 1, 2);

    auto* scanListRow = new QHBoxLayout();
    scanList_.create = new QCheckBox(fromUtf8(t::CreateScanList), this);
    scanList_.create->setObjectName(QStringLiteral("createScanListBox"));
    scanList_.name = new QLineEdit(this);
    scanList_.name->setObjectName(QStringLiteral("scanListName"));
    scanList_.name->setMaxLength(static_cast<int>(ZoneWizardNameLimit));
    scanListRow->addWidget(scanList_.create);
    scanListRow->addWidget(scanList_.name);
    scanListRow->addWidget(new QLabel(fromUtf8(t::CreateScanListTail), this));
    layout->addLayout(scanListRow);

    scanList_.apply = new QCheckBox(fromUtf8(t::ApplyScanList), this);
    scanList_.apply->setObjectName(QStringLiteral("applyScanListBox"));
    layout->addWidget(scanList_.apply);

    auto* commit = addCommitButtonRow(*this, layout, t::Commit, t::Cancel);

    showWizardState();

    connect(zoneName_, &QLineEdit::textChanged, this, &ZoneWizardDialog::zoneNameEdited);
    connect(scanList_.name, &QLineEdit::textChanged, this,
            [this](const QString& text) { wizard_.setScanListName(toUtf8(text)); });
    connect(scanList_.create, &QCheckBox::toggled, this, [this](bool on) { wizard_.setCreateScanList(on); });
    connect(scanList_.apply, &QCheckBox::toggled, this, &ZoneWizardDialog::applyBoxToggled);
    connect(commit, &QPushButton::clicked, this, &ZoneWizardDialog::commitChanges);
}

void ZoneWizardDialog::zoneNameEdited(const QString& text)
{
    wizard_.setZoneName(toUtf8(text));
    showWizardState();
}

void ZoneWizardDialog::applyBoxToggled(bool on)
{
    wizard_.setApplyScanList(on);
    showWizardState();
}

// The wizard may have changed more than the control the user touched (a new zone name proposes a
// scan-list name, the apply box switches the creation box on); the signals are held back so that
// copying its state into the controls does not feed back into it.
void ZoneWizardDialog::showWizardState()
{
    const QSignalBlocker blockName(zoneName_);
    const QSignalBlocker blockScanList(scanList_.name);
    const QSignalBlocker blockCreate(scanList_.create);
    const QSignalBlocker blockApply(scanList_.apply);
    const QString zoneName = fromUtf8(wizard_.zoneName());
    if (zoneName_->text() != zoneName)
        zoneName_->setText(zoneName);
    const QString scanListName = fromUtf8(wizard_.scanListName());
    if (scanList_.name->text() != scanListName)
        scanList_.name->setText(scanListName);
    scanList_.create->setChecked(wizard_.createScanList());
    scanList_.apply->setChecked(wizard_.applyScanList());
    status_->setPlainText(fromUtf8(wizard_.status()));
    selectedChannels_->setPlainText(fromUtf8(wizard_.selectedChannels()));
}

void ZoneWizardDialog::commitChanges()
{
    lastCommit_ = wizard_.commit(prompts_);
    switch (lastCommit_.outcome) {
    case CommitOutcome::StayOpen: return;
    case CommitOutcome::Cancelled: reject(); return;
    case CommitOutcome::Accepted: accept(); return;
    }
}

} // namespace pw::ui
