// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Prompts that answer from a script and record what was shown, for tests.

#include "platform/prompts.h"

#include <deque>
#include <string>
#include <vector>

namespace pw {

class ScriptedPrompts final : public Prompts {
public:
    struct Shown {
        MessageIcon icon;
        MessageButtons buttons;
        std::string text;
    };
    struct Asked {
        std::string title;
        std::string prompt;
        std::size_t maxLength;
        std::string initialText;
    };

    // Answers for the next message boxes with more than an OK button, in order. When the script
    // runs out, questions are answered No (Cancel where there is no No).
    void answer(MessageAnswer answer) { answers_.push_back(answer); }
    // Answers for the next input boxes; nothing cancels the box.
    void type(std::optional<std::string> text) { typed_.push_back(std::move(text)); }
    // Answers for the next file choosers; nothing cancels the chooser.
    void choose(std::optional<std::string> path) { chosen_.push_back(std::move(path)); }

    MessageAnswer message(MessageIcon icon, MessageButtons buttons, std::string_view text, std::string_view) override
    {
        shown_.push_back({icon, buttons, std::string(text)});
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (answers_.empty())
            return buttons == MessageButtons::OkCancel ? MessageAnswer::Cancel : MessageAnswer::No;
        const auto next = answers_.front();
        answers_.pop_front();
        return next;
    }

    std::optional<std::string> inputBox(std::string_view title, std::string_view prompt, std::size_t maxLength,
                                        std::string_view initialText) override
    {
        asked_.push_back({std::string(title), std::string(prompt), maxLength, std::string(initialText)});
        if (typed_.empty())
            return std::nullopt;
        auto next = std::move(typed_.front());
        typed_.pop_front();
        if (next && maxLength > 0 && next->size() > maxLength)
            next->resize(maxLength);
        return next;
    }

    std::optional<std::string> chooseFile(const FileChooserRequest& request) override
    {
        requests_.push_back(request);
        if (chosen_.empty())
            return std::nullopt;
        auto next = std::move(chosen_.front());
        chosen_.pop_front();
        return next;
    }

    void setBusy(bool busy) override
    {
        if (busy)
            ++busyCount_;
        busy_ = busy;
    }

    const std::vector<Shown>& shown() const { return shown_; }
    const std::vector<Asked>& asked() const { return asked_; }
    const std::vector<FileChooserRequest>& requests() const { return requests_; }
    // The texts of every message box shown, in order.
    std::vector<std::string> texts() const
    {
        std::vector<std::string> all;
        for (const auto& s : shown_)
            all.push_back(s.text);
        return all;
    }
    std::string lastText() const { return shown_.empty() ? std::string() : shown_.back().text; }
    bool busy() const { return busy_; }
    int busyCount() const { return busyCount_; }
    void clearShown() { shown_.clear(); }

private:
    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<std::string>> typed_;
    std::deque<std::optional<std::string>> chosen_;
    std::vector<Shown> shown_;
    std::vector<Asked> asked_;
    std::vector<FileChooserRequest> requests_;
    bool busy_ = false;
    int busyCount_ = 0;
};

} // namespace pw
