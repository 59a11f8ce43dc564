// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes, the input box, the file chooser and the wait cursor as Qt dialogs.

#include "platform/prompts.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace pw::ui {

// Texts of the core are UTF-8 with CR LF line breaks.
QString fromUtf8(std::string_view text);
std::string toUtf8(const QString& text);

// File paths are the file system's bytes, which the desktop names in its own encoding (UTF-8 on
// Linux): a path is never read as Latin-1.
QString fromPath(std::string_view path);
std::string toPath(const QString& path);

// A message may hold a path next to codeplug texts: it is read as UTF-8 when it is valid UTF-8,
// and as Latin-1 otherwise (a path in another encoding still shows, if not rightly).
QString fromMessageText(std::string_view text);

// "Description|patterns|Description|patterns||" as Qt name filters ("Description (*.a *.b)").
QStringList nameFiltersFrom(std::string_view filter);

class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* parent) : parent_(parent) {}

    MessageAnswer message(MessageIcon icon, MessageButtons buttons, std::string_view text,
                          std::string_view title) override;
    std::optional<std::string> inputBox(std::string_view title, std::string_view prompt, std::size_t maxLength,
                                        std::string_view initialText) override;
    std::optional<std::string> chooseFile(const FileChooserRequest& request) override;
    void setBusy(bool busy) override;

private:
    QWidget* parent_;
    int busyDepth_ = 0;
};

} // namespace pw::ui
