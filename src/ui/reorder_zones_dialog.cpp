// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reorder_zones_dialog.h"

#include "operations/reorder_zones.h"
#include "ui/qt_prompts.h"
#include "ui/record_list_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace pw::ui {

ReorderZonesDialog::ReorderZonesDialog(Codeplug& codeplug, Prompts& prompts, QWidget* parent)
    : QDialog(parent), codeplug_(codeplug), prompts_(prompts)
{
    setWindowTitle(QStringLiteral("Reorder Zones"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout();
    layout->addLayout(row, 1);

    // At most 250 zones: one item per cell costs nothing here.
    zoneList_ = new QTableWidget(0, 2, this);
    zoneList_->setObjectName(QStringLiteral("zoneList"));
    zoneList_->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("Zone Name")});
    zoneList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    zoneList_->setSelectionMode(QAbstractItemView::SingleSelection);
    zoneList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    zoneList_->verticalHeader()->hide();
    zoneList_->setColumnWidth(0, 40);
    zoneList_->setColumnWidth(1, 150);
    row->addWidget(zoneList_, 1);

    auto* buttons = new QVBoxLayout();
    row->addLayout(buttons);
    up_ = new QPushButton(QStringLiteral("Up"), this);
    up_->setObjectName(QStringLiteral("upButton"));
    down_ = new QPushButton(QStringLiteral("Down"), this);
    down_->setObjectName(QStringLiteral("downButton"));
    buttons->addWidget(up_);
    buttons->addWidget(down_);
    buttons->addStretch(1);

    // Labels break lines at "\n" alone.
    QString text = fromUtf8(ReorderZonesExplanation).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    auto* explanation = new QLabel(text, this);
    explanation->setObjectName(QStringLiteral("explanation"));
    layout->addWidget(explanation);
    done_ = new QPushButton(QStringLiteral("Done"), this);
    done_->setObjectName(QStringLiteral("doneButton"));
    done_->setAutoDefault(false);
    layout->addWidget(done_, 0, Qt::AlignRight);

    connect(up_, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { moveSelected(+1); });
    connect(done_, &QPushButton::clicked, this, &QDialog::accept);
    fillRows();
}

void ReorderZonesDialog::fillRows()
{
    const auto rows = reorderZoneRows(codeplug_);
    zoneList_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const auto& entry = rows[static_cast<std::size_t>(i)];
        zoneList_->setItem(i, 0, new QTableWidgetItem(fromUtf8(entry.number)));
        zoneList_->setItem(i, 1, new QTableWidgetItem(fromUtf8(entry.name)));
    }
}

void ReorderZonesDialog::selectRow(int row)
{
    zoneList_->clearSelection();
    if (row >= 0 && row < zoneList_->rowCount())
        zoneList_->selectRow(row);
}

std::optional<int> ReorderZonesDialog::selectedRow() const { return firstSelectedRow(zoneList_); }

void ReorderZonesDialog::moveSelected(int step)
{
    const auto from = selectedRow();
    const CommandResult result =
        step < 0 ? moveZoneUp(codeplug_, prompts_, from) : moveZoneDown(codeplug_, prompts_, from);
    if (!result.modelChanged)
        return;
    movedAny_ = true;
    fillRows();
    if (result.selectedRow)
        selectRow(*result.selectedRow);
}

} // namespace pw::ui
