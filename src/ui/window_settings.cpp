// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_settings.h"

#include "platform/settings_store.h"

#include <QHeaderView>
#include <QSettings>
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
    const auto widths = windowSettings().value(key).toList();
    for (int c = 0; c < widths.size() && c < header->count(); ++c) {
        const int width = widths[c].toInt();
        if (width > 0 && !view->isColumnHidden(c))
            view->setColumnWidth(c, width);
    }
    QObject::connect(header, &QHeaderView::sectionResized, view, [view, key] {
        // Only the user's drags count: while the window sets the widths, the view is not shown yet.
        if (!view->isVisible())
            return;
        QVariantList stored;
        for (int c = 0; c < view->horizontalHeader()->count(); ++c)
            stored << view->columnWidth(c);
        windowSettings().setValue(key, stored);
    });
}

} // namespace pw::ui
