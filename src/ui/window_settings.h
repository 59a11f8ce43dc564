// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window remembers between runs besides the settings block: the files opened last, the
// column widths the user set, and whether a save keeps a backup. They live in window.ini beside the
// settings block, in the user's configuration directory.

#include <QList>
#include <QString>
#include <QStringList>

class QTableView;

namespace pw::ui {

inline constexpr int RecentFileCount = 8;

QStringList recentCodeplugFiles();
// Puts `path` first in the list of recent files, which keeps RecentFileCount of them.
void addRecentCodeplugFile(const QString& path);

// Whether the first save after an open keeps the file it replaces as NAME.bak (on unless the
// setting "backup/keepBackup" turns it off).
bool backupOnSave();
void setBackupOnSave(bool on);

// Sets the columns of `view` to the widths the user gave them last, if any, and stores each width
// the user gives them from now on under the view's object name.
void rememberColumnWidths(QTableView* view);

} // namespace pw::ui
