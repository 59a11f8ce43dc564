// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The foot of the dialogs that plan before they add (the network dialogs): "What adding will
// do:" over a preview box, then the button that adds and the one that closes the dialog.

#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>

#include <optional>
#include <string>

class QBoxLayout;
class QDialog;

namespace pw::ui {

struct PreviewArea {
    QPlainTextEdit* preview = nullptr;
    // "addButton"; "closeButton" rejects the dialog.
    QPushButton* add = nullptr;
};

PreviewArea addPreviewArea(QDialog& dialog, QBoxLayout& layout, const QString& addText);

// Shows what the plan would do, or why there is none, and lets the button add only a plan that
// changes something.
template <typename Plan>
void showPlan(const PreviewArea& area, const std::optional<Plan>& plan, const QString& why,
              std::string (*describe)(const Plan&))
{
    area.preview->setPlainText(plan ? QString::fromStdString(describe(*plan)) : why);
    area.add->setEnabled(plan && plan->changesSomething());
}

} // namespace pw::ui
