// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/contact_editor_dialog.h"

#include "operations/name_check.h"
#include "ui/qt_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace pw::ui {
namespace {

// The "Contact Type" list in its order; the list shows the most common type first.
constexpr std::array<CallType, 3> CallTypeByEntry = {CallType::PrivateCall, CallType::GroupCall, CallType::AllCall};

int entryOfCallType(CallType type)
{
    for (std::size_t entry = 0; entry < CallTypeByEntry.size(); ++entry)
        if (CallTypeByEntry[entry] == type)
            return static_cast<int>(entry);
    return 0;
}

// Widths of the texts a contact keeps; longer input would be cut when stored.
constexpr int DmrIdDigits = 8;
constexpr int NameWidth = 16;
constexpr int CallsignWidth = 8;
constexpr int CityWidth = 15;
constexpr int StateWidth = 16;
constexpr int CountryWidth = 16;
constexpr int RemarksWidth = 16;

// Digits only, and never more than a DMR ID holds (24 bits): a keystroke that would go past
// 16777215 is refused instead of the ID being cut to its low bits when stored.
class DmrIdValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        for (const QChar c : input)
            if (!c.isDigit())
                return Invalid;
        return ContactEditorDialog::dmrIdFromBox(input) <= MaxDmrId ? Acceptable : Invalid;
    }

private:
    static constexpr std::uint32_t MaxDmrId = 0xFFFFFF;
};

} // namespace

ContactEditorDialog::ContactEditorDialog(const Contact& working, QWidget* parent)
    : QDialog(parent), contact_(working)
{
    setWindowTitle(QStringLiteral("Add / Edit Contact"));
    setObjectName(QStringLiteral("contactEditor"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    layout->addLayout(form);

    dmrId_ = addTextBox(form, "DMR ID Number", "dmrId", DmrIdDigits);
    dmrId_->setValidator(new DmrIdValidator(dmrId_));
    name_ = addTextBox(form, "Name", "name", NameWidth);
    callsign_ = addTextBox(form, "Callsign", "callsign", CallsignWidth);
    city_ = addTextBox(form, "City", "city", CityWidth);
    state_ = addTextBox(form, "State / Province", "state", StateWidth);
    country_ = addTextBox(form, "Country", "country", CountryWidth);
    remarks_ = addTextBox(form, "Remarks", "remarks", RemarksWidth);

    callType_ = new QComboBox(this);
    callType_->setObjectName(QStringLiteral("contactType"));
    callType_->addItems({QStringLiteral("Private Call"), QStringLiteral("Group Call"), QStringLiteral("All Call")});
    form->addRow(QStringLiteral("Contact Type"), callType_);
    alertTone_ = new QCheckBox(QStringLiteral("Alert Tone"), this);
    alertTone_->setObjectName(QStringLiteral("alertTone"));
    form->addRow(QString(), alertTone_);

    auto* buttons = new QDialogButtonBox(this);
    apply_ = buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::AcceptRole);
    apply_->setObjectName(QStringLiteral("apply"));
    apply_->setDefault(true);
    auto* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ContactEditorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ContactEditorDialog::reject);
    layout->addWidget(buttons);

    name_->setText(fromUtf8(contact_.name()));
    dmrId_->setText(QString::number(contact_.dmrId()));
    callsign_->setText(fromUtf8(contact_.callsign()));
    city_->setText(fromUtf8(contact_.city()));
    state_->setText(fromUtf8(contact_.state()));
    country_->setText(fromUtf8(contact_.country()));
    remarks_->setText(fromUtf8(contact_.remarks()));
    callType_->setCurrentIndex(entryOfCallType(contact_.callType()));
    alertTone_->setChecked(contact_.alertTone());
    dmrId_->setFocus();
}

QLineEdit* ContactEditorDialog::addTextBox(QFormLayout* form, const char* label, const char* objectName,
                                           int maxLength)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setMaxLength(maxLength);
    form->addRow(QString::fromLatin1(label), box);
    return box;
}

std::uint32_t ContactEditorDialog::dmrIdFromBox(const QString& text)
{
    // Eight digits at the most reach the box, so the value fits in 32 bits.
    std::uint64_t value = 0;
    for (const QChar c : text) {
        if (!c.isDigit() || value > 0xFFFFFFFFull)
            break;
        value = value * 10 + static_cast<std::uint64_t>(c.digitValue());
    }
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, 0xFFFFFFFFull));
}

void ContactEditorDialog::accept()
{
    const auto name = toUtf8(name_->text());
    if (nameFormat_ && !nameIsStorable(*nameFormat_, name, [this](const char* why) { prompts_->error(why); }))
        return;
    // The call type follows the ID, so that All Call sets its own ID over the typed one.
    contact_.setName(name);
    contact_.setDmrId(dmrIdFromBox(dmrId_->text()));
    const int entry = callType_->currentIndex();
    contact_.setCallType(CallTypeByEntry[static_cast<std::size_t>(entry >= 0 && entry < 3 ? entry : 0)]);
    contact_.setAlertTone(alertTone_->isChecked());
    contact_.setCallsign(toUtf8(callsign_->text()));
    contact_.setCity(toUtf8(city_->text()));
    contact_.setState(toUtf8(state_->text()));
    contact_.setCountry(toUtf8(country_->text()));
    contact_.setRemarks(toUtf8(remarks_->text()));
    QDialog::accept();
}

} // namespace pw::ui
