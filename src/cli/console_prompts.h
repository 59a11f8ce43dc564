#pragma once
// The prompts of the command-line front end: each message box is printed as its text with LF line
// ends (error boxes on standard error), questions are answered from --yes, input boxes from
// --answer, and file choosers with the paths that the command's arguments name.

#include "platform/prompts.h"

#include <deque>
#include <iosfwd>
#include <optional>
#include <string>

namespace pw::cli {

class ConsolePrompts final : public Prompts {
public:
    ConsolePrompts(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    void setAnswerYes(bool yes) { answerYes_ = yes; }
    void setInputAnswer(std::optional<std::string> text) { inputAnswer_ = std::move(text); }
    // The path the next file chooser returns; none cancels it.
    void queueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }

    MessageAnswer message(MessageIcon icon, MessageButtons buttons, std::string_view text,
                          std::string_view title) override;
    std::optional<std::string> inputBox(std::string_view title, std::string_view prompt, std::size_t maxLength,
                                        std::string_view initialText) override;
    std::optional<std::string> chooseFile(const FileChooserRequest& request) override;
    void setBusy(bool) override {}

    // The text of a message box as printed: CR LF as LF, Latin-1 as UTF-8, and a final LF.
    static std::string printable(std::string_view text);

private:
    std::ostream& out_;
    std::ostream& err_;
    bool answerYes_ = false;
    std::optional<std::string> inputAnswer_;
    std::deque<std::optional<std::string>> files_;
};

} // namespace pw::cli
