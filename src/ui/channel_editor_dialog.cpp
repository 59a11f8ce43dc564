// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/channel_editor_dialog.h"

#include "codeplug/codeplug.h"
#include "presenter/mass_change_choices.h"
#include "presenter/channel_editor_rules.h"
#include "presenter/frequency_rules.h"
#include "operations/channel_mass_change.h"
#include "operations/name_check.h"
#include "platform/prompts.h"
#include "ui/qt_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace pw::ui {
namespace {

constexpr int DmrTab = 0;
constexpr int FmTab = 1;
// The name box takes more than a record stores, so that "Save Changes" can say what is too long
// instead of the box cutting a pasted name where the user does not see it.
constexpr int TypedNameLength = 255;
// Characters a list shows without opening: the longest names of the lists.
constexpr int MinimumListWidth = 16;

const std::vector<std::string> BandwidthChoices = {"12.5", "25"};
const std::vector<std::string> SquelchChoices = {"TIGHT", "NORMAL"};
const std::vector<std::string> PowerChoices = {"LOW", "MID", "HIGH"};
const std::vector<std::string> RefFrequencyChoices = {"LOW", "MED", "HIGH"};
const std::vector<std::string> PrivacyChoices = {"None", "Basic"};
const std::vector<std::string> QtReverseChoices = {"120", "180"};
const std::vector<std::string> SignalingChoices = {"Off", "DTMF-1", "DTMF-2", "DTMF-3", "DTMF-4"};

QString qtText(std::string_view text) { return fromUtf8(text); }

// Selects an entry without letting the list report it: filling is no choice of the user.
void select(QComboBox* list, int entry)
{
    list->setCurrentIndex(entry >= 0 && entry < list->count() ? entry : -1);
}

void selectText(QComboBox* list, const std::string& text)
{
    select(list, list->findText(qtText(text), Qt::MatchExactly));
}

} // namespace

ChannelEditorDialog::ChannelEditorDialog(const Codeplug& codeplug, const Channel& working, Prompts& prompts,
                                         QWidget* parent)
    : QDialog(parent), codeplug_(codeplug), channel_(working), prompts_(prompts),
      radioModel_(codeplug.radioModelName())
{
    setWindowTitle(qtText(channel_editor_text::Title));
    setObjectName(QStringLiteral("channelEditor"));
    auto* layout = new QVBoxLayout(this);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("modeTabs"));
    auto* dmrPage = new QWidget(tabs_);
    auto* dmrGrid = new QGridLayout(dmrPage);
    buildDmrControls(dmrGrid);
    auto* fmPage = new QWidget(tabs_);
    auto* fmGrid = new QGridLayout(fmPage);
    buildFmControls(fmGrid);
    tabs_->insertTab(DmrTab, dmrPage, qtText(channel_editor_text::DmrTab));
    tabs_->insertTab(FmTab, fmPage, qtText(channel_editor_text::FmTab));
    layout->addWidget(tabs_);

    auto* commonGrid = new QGridLayout();
    buildCommonControls(commonGrid);
    layout->addLayout(commonGrid);

    auto* buttons = new QDialogButtonBox(this);
    save_ = buttons->addButton(qtText(channel_editor_text::Save), QDialogButtonBox::AcceptRole);
    save_->setObjectName(QStringLiteral("saveChanges"));
    save_->setDefault(true);
    auto* cancel = buttons->addButton(qtText(channel_editor_text::Cancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ChannelEditorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ChannelEditorDialog::reject);
    layout->addWidget(buttons);

    connect(tabs_, &QTabWidget::currentChanged, this, &ChannelEditorDialog::modeTabChosen);
    // Only typing counts: filling the boxes raises no textEdited.
    connect(rxFrequency_, &QLineEdit::textEdited, this, [this](const QString& text) {
        rxTyped_ = true;
        channel_.setRxFrequency(frequencyFromBox(toUtf8(text)));
        applyOffsetRule();
    });
    connect(txFrequency_, &QLineEdit::textEdited, this, [this](const QString& text) {
        txTyped_ = true;
        channel_.setTxFrequency(frequencyFromBox(toUtf8(text)));
    });

    fill(true);
}

QComboBox* ChannelEditorDialog::addList(QGridLayout* grid, int row, int column, const char* label,
                                        const std::vector<std::string>& items, ChoiceHandler handler)
{
    auto* caption = new QLabel(QString::fromLatin1(label), this);
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(label));
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(items.size()));
    for (const auto& item : items)
        entries << qtText(item);
    list->addItems(entries);
    // Lists may hold every contact of a large codeplug: measuring each entry for the width would
    // cost more than the list itself.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(MinimumListWidth);
    caption->setBuddy(list);
    grid->addWidget(caption, row, column);
    grid->addWidget(list, row, column + 1);
    connect(list, &QComboBox::currentIndexChanged, this, [this, list, handler](int entry) {
        if (filling_ || entry < 0)
            return;
        handler(entry, toUtf8(list->itemText(entry)));
    });
    return list;
}

