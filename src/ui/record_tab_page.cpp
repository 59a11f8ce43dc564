// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/record_tab_page.h"

#include "ui/record_list_view.h"
#include "ui/record_table_models.h"
#include "ui/window_settings.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace pw::ui {

RecordTabPage::RecordTabPage(RecordTableModel& model, const ListColumns& columns, const QString& objectName,
                             Commands commands, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    view_ = makeRecordListView(&model, columns, this);
    view_->setObjectName(objectName);
    view_->horizontalHeader()->setSectionsClickable(true);
    rememberColumnWidths(view_);
    layout->addWidget(view_);
    for (const auto& row : commands.buttonRows) {
        auto* buttons = new QHBoxLayout();
        layout->addLayout(buttons);
        for (const auto& button : row) {
            auto* pushButton = new QPushButton(QString::fromLatin1(button.text), this);
            pushButton->setAutoDefault(false);
            buttons->addWidget(pushButton);
            connect(pushButton, &QPushButton::clicked, this, button.command);
        }
    }
    connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this, commands.sort);
    connect(view_, &QTableView::doubleClicked, this, [&model, edit = commands.edit](const QModelIndex& index) {
        if (!model.showsPlaceholder())
            edit(index.row());
    });
}

} // namespace pw::ui
