// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own commands: copy and paste, the contact and channel context menus, the transfer
// commands of the Data menu and the tab buttons, and the Structural Import tab.

#include "ui/main_window.h"

#include "operations/channel_transfer.h"
#include "operations/clipboard_transfer.h"
#include "operations/contact_commands.h"
#include "operations/record_commands.h"
#include "operations/structural_import.h"
#include "ui/record_list_view.h"
#include "ui/record_table_models.h"
#include "ui/refreshing_prompts.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace pw::ui {
namespace {

// The table positions of the records selected in a list that a filter may narrow.
std::vector<int> selectedRows(const QTableView* view, bool placeholder)
{
    return placeholder ? std::vector<int>() : selectedRecordRows(view);
}

// The context menus open only on a row that holds the selection mark.
bool clickedOnSelectedRow(const QTableView* view, const QPoint& position)
{
    const QModelIndex index = view->indexAt(position);
    return index.isValid() && view->selectionModel()->isRowSelected(index.row(), QModelIndex());
}

// Widgets in which Ctrl+C and Ctrl+V edit text rather than copy and paste records.
bool editsText(const QWidget* widget)
{
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
        qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget))
        return true;
    const auto* box = qobject_cast<const QComboBox*>(widget);
    return box && box->isEditable();
}

void disableExcept(QMenu& menu, const QStringList& kept)
{
    for (QAction* action : menu.actions())
        action->setEnabled(kept.contains(action->text()));
}

} // namespace

std::vector<int> MainWindow::selectedContactRows() const
{
    return selectedRows(contactView_, contactModel_->showsPlaceholder());
}

std::vector<int> MainWindow::selectedChannelRows() const
{
    return selectedRows(channelView_, channelModel_->showsPlaceholder());
}

void MainWindow::selectContactRow(int row) { selectOnlyRow(contactView_, row); }
void MainWindow::selectChannelRow(int row) { selectOnlyRow(channelView_, row); }

void MainWindow::copySelection()
{
    const auto& codeplug = document_.codeplug;
    QWidget* current = tabs_->currentWidget();
    if (current == contactsTab_)
        copyContacts(codeplug, clipboard_, selectedContactRows());
    else if (current == channelsTab_)
        copyChannels(codeplug, clipboard_, selectedChannelRows());
    else if (current == zonesTab_)
        copyZone(codeplug, clipboard_, listState_);
}

void MainWindow::paste()
{
    EditStep step(*this, "Paste");
    const auto showTab = [this](PasteTab tab) {
        switch (tab) {
        case PasteTab::Contacts: tabs_->setCurrentWidget(contactsTab_); break;
        case PasteTab::Channels: tabs_->setCurrentWidget(channelsTab_); break;
        case PasteTab::Zones: tabs_->setCurrentWidget(zonesTab_); break;
        case PasteTab::None: break;
        }
    };
    RefreshingPrompts prompts(*prompts_, document_.codeplug, [this] { refreshAll(); });
    const PasteOutcome outcome = pasteFromClipboard(document_.codeplug, prompts, clipboard_, listState_, showTab);
    if (outcome.tab == PasteTab::None)
        return;
    refreshAll();
    // A channel paste ends on the last channel, where the new ones are.
    if (outcome.tab == PasteTab::Channels)
        selectChannelRow(document_.codeplug.channels().count() - 1);
}

void MainWindow::exportContactsCsv() { exportContactsCsvCommand(document_.codeplug, *prompts_); }

std::unique_ptr<WorkProgressDialog> MainWindow::progressFor(const char* label)
{
    return std::make_unique<WorkProgressDialog>(this, QString::fromLatin1(label), progressDelay_);
}

void MainWindow::runImport(const char* label, const char* progressLabel,
                           TransferOutcome (*command)(Codeplug&, Prompts&, WorkProgress*))
{
    EditStep step(*this, label);
    RefreshingPrompts prompts(*prompts_, document_.codeplug, [this] { refreshAll(); });
    const auto progress = progressFor(progressLabel);
    if (command(document_.codeplug, prompts, progress.get()).done())
        refreshAll();
}

