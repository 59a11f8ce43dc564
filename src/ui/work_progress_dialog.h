// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bar of one long work (a large import, a sort of a large list): a window-modal dialog over
// the window that appears only once the work has run longer than the delay, and keeps the window
// painted while it runs. It offers no cancel: an import stopped half-way would leave half the
// records in the codeplug, and a sort cannot stop at all.

#include "platform/work_progress.h"

#include <QString>

#include <chrono>
#include <memory>

class QProgressDialog;
class QWidget;

namespace pw::ui {

class WorkProgressDialog final : public WorkProgress {
public:
    // Half a second: shorter work shows no dialog at all.
    static constexpr std::chrono::milliseconds DefaultDelay{500};

    WorkProgressDialog(QWidget* parent, QString label, std::chrono::milliseconds delay = DefaultDelay);
    ~WorkProgressDialog() override;
    WorkProgressDialog(const WorkProgressDialog&) = delete;
    WorkProgressDialog& operator=(const WorkProgressDialog&) = delete;

    // The dialog is made at the work's first report and closed at its last, before the work's
    // result is shown in a message box.
    void progressed(int done, int total) override;

private:
    QWidget* parent_;
    QString label_;
    std::chrono::milliseconds delay_;
    std::unique_ptr<QProgressDialog> dialog_;
    int reported_ = -1;
};

} // namespace pw::ui
