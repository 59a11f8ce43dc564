// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Zone Wizard": the controls over a ZoneWizard (operations/zone_wizard.h), which holds the state,
// computes the status and the proposed scan-list name, and commits. The dialog mirrors the
// wizard's state into its controls after every change.

#include "operations/zone_wizard.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace pw {
class Prompts;
}

namespace pw::ui {

class ZoneWizardDialog final : public QDialog {
    Q_OBJECT
public:
    // The wizard must outlive the dialog.
    ZoneWizardDialog(ZoneWizard& wizard, Prompts& prompts, QWidget* parent = nullptr);

    // What the last "Commit Changes" did; its outcome stays StayOpen until one succeeded.
    const ZoneWizardCommit& lastCommit() const { return lastCommit_; }

private:
    // The scan list the wizard may make of the zone's channels: whether it makes one, its name,
    // and whether the channels take it as theirs.
    struct ScanListBoxes {
        QCheckBox* create = nullptr;
        QLineEdit* name = nullptr;
        QCheckBox* apply = nullptr;
    };

    void zoneNameEdited(const QString& text);
    void applyBoxToggled(bool on);
    void showWizardState();
    void commitChanges();

    ZoneWizard& wizard_;
    Prompts& prompts_;
    ZoneWizardCommit lastCommit_;

    QLineEdit* zoneName_ = nullptr;
    QPlainTextEdit* status_ = nullptr;
    QPlainTextEdit* selectedChannels_ = nullptr;
    ScanListBoxes scanList_;
};

} // namespace pw::ui
