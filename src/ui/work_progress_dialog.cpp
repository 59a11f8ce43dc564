// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/work_progress_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressDialog>

#include <algorithm>

namespace pw::ui {
namespace {

// Neither the title bar's close button nor Escape hides the bar: the work goes on under it, and
// a hidden window-modal dialog would let the window take commands in the middle of it.
class StayingProgressDialog final : public QProgressDialog {
public:
    using QProgressDialog::QProgressDialog;

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape)
            event->accept();
        else
            QProgressDialog::keyPressEvent(event);
    }
};

} // namespace

WorkProgressDialog::WorkProgressDialog(QWidget* parent, QString label, std::chrono::milliseconds delay)
    : parent_(parent), label_(std::move(label)), delay_(delay)
{
}

WorkProgressDialog::~WorkProgressDialog() = default;

void WorkProgressDialog::progressed(int done, int total)
{
    if (total <= 0 || done <= reported_)
        return;
    reported_ = done;
    if (done >= total) {
        dialog_.reset();
        return;
    }
    if (!dialog_) {
        dialog_ = std::make_unique<StayingProgressDialog>(label_, QString(), 0, total, parent_);
        dialog_->setObjectName(QStringLiteral("WorkProgress"));
        dialog_->setWindowTitle(parent_ ? parent_->window()->windowTitle() : QString());
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setCancelButton(nullptr);
        // Wide enough for a bar whose movement can be seen, whatever the label's length.
        dialog_->setMinimumWidth(dialog_->fontMetrics().averageCharWidth() * 48);
        dialog_->setMinimumDuration(static_cast<int>(delay_.count()));
        // The clock starts here; later values show the dialog once the delay has passed (or
        // promises to), and then let the window repaint.
        dialog_->setValue(0);
    }
    dialog_->setValue(std::min(done, total));
}

} // namespace pw::ui