void MainWindow::importContactsCsv()
{
    runImport("Import Contacts from CSV", "Importing contacts...", &importContactsCsvCommand);
}

void MainWindow::importContactsFromCodeplug()
{
    runImport("Import Contacts from Codeplug", "Importing contacts...", &mergeContactsCommand);
}

void MainWindow::exportChannelsCsv() { exportChannelsCsvCommand(document_.codeplug, *prompts_); }

void MainWindow::importChannelsCsv()
{
    runImport("Import Channels from CSV", "Importing channels...", &importChannelsCsvCommand);
}

void MainWindow::importChannelsFromCodeplug()
{
    runImport("Import Channels from Codeplug", "Importing channels...", &importChannelsFromCodeplugCommand);
}

void MainWindow::deleteSelectedContacts()
{
    EditStep step(*this, "Delete Contacts");
    applyResult(deleteContacts(document_.codeplug, *prompts_, selectedContactRows()));
}

void MainWindow::deleteSelectedChannels()
{
    EditStep step(*this, "Delete Channels");
    applyResult(deleteChannels(document_.codeplug, *prompts_, selectedChannelRows()));
}

void MainWindow::buildContextMenus()
{
    // The Delete key runs the list's own delete, with its question.
    const auto addDeleteKey = [this](QTableView* view, void (MainWindow::*command)()) {
        auto* action = new QAction(view);
        action->setShortcut(QKeySequence::Delete);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, command);
        view->addAction(action);
    };
    addDeleteKey(contactView_, &MainWindow::deleteSelectedContacts);
    addDeleteKey(channelView_, &MainWindow::deleteSelectedChannels);
    for (QTableView* view : {contactView_, channelView_}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& position) {
            if (auto menu = contextMenuAt(view, position))
                menu->exec(view->viewport()->mapToGlobal(position));
        });
    }
}

std::unique_ptr<QMenu> MainWindow::contextMenuAt(QTableView* view, const QPoint& position)
{
    if (!clickedOnSelectedRow(view, position))
        return nullptr;
    // The "No Contacts" / "No Channels" row takes the mark too: its menu still adds and pastes,
    // while the commands on a record are greyed out.
    const bool placeholder =
        view == contactView_ ? contactModel_->showsPlaceholder() : channelModel_->showsPlaceholder();
    const int row = placeholder ? -1 : recordRowAt(view, view->indexAt(position).row());
    if (view == contactView_)
        return contactContextMenu(row);
    if (view == channelView_)
        return channelContextMenu(row);
    return nullptr;
}

std::unique_ptr<QMenu> MainWindow::contactContextMenu(int row)
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("MenuContactContext"));
    menu->addAction(QStringLiteral("&Add Contact..."), this, &MainWindow::addContact);
    menu->addAction(QStringLiteral("&Edit..."), this, [this, row] { editContact(row); });
    menu->addAction(QStringLiteral("&Copy Selection"), this, [this] {
        copyContacts(document_.codeplug, clipboard_, selectedContactRows());
    });
    menu->addAction(QStringLiteral("Mark as &Talkgroup..."), this, [this] {
        EditStep step(*this, "Mark as Talkgroup");
        applyResult(markContactsAsTalkgroups(document_.codeplug, *prompts_, selectedContactRows()));
    });
    menu->addAction(QStringLiteral("&Paste"), this, &MainWindow::paste);
    menu->addAction(QStringLiteral("&Delete..."), this, &MainWindow::deleteSelectedContacts);
    if (row < 0)
        disableExcept(*menu, {QStringLiteral("&Add Contact..."), QStringLiteral("&Paste")});
    return menu;
}