void ChannelEditorDialog::showStored(const std::function<void()>& reselect)
{
    // Some formats refuse a choice (a D868 digital channel always has a contact; an MD-380 has no
    // middle power): the list shows what the copy really holds, never a choice it did not take.
    filling_ = true;
    reselect();
    filling_ = false;
}

void ChannelEditorDialog::addCheckBox(QGridLayout* grid, int row, int column, const char* label,
                                      bool (Channel::*getter)() const, void (Channel::*setter)(bool))
{
    auto* box = new QCheckBox(QString::fromLatin1(label), this);
    box->setObjectName(QString::fromLatin1(label));
    grid->addWidget(box, row, column, 1, 2);
    switches_.push_back({box, getter, setter});
    // Written at once as well as on saving, so that a tab switch, which shows the copy again,
    // keeps what was ticked.
    connect(box, &QCheckBox::toggled, this, [this, setter](bool on) {
        if (!filling_)
            (channel_.*setter)(on);
    });
}

QLineEdit* ChannelEditorDialog::addTextBox(QGridLayout* grid, int row, int column, const char* label,
                                           const char* objectName)
{
    auto* caption = new QLabel(QString::fromLatin1(label), this);
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(objectName));
    caption->setBuddy(box);
    grid->addWidget(caption, row, column);
    grid->addWidget(box, row, column + 1);
    return box;
}

void ChannelEditorDialog::buildCommonControls(QGridLayout* grid)
{
    name_ = addTextBox(grid, 0, 0, "Channel Name", "channelName");
    name_->setMaxLength(TypedNameLength);
    bandwidth_ = addList(grid, 0, 2, "Bandwidth (kHz)", BandwidthChoices,
                         [this](int, const std::string& text) { channel_.setBandwidthFromText(text); });
    squelch_ = addList(grid, 1, 0, "Squelch", SquelchChoices,
                       [this](int, const std::string& text) { channel_.setSquelchFromText(text); });
    power_ = addList(grid, 1, 2, "Power", PowerChoices, [this](int, const std::string& text) {
        channel_.setPowerFromText(text);
        showStored([this] { selectText(power_, channel_.powerText(radioModel_)); });
    });
    rxFrequency_ = addTextBox(grid, 2, 0, "Receive Frequency (MHz)", "rxFrequency");
    transmitOffset_ = addList(grid, 2, 2, "Transmit Offset", transmitOffsetChoices(),
                              [this](int, const std::string&) {
                                  offsetChosen_ = true;
                                  applyOffsetRule();
                              });
    timeOut_ = addList(grid, 3, 0, "Transmitter Time-Out", timeOutChoices(),
                       [this](int, const std::string& text) { channel_.setTotFromText(text); });
    txFrequency_ = addTextBox(grid, 3, 2, "Transmit Frequency (MHz)", "txFrequency");
    scanList_ = addList(grid, 4, 0, "Scan List", scanListChoices(codeplug_),
                        [this](int entry, const std::string&) { channel_.setScanList(entry); });
    rekeyDelay_ = addList(grid, 4, 2, "TOT Rekey Delay", rekeyDelayChoices(),
                          [this](int entry, const std::string&) { channel_.setTotRekeyDelay(entry); });
    admit_ = addList(grid, 5, 0, "Admit Criterion", {},
                     [this](int, const std::string& text) { channel_.setAdmitFromText(text); });
    rxRefFrequency_ = addList(grid, 5, 2, "RX Ref Freq", RefFrequencyChoices, [this](int entry, const std::string&) {
        channel_.setRxRefFrequency(static_cast<RefFrequency>(entry));
    });
    addCheckBox(grid, 6, 0, "Auto Scan", &Channel::autoScan, &Channel::setAutoScan);
    addCheckBox(grid, 6, 2, "Receive Only (No Transmit)", &Channel::rxOnly, &Channel::setRxOnly);
    addCheckBox(grid, 7, 0, "VOX", &Channel::vox, &Channel::setVox);
    addCheckBox(grid, 7, 2, "Allow Talkaround", &Channel::talkaround, &Channel::setTalkaround);
    addCheckBox(grid, 8, 0, "Lone Worker", &Channel::loneWorker, &Channel::setLoneWorker);
}

