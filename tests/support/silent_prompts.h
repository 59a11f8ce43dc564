// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Prompts that show nothing and answer No (Cancel where there is no No), for tests and fuzz targets
// that run a command flow without a user.

#include "platform/prompts.h"

namespace pw {

class SilentPrompts final : public Prompts {
public:
    MessageAnswer message(MessageIcon, MessageButtons buttons, std::string_view, std::string_view) override
    {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok
             : buttons == MessageButtons::OkCancel ? MessageAnswer::Cancel
                                                   : MessageAnswer::No;
    }
    std::optional<std::string> inputBox(std::string_view, std::string_view, std::size_t, std::string_view) override
    {
        return std::nullopt;
    }
    std::optional<std::string> chooseFile(const FileChooserRequest&) override { return std::nullopt; }
    void setBusy(bool) override {}
};

} // namespace pw
