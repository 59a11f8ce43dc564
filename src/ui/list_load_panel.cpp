// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list_load_panel.h"

#include "platform/prompts.h"
#include "ui/load_status_box.h"
#include "ui/qt_prompts.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace pw::ui {
namespace {

constexpr int FollowIntervalMs = 50;

} // namespace

ListLoadPanel::ListLoadPanel(std::string what, std::string fileFilter, Prompts& prompts, Hooks hooks, QWidget* parent)
    : QWidget(parent), what_(std::move(what)), fileFilter_(std::move(fileFilter)), prompts_(prompts),
      hooks_(std::move(hooks))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    status_ = new LoadStatusBox("loadStatus", 72, "loadProgress", this);
    status_->progressBar()->hide();
    layout->addWidget(status_);
    downloadButton_ = new QPushButton(QStringLiteral("Download"), status_);
    downloadButton_->setObjectName(QStringLiteral("downloadButton"));
    downloadButton_->setAutoDefault(false);
    fileButton_ = new QPushButton(QString::fromStdString("Load " + what_ + " from File..."), status_);
    fileButton_->setObjectName(QStringLiteral("loadFileButton"));
    fileButton_->setAutoDefault(false);
    status_->addButtons({downloadButton_, fileButton_});

    timer_ = new QTimer(this);
    timer_->setInterval(FollowIntervalMs);
    connect(timer_, &QTimer::timeout, this, &ListLoadPanel::follow);
    connect(downloadButton_, &QPushButton::clicked, this, &ListLoadPanel::download);
    connect(fileButton_, &QPushButton::clicked, this, &ListLoadPanel::loadFile);
}

void ListLoadPanel::download()
{
    hooks_.download();
    started(QString::fromStdString("Please wait. Loading the " + what_ + "..."));
}

void ListLoadPanel::loadFile()
{
    const auto path = prompts_.chooseFile({.mode = FileChooserRequest::Mode::Open,
                                           .title = "Load " + what_ + " from File",
                                           .filter = fileFilter_,
                                           .mustExist = true});
    if (!path)
        return;
    hooks_.loadFile(*path);
    started(QString::fromStdString("Please wait. Loading the " + what_ + " from " + *path + "..."));
}

void ListLoadPanel::started(const QString& status)
{
    status_->setStatus(status);
    status_->progressBar()->setRange(0, 0);
    status_->progressBar()->setFormat(QStringLiteral("0 KB"));
    status_->progressBar()->show();
    downloadButton_->setEnabled(false);
    fileButton_->setEnabled(false);
    timer_->start();
}

bool ListLoadPanel::loading() const { return timer_->isActive(); }

QString ListLoadPanel::statusText() const { return status_->status(); }

void ListLoadPanel::follow()
{
    if (!hooks_.done()) {
        const auto progress = hooks_.progress();
        QString text = QStringLiteral("%L1 KB").arg(progress.bytes / 1024);
        if (progress.pages > 1)
            text += QStringLiteral(", page %1 of %2").arg(progress.page).arg(progress.pages);
        status_->showProgress(progress.bytes, progress.totalBytes, text);
        return;
    }
    timer_->stop();
    status_->progressBar()->hide();
    downloadButton_->setEnabled(true);
    fileButton_->setEnabled(true);
    bool had = false;
    std::string lines;
    for (const auto& problem : problems_)
        lines += (lines.empty() ? "" : "\r\n") + problem;
    for (const auto& outcome : hooks_.finish(had))
        lines += (lines.empty() ? "" : "\r\n") + outcome.line();
    status_->setStatus(fromUtf8(lines));
    // A failure is never passed over: the reason stands in a box as well as in the status.
    if (!had)
        prompts_.warn("The " + what_ + " could not be had.\r\n\r\n" + lines);
    emit finished(had);
}

} // namespace pw::ui
