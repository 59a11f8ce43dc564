// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/commit_button_row.h"

#include "ui/qt_prompts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace pw::ui {

QPushButton* addCommitButtonRow(QDialog& dialog, QBoxLayout* layout, std::string_view commitText,
                                std::string_view cancelText)
{
    auto* buttons = new QHBoxLayout();
    auto* commit = new QPushButton(fromUtf8(commitText), &dialog);
    commit->setObjectName(QStringLiteral("commitButton"));
    commit->setDefault(true);
    auto* cancel = new QPushButton(fromUtf8(cancelText), &dialog);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    // Enter commits even while the cancel button has the focus.
    cancel->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(commit);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return commit;
}

} // namespace pw::ui
