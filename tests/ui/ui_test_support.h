// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reaching a dialog's controls by object name, as the tests that drive the window's dialogs do,
// and scripted prompts under which a test can look at the window while a message box is up.

#include "support/scripted_prompts.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QString>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

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

// Lets the window's timers run until the condition holds. The limit only keeps a broken test from
// hanging; nothing here depends on how long anything takes.
inline bool waitFor(const std::function<bool()>& condition)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() > 30000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// Scripted prompts that also let a test look at the window while each message box is up.
class WatchedPrompts final : public ForwardingPrompts {
public:
    WatchedPrompts() : ForwardingPrompts(script) {}

    ScriptedPrompts script;
    std::function<void(std::string_view text)> onMessage;

    MessageAnswer message(MessageIcon icon, MessageButtons buttons, std::string_view text,
                          std::string_view title) override
    {
        if (onMessage)
            onMessage(text);
        return ForwardingPrompts::message(icon, buttons, text, title);
    }
};

} // namespace pw::ui
