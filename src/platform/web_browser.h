// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a web page in the user's browser.

#include <string_view>

namespace pw {

class WebBrowser {
public:
    virtual ~WebBrowser() = default;
    // Returns false when no browser could be started.
    virtual bool openPage(std::string_view url) = 0;
};

} // namespace pw
