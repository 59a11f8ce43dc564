// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The foot of the dialogs that plan before they add (the network dialogs): "What adding will
// do:" over a preview box, then the button that adds and the one that closes the dialog.

#include <QString>

class QBoxLayout;
class QDialog;
class QPlainTextEdit;
class QPushButton;

namespace pw::ui {

struct PreviewArea {
    QPlainTextEdit* preview = nullptr;
    // "addButton"; "closeButton" rejects the dialog.
    QPushButton* add = nullptr;
};

PreviewArea addPreviewArea(QDialog& dialog, QBoxLayout& layout, const QString& addText);

} // namespace pw::ui
