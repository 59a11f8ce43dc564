// SPDX-License-Identifier: GPL-3.0-or-later
// GoogleTest for the desktop program, inside a QApplication on the offscreen platform.
#include "iddb/id_database.h"
#include "iddb/id_sources.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Every window starts the ID database download. Tests keep their settings apart from the
    // user's and skip both sources, so that no test reaches the internet or waits on it.
    QTemporaryDir configDir;
    if (qEnvironmentVariableIsEmpty("PLUGWRIGHT_CONFIG_DIR"))
        qputenv("PLUGWRIGHT_CONFIG_DIR", QFile::encodeName(configDir.path()));
    QTemporaryDir cacheDir;
    if (qEnvironmentVariableIsEmpty("PLUGWRIGHT_CACHE_DIR"))
        qputenv("PLUGWRIGHT_CACHE_DIR", QFile::encodeName(cacheDir.path()));
    pw::writeSourceSettings(pw::userSourcesPath(), {{}, pw::SkippedSource, pw::SkippedSource});
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
