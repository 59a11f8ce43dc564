// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Add / Edit Contact": one contact edited on a copy; the caller takes the copy back once the
// dialog is accepted with "Apply". The dialog offers the texts the contact's format keeps: a
// format that keeps no callsign, city, state, country or remarks shows a note instead of them.

#include "model/contact.h"
#include "operations/contact_editing.h"
#include "platform/prompts.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pw::ui {

class ContactEditorDialog final : public QDialog {
    Q_OBJECT
public:
    // A dialog over `working`, a copy of the contact to edit or a fresh contact of the codeplug's
    // format. "Apply" refuses texts the format cannot store, telling `prompts` why.
    ContactEditorDialog(const Contact& working, Prompts& prompts, QWidget* parent = nullptr);

    // The contact as the boxes left it after "Apply".
    const Contact& contact() const { return contact_; }

    // "Apply": the boxes are written into the copy, then the dialog closes accepted.
    void accept() override;

    QLineEdit* dmrIdBox() const { return dmrId_; }
    QLineEdit* nameBox() const { return name_; }
    // The box of a descriptive text: the callsign, city, state, country or remarks.
    QLineEdit* textBox(ContactText which) const { return texts_[static_cast<std::size_t>(which)]; }
    QComboBox* contactTypeList() const { return callType_; }
    QCheckBox* alertToneBox() const { return alertTone_; }
    QPushButton* applyButton() const { return apply_; }
    // Tells why the descriptive texts are not offered; hidden where they are.
    QLabel* textsNote() const { return textsNote_; }

    // A DMR ID box as a number: the decimal value of its leading digits, 0 for none.
    static std::uint32_t dmrIdFromBox(const QString& text);

private:
    QLineEdit* addTextBox(QFormLayout* form, const char* label, const char* objectName);

    Contact contact_;
    Prompts& prompts_;
    QLineEdit* dmrId_ = nullptr;
    QLineEdit* name_ = nullptr;
    // The descriptive texts' boxes, in ContactText order.
    std::array<QLineEdit*, std::tuple_size_v<decltype(ContactTexts::descriptive)>> texts_{};
    QLabel* textsNote_ = nullptr;
    QComboBox* callType_ = nullptr;
    QCheckBox* alertTone_ = nullptr;
    QPushButton* apply_ = nullptr;
};

} // namespace pw::ui
