// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_prompts.h"

#include "model/unicode_text.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace pw::ui {

QString fromUtf8(std::string_view text)
{
    QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

std::string toUtf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString fromPath(std::string_view path)
{
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string toPath(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString fromMessageText(std::string_view text)
{
    QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (result.contains(QChar::ReplacementCharacter) && !isValidUtf8(text))
        result = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QStringList nameFiltersFrom(std::string_view filter)
{
    QStringList parts = QString::fromLatin1(filter.data(), static_cast<qsizetype>(filter.size())).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString description = parts[i];
        // The description may already show its patterns; Qt reads the patterns from the brackets.
        const auto bracket = description.indexOf('(');
        if (bracket >= 0)
            description = description.left(bracket).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters;
}

MessageAnswer QtPrompts::message(MessageIcon icon, MessageButtons buttons, std::string_view text,
                                 std::string_view title)
{
    QMessageBox box(parent_);
    box.setWindowTitle(title.empty() ? QStringLiteral("Plugwright") : fromUtf8(title));
    // A name from a file that looks like markup must show as written.
    box.setTextFormat(Qt::PlainText);
    box.setText(fromMessageText(text));
    switch (icon) {
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MessageButtons::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // A wait cursor must not sit over a question.
    const bool busy = busyDepth_ > 0;
    if (busy)
        QApplication::restoreOverrideCursor();
    const int pressed = box.exec();
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    switch (pressed) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default: return MessageAnswer::Cancel;
    }
}

std::optional<std::string> QtPrompts::inputBox(std::string_view title, std::string_view prompt,
                                               std::size_t maxLength, std::string_view initialText)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(fromUtf8(title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(fromUtf8(prompt), &dialog);
    label->setWordWrap(true);
    auto* edit = new QLineEdit(fromUtf8(initialText), &dialog);
    if (maxLength > 0)
        edit->setMaxLength(static_cast<int>(maxLength));
    // Typing replaces the offered text instead of adding to it.
    edit->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    auto text = toUtf8(edit->text());
    // The box holds `maxLength` characters, not bytes.
    if (maxLength > 0)
        text = std::string(utf8FirstCharacters(text, maxLength));
    return text;
}

std::optional<std::string> QtPrompts::chooseFile(const FileChooserRequest& request)
{
    QFileDialog dialog(parent_, fromUtf8(request.title));
    dialog.setAcceptMode(request.mode == FileChooserRequest::Mode::Save ? QFileDialog::AcceptSave
                                                                        : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(nameFiltersFrom(request.filter));
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(fromUtf8(request.defaultExtension));
    if (!request.initialName.empty())
        dialog.selectFile(fromPath(request.initialName));
    if (!request.confirmText.empty())
        dialog.setLabelText(QFileDialog::Accept, fromUtf8(request.confirmText));
    // Overwriting is asked by the commands themselves, with their own texts.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return toPath(dialog.selectedFiles().first());
}

void QtPrompts::setBusy(bool busy)
{
    if (busy) {
        if (busyDepth_++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

} // namespace pw::ui
