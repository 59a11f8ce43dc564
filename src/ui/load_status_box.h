// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The status of a list's load, as the ID database searcher and the network dialogs show it: a
// read-only box of the status and the outcomes, and beside it a column of a progress bar over the
// buttons that load the list again. The bar shows the bytes received of the total when the size
// is known and runs busy otherwise, with a text of what has come.

#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <optional>

class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace pw::ui {

class LoadStatusBox final : public QWidget {
    Q_OBJECT
public:
    // `statusName` and `progressName` are the object names of the status box and the bar; the
    // status box is at most `statusHeight` high.
    LoadStatusBox(const char* statusName, int statusHeight, const char* progressName, QWidget* parent);

    // Puts the load's buttons, made with this box as their parent, under the bar.
    void addButtons(std::initializer_list<QPushButton*> buttons);

    QString status() const;
    void setStatus(const QString& text);
    QProgressBar* progressBar() const { return progress_; }
    void showProgress(std::uint64_t bytes, std::optional<std::uint64_t> totalBytes, const QString& text);

private:
    QPlainTextEdit* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QVBoxLayout* side_ = nullptr;
};

} // namespace pw::ui
