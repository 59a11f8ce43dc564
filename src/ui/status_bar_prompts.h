// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's prompts: every question and message of the prompts it was given, but notices of
// success shown in its status bar, where they do not stop the work as a box would.

#include "platform/prompts.h"
#include "ui/qt_prompts.h"

#include <QStatusBar>

namespace pw::ui {

class StatusBarPrompts final : public ForwardingPrompts {
public:
    // How long a notice stays: long enough to be read, gone before it tells of an older state.
    static constexpr int NoticeMilliseconds = 15000;

    StatusBarPrompts(Prompts& shown, QStatusBar& bar) : ForwardingPrompts(shown), bar_(bar) {}

    void notify(std::string_view text) override
    {
        // A notice is one line: its line ends become blanks.
        bar_.showMessage(fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral(" ")).simplified(),
                         NoticeMilliseconds);
    }

private:
    QStatusBar& bar_;
};

} // namespace pw::ui