std::unique_ptr<QMenu> MainWindow::channelContextMenu(int row)
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("MenuChannelContext"));
    menu->addAction(QStringLiteral("Add Channel..."), this, [this] {
        if (channelOperationsOffered(document_.codeplug, *prompts_, "adding channels"))
            addChannel();
    });
    menu->addAction(QStringLiteral("Copy Selection"), this, [this] {
        copyChannels(document_.codeplug, clipboard_, selectedChannelRows());
    });
    // The delete itself refuses a format without the channel operations, with the same message.
    menu->addAction(QStringLiteral("Delete..."), this, &MainWindow::deleteSelectedChannels);
    menu->addAction(QStringLiteral("Edit..."), this, [this, row] { editChannel(row); });
    menu->addAction(QStringLiteral("Mass Change..."), this, [this] {
        if (channelOperationsOffered(document_.codeplug, *prompts_, "editing channels"))
            massChangeChannels();
    });
    menu->addAction(QStringLiteral("Paste"), this, &MainWindow::paste);
    menu->addAction(QStringLiteral("&Zone Wizard..."), this, &MainWindow::runZoneWizard);
    if (row < 0)
        disableExcept(*menu, {QStringLiteral("Add Channel..."), QStringLiteral("Paste")});
    return menu;
}

void MainWindow::buildStructuralImportTab()
{
    auto* layout = new QVBoxLayout(structuralImportTab_);
    auto* group = new QGroupBox(QStringLiteral("Structural Elements to Import"), structuralImportTab_);
    auto* groupLayout = new QVBoxLayout(group);
    const struct {
        const char* text;
        unsigned option;
    } boxes[] = {
        {"Contacts - Group/All Call", ImportGroupContacts},
        {"Contacts - Private Call", ImportPrivateContacts},
        {"Receive Groups", ImportRxGroups},
        {"Channels", ImportChannels},
        {"Scan Lists", ImportScanLists},
        {"Zones", ImportZones},
    };
    for (const auto& box : boxes) {
        auto* check = new QCheckBox(QString::fromLatin1(box.text), group);
        check->setChecked(true);
        check->setProperty("importOption", box.option);
        groupLayout->addWidget(check);
        importBoxes_.push_back(check);
        if (box.option == ImportRxGroups) {
            receiveGroupsBox_ = check;
            connect(check, &QCheckBox::clicked, this, [this](bool on) {
                if (on)
                    receiveGroupsSwitchedOn(document_.codeplug, *prompts_);
            });
        }
    }
    auto* importButton = new QPushButton(QStringLiteral("Import Selected Structures..."), group);
    importButton->setAutoDefault(false);
    groupLayout->addWidget(importButton);
    connect(importButton, &QPushButton::clicked, this, &MainWindow::importSelectedStructures);
    layout->addWidget(group);
    auto* explanation = new QLabel(fromUtf8(StructuralImportHelpText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                                   structuralImportTab_);
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(explanation, 1);
}

void MainWindow::importSelectedStructures()
{
    EditStep step(*this, "Structural Import");
    unsigned options = 0;
    for (const QCheckBox* box : importBoxes_) {
        if (box->isChecked())
            options |= box->property("importOption").toUInt();
    }
    // Every tab shows what was imported before the report is read.
    const auto progress = progressFor("Importing structures...");
    importStructuresCommand(document_.codeplug, *prompts_, options, listState_, [this] { refreshAll(); },
                            progress.get());
}

void MainWindow::checkStructuralImportBoxesForOpen()
{
    // D868 receive groups are better left out unless the user asks for them.
    if (document_.codeplug.family() != FormatFamily::D868Family)
        receiveGroupsBox_->setChecked(true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool copy = key->matches(QKeySequence::Copy);
    const bool pasteKey = key->matches(QKeySequence::Paste);
    if (!copy && !pasteKey)
        return QMainWindow::eventFilter(watched, event);
    // In a text box the keys copy and paste its text; elsewhere they copy and paste records.
    if (editsText(widget))
        return QMainWindow::eventFilter(watched, event);
    if (type == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (copy)
        copySelection();
    else
        paste();
    return true;
}

} // namespace pw::ui
