// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The row at the foot of the dialogs that commit a set of changes at once (Channel Mass Change,
// Zone Wizard): the commit button, the default one, then the cancel button, both at the right.

#include <string_view>

class QBoxLayout;
class QDialog;
class QPushButton;

namespace pw::ui {

// Adds the row to `layout`; the cancel button rejects `dialog`. Returns the commit button, whose
// click the dialog connects to its own checks.
QPushButton* addCommitButtonRow(QDialog& dialog, QBoxLayout* layout, std::string_view commitText,
                                std::string_view cancelText);

} // namespace pw::ui
