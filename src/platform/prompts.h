// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the core asks of the user: message boxes, the one-line input box, the file chooser and the
// wait cursor. The desktop program answers with dialogs, the command-line front end from its
// options, and tests from a script, so every command flow runs the same code in all three.

#include <optional>
#include <string>
#include <string_view>

namespace pw {

// The icon of a message box.
enum class MessageIcon { Information, Warning, Error, Question };

// The buttons of a message box. YesNoDefaultNo is Yes and No with No offered first (the button
// Enter presses): for a question whose Yes keeps something out of the ordinary.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };

// The button the user pressed.
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct FileChooserRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    std::string title;
    // "Description|patterns|Description|patterns||", patterns separated by ';'.
    std::string filter;
    std::string defaultExtension;  // without the dot; empty for none
    std::string initialName;
    std::string confirmText;       // replaces the dialog's usual accept-button text
    bool mustExist = false;
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // Shows a modal message box; texts use CR LF between lines.
    virtual MessageAnswer message(MessageIcon icon, MessageButtons buttons, std::string_view text,
                                  std::string_view title = {}) = 0;

    // The input box: the text entered, cut to `maxLength`, or nothing when cancelled.
    virtual std::optional<std::string> inputBox(std::string_view title, std::string_view prompt,
                                                std::size_t maxLength, std::string_view initialText) = 0;

    // The file chooser: the path chosen, or nothing when cancelled.
    virtual std::optional<std::string> chooseFile(const FileChooserRequest& request) = 0;

    // The wait cursor around long loops.
    virtual void setBusy(bool busy) = 0;

    // A notice that the work asked for succeeded ("File successfully saved to disk."). A message
    // box unless the front end has a quieter place for it: the window shows it in its status bar.
    virtual void notify(std::string_view text) { message(MessageIcon::Information, MessageButtons::Ok, text); }

    // Shorthands for the common boxes.
    void inform(std::string_view text) { message(MessageIcon::Information, MessageButtons::Ok, text); }
    void warn(std::string_view text) { message(MessageIcon::Warning, MessageButtons::Ok, text); }
    void error(std::string_view text) { message(MessageIcon::Error, MessageButtons::Ok, text); }
};

// Shows the wait cursor for the life of the object.
class BusyScope {
public:
    explicit BusyScope(Prompts& prompts) : prompts_(prompts) { prompts_.setBusy(true); }
    ~BusyScope() { prompts_.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Prompts& prompts_;
};

// Hands every call to `target`: the base of a wrapper that adds something to one kind of call.
class ForwardingPrompts : public Prompts {
public:
    explicit ForwardingPrompts(Prompts& target) : target_(target) {}

    MessageAnswer message(MessageIcon icon, MessageButtons buttons, std::string_view text,
                          std::string_view title) override
    {
        return target_.message(icon, buttons, text, title);
    }
    std::optional<std::string> inputBox(std::string_view title, std::string_view prompt, std::size_t maxLength,
                                        std::string_view initialText) override
    {
        return target_.inputBox(title, prompt, maxLength, initialText);
    }
    std::optional<std::string> chooseFile(const FileChooserRequest& request) override
    {
        return target_.chooseFile(request);
    }
    void setBusy(bool busy) override { target_.setBusy(busy); }
    void notify(std::string_view text) override { target_.notify(text); }

private:
    Prompts& target_;
};

} // namespace pw