void ChannelEditorDialog::buildDmrControls(QGridLayout* grid)
{
    emergencySystem_ = addList(grid, 0, 0, "Emergency System", emergencySystemChoices(codeplug_),
                               [this](int entry, const std::string&) { channel_.setEmergencySystem(entry); });
    txContact_ = addList(grid, 0, 2, "Contact Name (TX)", contactChoices(codeplug_),
                         [this](int entry, const std::string&) {
                             channel_.setTxContact(entry);
                             channel_.refreshContactName(codeplug_.contacts());
                             showStored([this] { select(txContact_, channel_.txContact()); });
                         });
    colorCode_ = addList(grid, 1, 0, "Color Code", colorCodeChoices(),
                         [this](int entry, const std::string&) { channel_.setColorCode(entry); });
    groupList_ = addList(grid, 1, 2, "Group List", rxGroupChoices(codeplug_),
                         [this](int entry, const std::string&) { channel_.setRxGroupList(entry); });
    privacy_ = addList(grid, 2, 0, "Encryption (Privacy)", PrivacyChoices,
                       [this](int entry, const std::string&) { privacyChosen(entry); });
    timeSlot_ = addList(grid, 2, 2, "TDMA Time Slot", timeSlotChoices(),
                        [this](int entry, const std::string&) { channel_.setTimeSlot(entry + 1); });
    encryptionCode_ = addList(grid, 3, 0, "Encryption Code", encryptionCodeChoices(),
                              [this](int entry, const std::string&) { channel_.setPrivacyCode(entry + 1); });
    addCheckBox(grid, 4, 0, "Private Call Confirmed", &Channel::privateCallConfirmed, &Channel::setPrivateCallConfirmed);
    addCheckBox(grid, 4, 2, "Emergency Alarm Acknowledge", &Channel::emergencyAlarmAck, &Channel::setEmergencyAlarmAck);
    addCheckBox(grid, 5, 0, "Data Call Confirmed", &Channel::dataCallConfirmed, &Channel::setDataCallConfirmed);
}

void ChannelEditorDialog::buildFmControls(QGridLayout* grid)
{
    decodeTone_ = addList(grid, 0, 0, "CTCSS / DCS Decode", decodeToneChoices(),
                          [this](int, const std::string& text) { channel_.setCtcssDecodeFromText(text); });
    encodeTone_ = addList(grid, 0, 2, "CTCSS / DCS Encode", encodeToneChoices(),
                          [this](int, const std::string& text) { channel_.setCtcssEncodeFromText(text); });
    qtReverse_ = addList(grid, 1, 0, "QT Reverse", QtReverseChoices,
                         [this](int entry, const std::string&) { channel_.setQtReverse(entry == 0 ? 120 : 180); });
    txSignaling_ = addList(grid, 2, 0, "Tx Signaling System", SignalingChoices,
                           [this](int, const std::string& text) { channel_.setTxSignalingFromText(text); });
    rxSignaling_ = addList(grid, 2, 2, "Rx Signaling System", SignalingChoices,
                           [this](int, const std::string& text) { channel_.setRxSignalingFromText(text); });
    grid->setRowStretch(3, 1);
}

QComboBox* ChannelEditorDialog::listLabelled(const QString& label) const
{
    return findChild<QComboBox*>(label);
}

void ChannelEditorDialog::fill(bool showName)
{
    filling_ = true;
    const bool digital = channel_.isDigital();
    tabs_->setCurrentIndex(digital ? DmrTab : FmTab);
    // A DMR channel is always 12.5 kHz wide.
    bandwidth_->setEnabled(!digital);
    selectText(bandwidth_, digital ? std::string("12.5") : channel_.bandwidthText());

    selectText(squelch_, channel_.squelchText());
    selectText(power_, channel_.powerText(radioModel_));
    rxFrequency_->setText(qtText(Channel::frequencyText(channel_.rxFrequency())));
    txFrequency_->setText(qtText(Channel::frequencyText(channel_.txFrequency())));
    select(transmitOffset_,
           static_cast<int>(transmitOffsetFor(channel_.rxFrequency(), channel_.txFrequency())));
    if (showName)
        name_->setText(qtText(channel_.name()));
    applyOffsetRule();

    select(timeOut_, channel_.tot());
    select(colorCode_, channel_.colorCode());
    admit_->clear();
    for (const auto& text : channel_.admitChoices())
        admit_->addItem(qtText(text));
    selectText(admit_, channel_.admitText());
    for (const auto& item : switches_)
        item.box->setChecked((channel_.*item.get)());
    select(rekeyDelay_, channel_.totRekeyDelay());
    select(scanList_, channel_.scanList());
    select(rxRefFrequency_, static_cast<int>(channel_.rxRefFrequency()));
    select(emergencySystem_, channel_.emergencySystem());
    select(txContact_, channel_.txContact());
    select(groupList_, channel_.rxGroupList());
    select(privacy_, channel_.privacy() ? 1 : 0);
    encryptionCode_->setEnabled(channel_.privacy());
    select(encryptionCode_, channel_.privacyCode() - 1);
    select(timeSlot_, channel_.timeSlot() - 1);
    select(decodeTone_, static_cast<int>(entryOrFirst(decodeToneChoices(), channel_.ctcssDecodeText())));
    select(encodeTone_, static_cast<int>(entryOrFirst(encodeToneChoices(), channel_.ctcssEncodeText())));
    select(qtReverse_, channel_.qtReverse() == 180 ? 1 : 0);
    select(txSignaling_, static_cast<int>(entryOrFirst(SignalingChoices, channel_.txSignalingText())));
    select(rxSignaling_, static_cast<int>(entryOrFirst(SignalingChoices, channel_.rxSignalingText())));
    filling_ = false;
}

