// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/record_tab_page.h"

#include "ui/filtered_list_model.h"
#include "ui/list_filter_bar.h"
#include "ui/record_list_view.h"
#include "ui/record_table_models.h"
#include "ui/window_settings.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace pw::ui {

RecordTabPage::RecordTabPage(RecordTableModel& model, RecordFilter filter, const ListColumns& columns,
                             const QString& objectName, Commands commands, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    list_ = new FilteredListModel(model, std::move(filter), this);
    view_ = makeRecordListView(list_, columns, this);
    view_->setObjectName(objectName);
    view_->horizontalHeader()->setSectionsClickable(true);
    rememberColumnWidths(view_);
    filterBar_ = new ListFilterBar(*list_, *view_, objectName + QStringLiteral("Filter"), this);
    layout->addWidget(filterBar_);
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
    const auto editRow = [this, &model, edit = commands.edit](int listRow) {
        const int record = list_->recordRow(listRow);
        if (record >= 0 && !model.showsPlaceholder())
            edit(record);
    };
    connect(view_, &QTableView::doubleClicked, this, [editRow](const QModelIndex& index) { editRow(index.row()); });
    // Enter and F2 edit the row holding the focus, as a double-click does.
    auto* editKey = new QAction(view_);
    editKey->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_F2)});
    editKey->setShortcutContext(Qt::WidgetShortcut);
    connect(editKey, &QAction::triggered, this, [this, editRow] {
        if (view_->currentIndex().isValid())
            editRow(view_->currentIndex().row());
    });
    view_->addAction(editKey);
}

} // namespace pw::ui
