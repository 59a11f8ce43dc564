// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_settings.h"

#include "platform/settings_store.h"

#include <QHeaderView>
#include <QSettings>
#include <QSplitter>
#include <QTableView>

namespace pw::ui {
namespace {

QSettings windowSettings()
{
    const auto path = configDirectory() / "window.ini";
    return QSettings(QString::fromStdString(path.string()), QSettings::IniFormat);
}

const QString RecentKey = QStringLiteral("recent/files");
const QString BackupKey = QStringLiteral("backup/keepBackup");

} // namespace

QStringList recentCodeplugFiles()
{
    auto files = windowSettings().value(RecentKey).toStringList();
    while (files.size() > RecentFileCount)
        files.removeLast();
    return files;
}

void addRecentCodeplugFile(const QString& path)
{
    auto files = recentCodeplugFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > RecentFileCount)
        files.removeLast();
    windowSettings().setValue(RecentKey, files);
}

bool backupOnSave() { return windowSettings().value(BackupKey, true).toBool(); }
void setBackupOnSave(bool on) { windowSettings().setValue(BackupKey, on); }

void rememberColumnWidths(QTableView* view)
{
    const QString key = QStringLiteral("columns/") + view->objectName();
    QHeaderView* header = view->horizontalHeader();
    const auto stored = windowSettings();
    // A state of another number of columns would put widths on the wrong columns.
    if (stored.value(key + QStringLiteral("/count")).toInt() == header->count())
        header->restoreState(stored.value(key + QStringLiteral("/state")).toByteArray());
    const auto store = [view, key] {
        // Only the user's changes count: while the window sets the widths, the view is not shown yet.
        if (!view->isVisible())
            return;
        auto settings = windowSettings();
        settings.setValue(key + QStringLiteral("/count"), view->horizontalHeader()->count());
        settings.setValue(key + QStringLiteral("/state"), view->horizontalHeader()->saveState());
    };
    QObject::connect(header, &QHeaderView::sectionResized, view, store);
    QObject::connect(header, &QHeaderView::sectionMoved, view, store);
}

void rememberSplitter(QSplitter* splitter)
{
    const QString key = QStringLiteral("splitters/") + splitter->objectName();
    splitter->restoreState(windowSettings().value(key).toByteArray());
    QObject::connect(splitter, &QSplitter::splitterMoved, splitter,
                     [splitter, key] { windowSettings().setValue(key, splitter->saveState()); });
}

bool restoreWindowGeometry(QWidget& window, const QString& key)
{
    const auto geometry = windowSettings().value(QStringLiteral("geometry/") + key).toByteArray();
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void saveWindowGeometry(const QWidget& window, const QString& key)
{
    windowSettings().setValue(QStringLiteral("geometry/") + key, window.saveGeometry());
}

} // namespace pw::ui
