// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/preview_area.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace pw::ui {

PreviewArea addPreviewArea(QDialog& dialog, QBoxLayout& layout, const QString& addText)
{
    PreviewArea area;
    layout.addWidget(new QLabel(QStringLiteral("What adding will do:"), &dialog));
    area.preview = new QPlainTextEdit(&dialog);
    area.preview->setObjectName(QStringLiteral("preview"));
    area.preview->setReadOnly(true);
    area.preview->setMinimumHeight(130);
    layout.addWidget(area.preview, 1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    area.add = new QPushButton(addText, &dialog);
    area.add->setObjectName(QStringLiteral("addButton"));
    area.add->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("Close"), &dialog);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);
    buttons->addWidget(area.add);
    buttons->addWidget(close);
    layout.addLayout(buttons);
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
    return area;
}

} // namespace pw::ui
