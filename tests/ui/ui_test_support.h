// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reaching a dialog's controls by object name, as the tests that drive the window's dialogs do.

#include <QDialog>
#include <QPushButton>
#include <QString>

#include <gtest/gtest.h>

namespace pw::ui {

// The control of `dialog` named `name`; a test failure names the control when there is none.
template <typename Control>
Control* control(QDialog& dialog, const char* name)
{
    auto* found = dialog.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

inline void click(QDialog& dialog, const char* button) { control<QPushButton>(dialog, button)->click(); }

} // namespace pw::ui
