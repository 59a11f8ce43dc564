// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system clipboard and the web browser, through Qt.

#include "platform/clipboard.h"
#include "platform/web_browser.h"

namespace pw::ui {

class QtClipboard final : public Clipboard {
public:
    std::optional<std::string> text() override;
    bool setText(std::string_view text) override;
};

class QtWebBrowser final : public WebBrowser {
public:
    bool openPage(std::string_view url) override;
};

} // namespace pw::ui
