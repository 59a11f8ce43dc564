// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo, the title with the file's name and changed mark, the recent files, and files
// dropped on the window.

#include "ui/main_window.h"

#include "ui/rx_groups_tab.h"
#include "ui/window_settings.h"
#include "ui/zones_tab.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QUrl>

namespace pw::ui {

MainWindow::EditStep::EditStep(MainWindow& window, std::string label)
    : window_(window), outermost_(!window.stepRunning_)
{
    if (!outermost_)
        return;
    // Typing in the identity boxes before this command is a step of its own.
    window_.recordEdit("Edit");
    window_.stepRunning_ = true;
    window_.stepLabel_ = std::move(label);
}

MainWindow::EditStep::~EditStep()
{
    if (!outermost_)
        return;
    window_.stepRunning_ = false;
    window_.recordEdit(window_.stepLabel_);
    window_.stepLabel_.clear();
}

void MainWindow::recordEdit(const std::string& label)
{
    history_.record(document_.codeplug, label);
    showHistoryState();
}

void MainWindow::showHistoryState()
{
    const auto named = [](const char* verb, const std::string& label) {
        return label.empty() ? QString::fromLatin1(verb) : QStringLiteral("%1 %2").arg(QString::fromLatin1(verb),
                                                                                         QString::fromStdString(label));
    };
    undoAction_->setEnabled(history_.canUndo());
    undoAction_->setText(named("&Undo", history_.undoLabel()));
    redoAction_->setEnabled(history_.canRedo());
    redoAction_->setText(named("&Redo", history_.redoLabel()));
    updateTitle();
}

void MainWindow::undo() { stepHistory(&EditHistory::undo); }

void MainWindow::redo() { stepHistory(&EditHistory::redo); }

void MainWindow::stepHistory(bool (EditHistory::*step)(Codeplug&))
{
    recordEdit("Edit");
    if (!(history_.*step)(document_.codeplug))
        return;
    clearSortIndicators();
    refreshAll();
    showHistoryState();
}

void MainWindow::updateTitle()
{
    if (!document_.codeplug.loaded() || document_.path.empty()) {
        setWindowTitle(productTitle());
        return;
    }
    const QString name = QFileInfo(fromPath(document_.path)).fileName();
    const QString mark = document_.codeplug.changed() ? QStringLiteral("*") : QString();
    setWindowTitle(QStringLiteral("%1%2 - %3").arg(name, mark, productTitle()));
}

QStringList MainWindow::recentFiles() const { return recentCodeplugFiles(); }

void MainWindow::rememberRecentFile(const QString& path)
{
    addRecentCodeplugFile(QFileInfo(path).absoluteFilePath());
    fillRecentFilesMenu();
}

void MainWindow::fillRecentFilesMenu()
{
    recentMenu_->clear();
    const QStringList files = recentCodeplugFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString& file = files[i];
        recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(file), this, [this, file] { openFile(file); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void MainWindow::clearSortIndicators()
{
    contactSort_.forget();
    channelSort_.forget();
    showSortIndicators();
}

void MainWindow::showSortIndicators()
{
    contactSort_.show(contactView_);
    contactSort_.show(rxGroupsPage_->masterView());
    channelSort_.show(channelView_);
    channelSort_.show(zonesPage_->masterView());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const auto urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const auto urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    openFile(urls.first().toLocalFile());
}

} // namespace pw::ui
