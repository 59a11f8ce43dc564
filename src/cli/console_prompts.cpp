// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/console_prompts.h"

#include "cli/text_encoding.h"
#include "model/unicode_text.h"

#include <ostream>

namespace pw::cli {

std::string ConsolePrompts::printable(std::string_view text)
{
    std::string lf;
    lf.reserve(text.size() + 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        lf.push_back(text[i]);
    }
    lf.push_back('\n');
    return linesText(lf);
}

MessageAnswer ConsolePrompts::message(MessageIcon icon, MessageButtons buttons, std::string_view text,
                                      std::string_view)
{
    std::string shown(text);
    for (const auto& [path, name] : pathNames_)
        for (auto at = shown.find(path); at != std::string::npos; at = shown.find(path, at + name.size()))
            shown.replace(at, path.size(), name);
    lastMessage_ = printable(shown);
    if (holdInformation_ && icon == MessageIcon::Information && buttons == MessageButtons::Ok) {
        held_.push_back(lastMessage_);
        return MessageAnswer::Ok;
    }
    auto& stream = icon == MessageIcon::Error ? err_ : *out_;
    lastMessageOnError_ = &stream == &err_;
    wroteToError_ = wroteToError_ || lastMessageOnError_;
    stream << lastMessage_ << std::flush;
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (!answerYes_ && !declinedQuestion_)
        declinedQuestion_ = lastMessage_;
    if (buttons == MessageButtons::OkCancel)
        return answerYes_ ? MessageAnswer::Ok : MessageAnswer::Cancel;
    return answerYes_ ? MessageAnswer::Yes : MessageAnswer::No;
}

void ConsolePrompts::releaseHeldMessages()
{
    for (const auto& text : held_)
        err_ << text;
    err_.flush();
    wroteToError_ = wroteToError_ || !held_.empty();
    held_.clear();
}

std::optional<std::string> ConsolePrompts::inputBox(std::string_view title, std::string_view, std::size_t maxLength,
                                                    std::string_view)
{
    if (!inputAnswer_) {
        if (!cancelledInputBox_)
            cancelledInputBox_ = lineText(title);
        return std::nullopt;
    }
    auto text = *inputAnswer_;
    // The box holds `maxLength` characters, not bytes.
    if (maxLength > 0)
        text = std::string(utf8FirstCharacters(text, maxLength));
    return text;
}

std::optional<std::string> ConsolePrompts::chooseFile(const FileChooserRequest&)
{
    if (files_.empty())
        return std::nullopt;
    auto next = std::move(files_.front());
    files_.pop_front();
    return next;
}

} // namespace pw::cli
