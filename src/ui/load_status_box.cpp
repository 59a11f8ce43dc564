// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/load_status_box.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace pw::ui {
namespace {

// The bar's steps when the total is known.
constexpr int ProgressSteps = 1000;

} // namespace

LoadStatusBox::LoadStatusBox(const char* statusName, int statusHeight, const char* progressName, QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    status_ = new QPlainTextEdit(this);
    status_->setObjectName(QString::fromLatin1(statusName));
    status_->setReadOnly(true);
    status_->setMaximumHeight(statusHeight);
    row->addWidget(status_, 1);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QString::fromLatin1(progressName));
    progress_->setTextVisible(true);
    progress_->setAlignment(Qt::AlignCenter);
    progress_->setMinimumWidth(180);
    side_ = new QVBoxLayout();
    side_->addWidget(progress_);
    row->addLayout(side_);
}

void LoadStatusBox::addButtons(std::initializer_list<QPushButton*> buttons)
{
    for (auto* button : buttons)
        side_->addWidget(button);
    side_->addStretch();
}

QString LoadStatusBox::status() const { return status_->toPlainText(); }

void LoadStatusBox::setStatus(const QString& text) { status_->setPlainText(text); }

void LoadStatusBox::showProgress(std::uint64_t bytes, std::optional<std::uint64_t> totalBytes, const QString& text)
{
    if (totalBytes && *totalBytes > 0) {
        progress_->setRange(0, ProgressSteps);
        progress_->setValue(static_cast<int>(std::min<std::uint64_t>(bytes * ProgressSteps / *totalBytes, ProgressSteps)));
    } else {
        progress_->setRange(0, 0);
    }
    progress_->setFormat(text);
}

} // namespace pw::ui
