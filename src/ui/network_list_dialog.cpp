// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/network_list_dialog.h"

#include "codeplug/codeplug.h"
#include "platform/prompts.h"

namespace pw::ui {

NetworkListDialog::NetworkListDialog(const Context& context, const QString& title, QWidget* parent)
    : QDialog(parent), context_(context)
{
    setWindowTitle(title);
}

NetworkListDialog::~NetworkListDialog() = default;

bool NetworkListDialog::loading() const { return panel_->loading(); }

QString NetworkListDialog::previewText() const { return foot_.preview->toPlainText(); }

ListLoadPanel* NetworkListDialog::makeLoadPanel(const char* what, const char* fileFilter, ListLoadPanel::Hooks hooks)
{
    panel_ = new ListLoadPanel(what, fileFilter, *context_.prompts, std::move(hooks), this);
    panel_->setSettingsProblems(context_.settingsProblems);
    return panel_;
}

bool NetworkListDialog::readyToPlan(bool listLoaded, const QString& noList, const char* what, QString& why) const
{
    if (!listLoaded)
        why = noList;
    else if (!context_.codeplug || !context_.codeplug->loaded())
        why = QStringLiteral("Open a codeplug to add %1 to it.").arg(QString::fromLatin1(what));
    else
        return true;
    return false;
}

void NetworkListDialog::tell(const std::string& message) { context_.prompts->inform(message); }

} // namespace pw::ui
