#pragma once
// Message boxes, the input box, the file chooser and the wait cursor as Qt dialogs.

#include "platform/prompts.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace pw::ui {

// Texts of the core are 8-bit Latin-1 with CR LF line breaks.
QString fromLatin1(std::string_view text);
std::string toLatin1(const QString& text);

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
