// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Channel Mass Change": collects one set of channel changes from its controls. What the changes
// mean, the checks of "Commit Changes" and the command around the dialog live in
// operations/channel_mass_change.h; the dialog only shows the choices and reads the controls.

#include "codeplug/frequency_limits.h"
#include "operations/channel_mass_change.h"

#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace pw {
class Codeplug;
class Prompts;
} // namespace pw

namespace pw::ui {

class MassChangeDialog final : public QDialog {
    Q_OBJECT
public:
    // The lists are filled from the codeplug's tables as they stand when the dialog opens.
    MassChangeDialog(const Codeplug& codeplug, Prompts& prompts, QWidget* parent = nullptr);

    // The changes handed over by "Commit Changes"; nothing while the dialog has not been accepted.
    const std::optional<ChannelChangeSet>& changes() const { return changes_; }

private:
    // A check box switching one change on, and the control holding its value.
    struct Switched {
        QCheckBox* box = nullptr;
        QComboBox* list = nullptr;
    };

    void commitChanges();
    ChannelChangeSet collectChanges() const;

    Prompts& prompts_;
    // The bands of the codeplug's radio, which a typed frequency is checked against.
    std::vector<FrequencyLimits> radioBands_;
    std::optional<ChannelChangeSet> changes_;

    QCheckBox* rxFrequencyBox_ = nullptr;
    QLineEdit* rxFrequency_ = nullptr;
    Switched offset_;
    QCheckBox* prependBox_ = nullptr;
    QCheckBox* appendBox_ = nullptr;
    QLineEdit* nameText_ = nullptr;
    QCheckBox* replaceBox_ = nullptr;
    QLineEdit* replaceFind_ = nullptr;
    QLineEdit* replaceWith_ = nullptr;
    Switched scanList_;
    Switched admit_;
    Switched timeSlot_;
    Switched txContact_;
    Switched rxGroup_;
    Switched colorCode_;
    Switched encodeTone_;
    Switched decodeTone_;
    QCheckBox* makeCopies_ = nullptr;
};

} // namespace pw::ui
