// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mass_change_dialog.h"

#include "presenter/frequency_rules.h"

#include "codeplug/codeplug.h"
#include "presenter/mass_change_choices.h"
#include "ui/commit_button_row.h"
#include "ui/qt_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pw::ui {
namespace {

QString text(std::string_view utf8) { return fromUtf8(utf8); }

QCheckBox* checkBox(std::string_view label, const char* name, QWidget* parent)
{
    auto* box = new QCheckBox(text(label), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// A drop-down list holding the entries, the first chosen.
QComboBox* choiceList(const std::vector<std::string>& entries, const char* name, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (const auto& entry : entries)
        list->addItem(fromUtf8(entry));
    list->setCurrentIndex(0);
    return list;
}

QLineEdit* lineEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

MassChangeDialog::MassChangeDialog(const Codeplug& codeplug, Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), radioBands_(codeplug.radioBands())
{
    namespace t = mass_change_text;
    setWindowTitle(text(t::Title));
    auto* layout = new QVBoxLayout(this);

    auto* common = new QGroupBox(text(t::CommonGroup), this);
    auto* commonGrid = new QGridLayout(common);
    int row = 0;
    rxFrequencyBox_ = checkBox(t::RxFrequency, "rxFrequencyBox", common);
    rxFrequency_ = lineEdit("rxFrequency", common);
    rxFrequency_->setText(text(t::InitialRxFrequency));
    commonGrid->addWidget(rxFrequencyBox_, row, 0);
    commonGrid->addWidget(rxFrequency_, row, 1);
    commonGrid->addWidget(new QLabel(text(t::RxFrequencyUnit), common), row++, 2);

    offset_ = {checkBox(t::Offset, "offsetBox", common), choiceList(offsetChoices(), "offsetList", common)};
    commonGrid->addWidget(offset_.box, row, 0);
    commonGrid->addWidget(offset_.list, row++, 1);

    // One text box serves both name switches.
    prependBox_ = checkBox(t::Prepend, "prependBox", common);
    appendBox_ = checkBox(t::Append, "appendBox", common);
    nameText_ = lineEdit("nameText", common);
    commonGrid->addWidget(prependBox_, row, 0);
    commonGrid->addWidget(new QLabel(text(t::NameText), common), row++, 1);
    commonGrid->addWidget(appendBox_, row, 0);
    commonGrid->addWidget(nameText_, row++, 1);

    replaceBox_ = checkBox(t::Replace, "replaceBox", common);
    replaceFind_ = lineEdit("replaceFind", common);
    replaceWith_ = lineEdit("replaceWith", common);
    auto* replaceRow = new QHBoxLayout();
    replaceRow->addWidget(replaceBox_);
    replaceRow->addWidget(replaceFind_);
    replaceRow->addWidget(new QLabel(text(t::ReplaceWith), common));
    replaceRow->addWidget(replaceWith_);
    replaceRow->addWidget(new QLabel(text(t::ReplaceIn), common));
    commonGrid->addLayout(replaceRow, row++, 0, 1, 3);

    scanList_ = {checkBox(t::ScanList, "scanListBox", common),
                 choiceList(scanListChoices(codeplug), "scanListList", common)};
    commonGrid->addWidget(scanList_.box, row, 0);
    commonGrid->addWidget(scanList_.list, row++, 1);
    admit_ = {checkBox(t::Admit, "admitBox", common),
              choiceList(admitChoicesForMassChange(codeplug.formatId()), "admitList", common)};
    commonGrid->addWidget(admit_.box, row, 0);
    commonGrid->addWidget(admit_.list, row++, 1);
    makeCopies_ = checkBox(t::MakeCopies, "makeCopiesBox", common);
    commonGrid->addWidget(makeCopies_, row++, 0, 1, 3);
    layout->addWidget(common);

    auto* digital = new QGroupBox(text(t::DigitalGroup), this);
    auto* digitalGrid = new QGridLayout(digital);
    timeSlot_ = {checkBox(t::TimeSlot, "timeSlotBox", digital), choiceList(timeSlotChoices(), "timeSlotList", digital)};
    txContact_ = {checkBox(t::TxContact, "txContactBox", digital),
                  choiceList(contactChoices(codeplug), "txContactList", digital)};
    rxGroup_ = {checkBox(t::RxGroup, "rxGroupBox", digital), choiceList(rxGroupChoices(codeplug), "rxGroupList", digital)};
    colorCode_ = {checkBox(t::ColorCode, "colorCodeBox", digital),
                  choiceList(colorCodeChoices(), "colorCodeList", digital)};
    row = 0;
    for (const auto* change : {&timeSlot_, &txContact_, &rxGroup_, &colorCode_}) {
        digitalGrid->addWidget(change->box, row, 0);
        digitalGrid->addWidget(change->list, row++, 1);
    }
    layout->addWidget(digital);

    auto* analog = new QGroupBox(text(t::AnalogGroup), this);
    auto* analogGrid = new QGridLayout(analog);
    encodeTone_ = {checkBox(t::Encode, "encodeBox", analog), choiceList(toneChoices(), "encodeList", analog)};
    decodeTone_ = {checkBox(t::Decode, "decodeBox", analog), choiceList(toneChoices(), "decodeList", analog)};
    analogGrid->addWidget(encodeTone_.box, 0, 0);
    analogGrid->addWidget(encodeTone_.list, 0, 1);
    analogGrid->addWidget(decodeTone_.box, 1, 0);
    analogGrid->addWidget(decodeTone_.list, 1, 1);
    layout->addWidget(analog);

    auto* commit = addCommitButtonRow(*this, layout, t::Commit, t::Cancel);
    connect(commit, &QPushButton::clicked, this, &MassChangeDialog::commitChanges);
}

ChannelChangeSet MassChangeDialog::collectChanges() const
{
    ChannelChangeSet changes;
    const auto chosenText = [](const Switched& change) { return toUtf8(change.list->currentText()); };
    if (offset_.box->isChecked())
        changes.offset = static_cast<OffsetChoice>(offset_.list->currentIndex());
    if (prependBox_->isChecked())
        changes.prependText = toUtf8(nameText_->text());
    if (appendBox_->isChecked())
        changes.appendText = toUtf8(nameText_->text());
    if (replaceBox_->isChecked())
        changes.replace = TextReplacement{toUtf8(replaceFind_->text()), toUtf8(replaceWith_->text())};
    if (scanList_.box->isChecked())
        changes.scanList = scanList_.list->currentIndex();
    if (admit_.box->isChecked())
        changes.admitCriterion = chosenText(admit_);
    if (timeSlot_.box->isChecked())
        changes.timeSlot = timeSlot_.list->currentIndex() + 1;
    if (txContact_.box->isChecked())
        changes.txContact = txContact_.list->currentIndex();
    if (rxGroup_.box->isChecked())
        changes.rxGroupList = rxGroup_.list->currentIndex();
    if (colorCode_.box->isChecked())
        changes.colorCode = colorCode_.list->currentIndex();
    if (encodeTone_.box->isChecked())
        changes.encodeTone = chosenText(encodeTone_);
    if (decodeTone_.box->isChecked())
        changes.decodeTone = chosenText(decodeTone_);
    changes.makeCopies = makeCopies_->isChecked();
    return changes;
}

void MassChangeDialog::commitChanges()
{
    const std::string frequencyText = toUtf8(rxFrequency_->text());
    // What the original checks let through may still be more than a codeplug holds, or lie outside
    // the radios' bands.
    if (rxFrequencyBox_->isChecked()) {
        const auto mhz = readRxFrequencyBox(frequencyText);
        if (mhz && !confirmFrequency("RX Frequency (MHz)", frequencyText, radioBands_, prompts_)) {
            rxFrequency_->setFocus();
            rxFrequency_->selectAll();
            return;
        }
    }
    const std::optional<std::string_view> frequency =
        rxFrequencyBox_->isChecked() ? std::optional<std::string_view>(frequencyText) : std::nullopt;
    auto commit = commitChannelChanges(collectChanges(), frequency, prompts_);
    switch (commit.outcome) {
    case CommitOutcome::StayOpen: return;
    case CommitOutcome::Cancelled: reject(); return;
    case CommitOutcome::Accepted:
        changes_ = std::move(commit.changes);
        accept();
        return;
    }
}

} // namespace pw::ui
