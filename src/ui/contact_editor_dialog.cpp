// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/contact_editor_dialog.h"

#include "ui/qt_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

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

// The descriptive texts' labels and box names, in ContactText order.
constexpr std::pair<const char*, const char*> TextBoxes[] = {{"Callsign", "callsign"},
                                                             {"City", "city"},
                                                             {"State / Province", "state"},
                                                             {"Country", "country"},
                                                             {"Remarks", "remarks"}};

constexpr int DmrIdDigits = 8;
// The text boxes take more than any format stores, so that "Apply" can say what is too long
// instead of the box cutting a pasted text where the user does not see it.
constexpr int TypedTextLength = 255;

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

ContactEditorDialog::ContactEditorDialog(const Contact& working, Prompts& prompts, QWidget* parent)
    : QDialog(parent), contact_(working), prompts_(prompts)
{
    setWindowTitle(QStringLiteral("Add / Edit Contact"));
    setObjectName(QStringLiteral("contactEditor"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    layout->addLayout(form);

    dmrId_ = addTextBox(form, "DMR ID Number", "dmrId");
    dmrId_->setMaxLength(DmrIdDigits);
    dmrId_->setValidator(new DmrIdValidator(dmrId_));
    name_ = addTextBox(form, "Name", "name");
    static_assert(std::size(TextBoxes) == std::tuple_size_v<decltype(texts_)>);
    for (std::size_t i = 0; i < texts_.size(); ++i)
        texts_[i] = addTextBox(form, TextBoxes[i].first, TextBoxes[i].second);
    // A format that keeps none of the texts would drop whatever is typed there.
    textsNote_ = new QLabel(QStringLiteral("This radio keeps only the DMR ID, name, contact type and alert tone "
                                           "of a contact: it has no room for a callsign, city, state, country "
                                           "or remarks."),
                            this);
    textsNote_->setObjectName(QStringLiteral("textsNote"));
    textsNote_->setWordWrap(true);
    form->addRow(textsNote_);
    const ContactFormat& format = contact_.format();
    bool keepsAny = false;
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        const bool kept = format.textRoom(static_cast<ContactText>(i)).keeps();
        form->setRowVisible(texts_[i], kept);
        keepsAny = keepsAny || kept;
    }
    form->setRowVisible(textsNote_, !keepsAny);

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
    for (std::size_t i = 0; i < texts_.size(); ++i)
        texts_[i]->setText(fromUtf8(contact_.descriptive(static_cast<ContactText>(i))));
    callType_->setCurrentIndex(entryOfCallType(contact_.callType()));
    alertTone_->setChecked(contact_.alertTone());
    dmrId_->setFocus();
}

QLineEdit* ContactEditorDialog::addTextBox(QFormLayout* form, const char* label, const char* objectName)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setMaxLength(TypedTextLength);
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
    ContactTexts typed;
    typed.name = toUtf8(name_->text());
    for (std::size_t i = 0; i < texts_.size(); ++i)
        typed.descriptive[i] = toUtf8(texts_[i]->text());
    const auto checked = checkContactTexts(contact_.format(), typed);
    if (checked.refusal) {
        prompts_.error(*checked.refusal);
        return;
    }
    // The call type follows the ID, so that All Call sets its own ID over the typed one.
    contact_.setName(checked.texts.name);
    contact_.setDmrId(dmrIdFromBox(dmrId_->text()));
    const int entry = callType_->currentIndex();
    contact_.setCallType(CallTypeByEntry[static_cast<std::size_t>(entry >= 0 && entry < 3 ? entry : 0)]);
    contact_.setAlertTone(alertTone_->isChecked());
    for (std::size_t i = 0; i < checked.texts.descriptive.size(); ++i)
        contact_.setDescriptive(static_cast<ContactText>(i), checked.texts.descriptive[i]);
    QDialog::accept();
}

} // namespace pw::ui
