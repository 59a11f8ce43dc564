// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Add / Edit Contact": one contact edited on a copy; the caller takes the copy back once the
// dialog is accepted with "Apply".

#include "model/contact.h"
#include "platform/prompts.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

namespace pw::ui {

class ContactEditorDialog final : public QDialog {
    Q_OBJECT
public:
    // A dialog over `working`, a copy of the contact to edit or a fresh contact.
    explicit ContactEditorDialog(const Contact& working, QWidget* parent = nullptr);

    // The contact as the boxes left it after "Apply".
    const Contact& contact() const { return contact_; }

    // "Apply" refuses a name that `format` (the codeplug's) cannot hold, telling `prompts` why.
    void checkNamesFor(const ContactFormat& format, Prompts& prompts)
    {
        nameFormat_ = &format;
        prompts_ = &prompts;
    }

    // "Apply": the boxes are written into the copy, then the dialog closes accepted.
    void accept() override;

    QLineEdit* dmrIdBox() const { return dmrId_; }
    QLineEdit* nameBox() const { return name_; }
    QLineEdit* callsignBox() const { return callsign_; }
    QLineEdit* cityBox() const { return city_; }
    QLineEdit* stateBox() const { return state_; }
    QLineEdit* countryBox() const { return country_; }
    QLineEdit* remarksBox() const { return remarks_; }
    QComboBox* contactTypeList() const { return callType_; }
    QCheckBox* alertToneBox() const { return alertTone_; }
    QPushButton* applyButton() const { return apply_; }

    // A DMR ID box as a number: the decimal value of its leading digits, 0 for none.
    static std::uint32_t dmrIdFromBox(const QString& text);

private:
    QLineEdit* addTextBox(QFormLayout* form, const char* label, const char* objectName, int maxLength);

    Contact contact_;
    const ContactFormat* nameFormat_ = nullptr;
    Prompts* prompts_ = nullptr;
    QLineEdit* dmrId_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* callsign_ = nullptr;
    QLineEdit* city_ = nullptr;
    QLineEdit* state_ = nullptr;
    QLineEdit* country_ = nullptr;
    QLineEdit* remarks_ = nullptr;
    QComboBox* callType_ = nullptr;
    QCheckBox* alertTone_ = nullptr;
    QPushButton* apply_ = nullptr;
};

} // namespace pw::ui
