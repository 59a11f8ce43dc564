// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain text on the system clipboard.

#include <optional>
#include <string>
#include <string_view>

namespace pw {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text, or nothing when it holds no text.
    virtual std::optional<std::string> text() = 0;
    // Replaces the clipboard's content with `text`; false when the clipboard could not be written.
    virtual bool setText(std::string_view text) = 0;
};

// A clipboard of the process's own, for the command-line front end and tests.
class MemoryClipboard final : public Clipboard {
public:
    std::optional<std::string> text() override { return text_; }
    bool setText(std::string_view text) override
    {
        text_ = std::string(text);
        return true;
    }

private:
    std::optional<std::string> text_;
};

} // namespace pw
