// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The prompts of the command-line front end: each message box is printed as its text with LF line
// ends (error boxes on standard error), questions are answered from --yes, input boxes from
// --answer, and file choosers with the paths that the command's arguments name. It remembers what
// was declined, so that the command can end with status 1 and say why.

#include "platform/prompts.h"

#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pw::cli {

class ConsolePrompts final : public Prompts {
public:
    ConsolePrompts(std::ostream& out, std::ostream& err) : out_(&out), err_(err) {}

    // Sends every message to standard error: standard output carries a file. The messages that
    // tell of work done are held back until that file has arrived (releaseHeldMessages), and
    // dropped when it could not be written (dropHeldMessages).
    void keepMessagesOffStandardOutput()
    {
        out_ = &err_;
        holdInformation_ = true;
    }
    void releaseHeldMessages();
    void dropHeldMessages() { held_.clear(); }
    // Messages show `name` wherever they would show `path` (a scratch file standing in for "-").
    void showPathAs(std::string path, std::string name) { pathNames_.emplace_back(std::move(path), std::move(name)); }

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

    // The text of a message box as printed: CR LF as LF, and a final LF; bytes that are not
    // UTF-8 (a path in another encoding) shown as Latin-1.
    static std::string printable(std::string_view text);

    // A question answered No or Cancel, as printed; nothing when none was.
    const std::optional<std::string>& declinedQuestion() const { return declinedQuestion_; }
    // The title of an input box that was cancelled; nothing when none was.
    const std::optional<std::string>& cancelledInputBox() const { return cancelledInputBox_; }
    // The last message box shown, as printed, and whether it went to standard error.
    const std::string& lastMessage() const { return lastMessage_; }
    bool lastMessageOnStandardError() const { return lastMessageOnError_; }
    // Some message went to standard error.
    bool wroteToStandardError() const { return wroteToError_; }

private:
    std::ostream* out_;
    std::ostream& err_;
    std::optional<std::string> declinedQuestion_;
    std::optional<std::string> cancelledInputBox_;
    std::string lastMessage_;
    bool lastMessageOnError_ = false;
    bool wroteToError_ = false;
    bool answerYes_ = false;
    bool holdInformation_ = false;
    std::vector<std::string> held_;
    std::optional<std::string> inputAnswer_;
    std::deque<std::optional<std::string>> files_;
    std::vector<std::pair<std::string, std::string>> pathNames_;
};

} // namespace pw::cli
