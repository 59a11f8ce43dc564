// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window remembers between runs besides the settings block: the files opened last, its
// size and place, the columns and splitters as the user set them, and whether a save keeps a
// backup. They live in window.ini beside the settings block, in the user's configuration directory.

#include <QList>
#include <QString>
#include <QStringList>

class QSplitter;
class QTableView;
class QWidget;

namespace pw::ui {

inline constexpr int RecentFileCount = 8;

QStringList recentCodeplugFiles();
// Puts `path` first in the list of recent files, which keeps RecentFileCount of them.
void addRecentCodeplugFile(const QString& path);

// Whether the first save after an open keeps the file it replaces as NAME.bak (on unless the
// setting "backup/keepBackup" turns it off).
bool backupOnSave();
void setBackupOnSave(bool on);

// Sets the columns of `view` as the user left them last (widths, order), if any, and stores what
// the user does to them from now on under the view's object name. A list whose columns changed
// since starts from its own widths.
void rememberColumnWidths(QTableView* view);

// The same for the panes of a splitter.
void rememberSplitter(QSplitter* splitter);

// The size and place of a top-level window under `key`: restoreWindowGeometry is false when none was
// stored.
bool restoreWindowGeometry(QWidget& window, const QString& key);
void saveWindowGeometry(const QWidget& window, const QString& key);

} // namespace pw::ui
