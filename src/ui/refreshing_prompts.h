// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Prompts that bring the window up to date before a message box opens: a command that changed the
// codeplug and then reports it ("986 contacts imported.") shows its report over the lists as they
// now are, not as they were before the command.

#include "codeplug/codeplug.h"
#include "platform/prompts.h"

#include <functional>

namespace pw::ui {

class RefreshingPrompts final : public ForwardingPrompts {
public:
    RefreshingPrompts(Prompts& shown, const Codeplug& codeplug, std::function<void()> refresh)
        : ForwardingPrompts(shown), codeplug_(codeplug), refresh_(std::move(refresh)),
          refreshedAt_(codeplug.editCount())
    {
    }

    MessageAnswer message(MessageIcon icon, MessageButtons buttons, std::string_view text,
                          std::string_view title) override
    {
        // Reports end a command; questions come while it still works.
        if (buttons == MessageButtons::Ok)
            refreshIfChanged();
        return ForwardingPrompts::message(icon, buttons, text, title);
    }

    void notify(std::string_view text) override
    {
        refreshIfChanged();
        ForwardingPrompts::notify(text);
    }

private:
    void refreshIfChanged()
    {
        if (codeplug_.editCount() != refreshedAt_) {
            refresh_();
            refreshedAt_ = codeplug_.editCount();
        }
    }

    const Codeplug& codeplug_;
    std::function<void()> refresh_;
    std::uint64_t refreshedAt_;
};

} // namespace pw::ui
