// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_platform.h"

#include "ui/qt_prompts.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace pw::ui {

std::optional<std::string> QtClipboard::text()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isNull())
        return std::nullopt;
    // Clipboard texts of records use CR LF line ends; keep them as they are.
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool QtClipboard::setText(std::string_view text)
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return true;
}

bool QtWebBrowser::openPage(std::string_view url)
{
    return QDesktopServices::openUrl(QUrl(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size()))));
}

} // namespace pw::ui