void ChannelEditorDialog::applyOffsetRule()
{
    const double rx = frequencyFromBox(toUtf8(rxFrequency_->text()));
    const auto offset = static_cast<TransmitOffset>(std::max(0, transmitOffset_->currentIndex()));
    if (offset != TransmitOffset::Custom)
        channel_.setTxFrequency(transmitFrequencyFor(offset, rx, channel_.txFrequency()));
    txFrequency_->setEnabled(offset == TransmitOffset::Custom);
    txFrequency_->setText(qtText(Channel::frequencyText(channel_.txFrequency())));
}

void ChannelEditorDialog::modeTabChosen(int tab)
{
    if (filling_)
        return;
    if (tab == FmTab) {
        channel_.setMode(ChannelMode::Fm);
    } else {
        channel_.setMode(ChannelMode::Dmr);
        channel_.setBandwidth(Bandwidth::Narrow12k5);
    }
    fill(false);
}

void ChannelEditorDialog::privacyChosen(int entry)
{
    if (entry != 0)
        prompts_.message(MessageIcon::Warning, MessageButtons::Ok, channel_editor_text::PrivacyWarning);
    channel_.setPrivacyTypeFromText(PrivacyChoices[static_cast<std::size_t>(entry == 0 ? 0 : 1)]);
    encryptionCode_->setEnabled(entry != 0);
}

void ChannelEditorDialog::readCheckBoxes()
{
    for (const auto& item : switches_)
        (channel_.*item.set)(item.box->isChecked());
}

bool ChannelEditorDialog::confirmFrequencies()
{
    // Frequencies the user left alone stay as they were, whatever they are.
    const auto refuse = [](QLineEdit* box) {
        box->setFocus();
        box->selectAll();
        return false;
    };
    if (rxTyped_) {
        const auto rx = confirmFrequency("Receive Frequency (MHz)", toUtf8(rxFrequency_->text()), codeplug_.radioBands(), prompts_);
        if (!rx)
            return refuse(rxFrequency_);
        channel_.setRxFrequency(*rx);
    }
    const auto offset = static_cast<TransmitOffset>(std::max(0, transmitOffset_->currentIndex()));
    if (offset == TransmitOffset::Custom) {
        if (!txTyped_)
            return true;
        const auto tx = confirmFrequency("Transmit Frequency (MHz)", toUtf8(txFrequency_->text()), codeplug_.radioBands(), prompts_);
        if (!tx)
            return refuse(txFrequency_);
        channel_.setTxFrequency(*tx);
        return true;
    }
    if (!rxTyped_ && !offsetChosen_)
        return true;
    // The offset may carry the transmit frequency past what can be stored.
    channel_.setTxFrequency(transmitFrequencyFor(offset, channel_.rxFrequency(), channel_.txFrequency()));
    if (!storableFrequency(channel_.txFrequency())) {
        prompts_.message(MessageIcon::Error, MessageButtons::Ok,
                         frequencyRefusedText("Transmit Frequency (MHz)", toUtf8(txFrequency_->text())));
        return refuse(rxFrequency_);
    }
    return true;
}

void ChannelEditorDialog::accept()
{
    if (!confirmFrequencies())
        return;
    readCheckBoxes();
    // An empty box keeps the name the channel has.
    const std::string typed = toUtf8(name_->text());
    const auto name = withoutTrailingBlanks(typed);
    if (!name.empty()) {
        if (const auto refusal = nameRefusal(channel_.format(), name)) {
            prompts_.error(*refusal);
            return;
        }
        channel_.setName(name);
    }
    QDialog::accept();
}

} // namespace pw::ui
