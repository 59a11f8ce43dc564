// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list_tab_page.h"

#include "ui/filtered_list_model.h"
#include "ui/list_filter_bar.h"
#include "ui/main_window.h"
#include "ui/record_list_view.h"
#include "ui/window_settings.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace pw::ui {
namespace {

QTableView* makeList(QAbstractItemModel* model, ListColumns columns, const QString& objectName, QWidget* parent)
{
    auto* view = makeRecordListView(model, columns, parent, QAbstractItemView::SingleSelection);
    view->setObjectName(objectName);
    // Only the lists that sort by a heading take its clicks.
    view->horizontalHeader()->setSectionsClickable(false);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    rememberColumnWidths(view);
    return view;
}

// The name of a button's step in the history: its text without the marks ("[+] New Zone" gives
// "New Zone", "Rename..." gives "Rename").
std::string stepLabel(QString text)
{
    text.remove(QLatin1Char('&'));
    for (const char* mark : {"[+] ", "[-] ", "..."})
        text.remove(QString::fromLatin1(mark));
    return text.trimmed().toStdString();
}

QString named(const char* prefix, const char* suffix)
{
    return QString::fromLatin1(prefix) + QString::fromLatin1(suffix);
}

} // namespace

ListTabPage::ListTabPage(MainWindow& window, const ListTabTexts& texts, const ListTabCommands& commands,
                         QAbstractItemModel* members, ListColumns memberColumns, FilteredListModel* master,
                         ListColumns masterColumns, QWidget* parent)
    : QWidget(parent), window_(window), commands_(commands)
{
    if (!members->parent())
        members->setParent(this);
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout();
    layout->addLayout(top);
    if (texts.nameCaption)
        top->addWidget(new QLabel(QString::fromLatin1(texts.nameCaption), this));
    nameBox_ = new QLineEdit(this);
    nameBox_->setObjectName(named(texts.objectPrefix, "NameBox"));
    nameBox_->setReadOnly(true);
    top->addWidget(nameBox_, 1);
    topButtons_ = new QHBoxLayout();
    top->addLayout(topButtons_);

    if (!master->QObject::parent())
        master->setParent(this);
    // The members with the buttons that act on them, and the master list under its filter box.
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(named(texts.objectPrefix, "Splitter"));
    splitter->setChildrenCollapsible(false);
    layout->addWidget(splitter, 1);
    auto* memberPane = new QWidget(splitter);
    auto* memberGrid = new QGridLayout(memberPane);
    memberGrid->setContentsMargins(0, 0, 0, 0);
    memberGrid->addWidget(new QLabel(QString::fromLatin1(texts.memberCaption), memberPane), 0, 0);
    memberView_ = makeList(members, memberColumns, named(texts.objectPrefix, "MemberList"), memberPane);
    memberGrid->addWidget(memberView_, 1, 0);
    sideButtons_ = new QVBoxLayout();
    memberGrid->addLayout(sideButtons_, 1, 1);
    memberGrid->setColumnStretch(0, 1);
    auto* masterPane = new QWidget(splitter);
    auto* masterColumn = new QVBoxLayout(masterPane);
    masterColumn->setContentsMargins(0, 0, 0, 0);
    masterView_ = makeList(master, masterColumns, named(texts.objectPrefix, "MasterList"), masterPane);
    masterFilter_ = new ListFilterBar(*master, *masterView_, named(texts.objectPrefix, "MasterFilter"), masterPane);
    auto* masterTop = new QHBoxLayout();
    masterTop->addWidget(new QLabel(QString::fromLatin1(texts.masterCaption), masterPane));
    masterTop->addWidget(masterFilter_, 1);
    masterColumn->addLayout(masterTop);
    masterColumn->addWidget(masterView_, 1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    rememberSplitter(splitter);

    auto* hint = new QLabel(QString::fromLatin1(texts.hint), this);
    hint->setObjectName(named(texts.objectPrefix, "Hint"));
    layout->addWidget(hint);

    connect(masterView_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const int record = recordRowAt(masterView_, index.row());
        if (record >= 0 && !masterShowsPlaceholder()) {
            MainWindow::EditStep step(window_, "Add to List");
            showResult(addFromMaster(record));
        }
    });
    connect(memberView_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            MainWindow::EditStep step(window_, "Remove from List");
            showResult(removeMember(index.row()));
        }
    });
    // The Delete key on a member takes it out of the list, as a double-click does.
    auto* deleteKey = new QAction(memberView_);
    deleteKey->setShortcut(QKeySequence::Delete);
    deleteKey->setShortcutContext(Qt::WidgetShortcut);
    connect(deleteKey, &QAction::triggered, this, [this] {
        if (const auto row = selectedMemberRow()) {
            MainWindow::EditStep step(window_, "Remove from List");
            showResult(removeMember(*row));
        }
    });
    memberView_->addAction(deleteKey);
    for (QTableView* view : {memberView_, masterView_}) {
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& position) {
            if (auto menu = contextMenuAt(view, position))
                menu->exec(view->viewport()->mapToGlobal(position));
        });
    }

    addListButtons(texts);
    if (commands_.moveMemberUp && commands_.moveMemberDown)
        addMoveButtons(texts.objectPrefix);
}

void ListTabPage::addListButtons(const ListTabTexts& texts)
{
    addCommandButton(topButtons_, "Previous Group", named(texts.objectPrefix, "PreviousButton"),
                     [this] { return commands_.previous(codeplug(), state()); })
        ->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    addCommandButton(topButtons_, "Next Group", named(texts.objectPrefix, "NextButton"),
                     [this] { return commands_.next(codeplug(), state()); })
        ->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    addCommandButton(topButtons_, texts.newButton, QString::fromLatin1(texts.newButtonName),
                     [this] { return commands_.create(codeplug(), prompts(), state()); });
    addCommandButton(topButtons_, texts.deleteButton, QString::fromLatin1(texts.deleteButtonName),
                     [this] { return commands_.remove(codeplug(), prompts(), state()); });
    addCommandButton(topButtons_, "Rename...", QString::fromLatin1(texts.renameButtonName),
                     [this] { return commands_.rename(codeplug(), prompts(), state()); });
}

void ListTabPage::addMoveButtons(const char* objectPrefix)
{
    addCommandButton(sideButtons_, "Move Item Up", named(objectPrefix, "MoveUpButton"),
                     [this] { return moveSelectedMember(commands_.moveMemberUp); })
        ->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    addCommandButton(sideButtons_, "Move Item Down", named(objectPrefix, "MoveDownButton"),
                     [this] { return moveSelectedMember(commands_.moveMemberDown); })
        ->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
}

CommandResult ListTabPage::moveSelectedMember(CommandResult (*moveCommand)(Codeplug&, ListTabState&, int))
{
    const auto row = selectedMemberRow();
    return row ? moveCommand(codeplug(), state(), *row) : CommandResult{};
}

CommandResult ListTabPage::addFromMaster(int row)
{
    return commands_.addMember(codeplug(), prompts(), state(), row);
}

CommandResult ListTabPage::removeMember(int row)
{
    return commands_.removeMember(codeplug(), state(), row);
}

void ListTabPage::sortMasterOnHeadingClick(std::function<void(int column)> sort)
{
    QHeaderView* headings = masterView_->horizontalHeader();
    headings->setSectionsClickable(true);
    connect(headings, &QHeaderView::sectionClicked, this, std::move(sort));
}

QPushButton* ListTabPage::button(const QString& text) const
{
    for (QPushButton* candidate : findChildren<QPushButton*>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

std::optional<int> ListTabPage::selectedMemberRow() const { return firstSelectedRow(memberView_); }

void ListTabPage::selectMemberRow(int row) { selectOnlyRow(memberView_, row); }

std::unique_ptr<QMenu> ListTabPage::contextMenuAt(QTableView* view, const QPoint& position)
{
    const QModelIndex index = view->indexAt(position);
    if (!index.isValid() || !view->selectionModel()->isRowSelected(index.row(), QModelIndex()))
        return nullptr;
    if (view == memberView_)
        return memberMenu(index.row());
    if (view == masterView_ && !masterShowsPlaceholder())
        return masterMenu(recordRowAt(masterView_, index.row()));
    return nullptr;
}

QPushButton* ListTabPage::addCommandButton(QBoxLayout* layout, const char* text, const QString& objectName,
                                           Command command)
{
    auto* button = new QPushButton(QString::fromLatin1(text), this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, label = stepLabel(button->text()), command = std::move(command)] {
        MainWindow::EditStep step(window_, label);
        showResult(command());
    });
    return button;
}

void ListTabPage::showResult(const CommandResult& result)
{
    window_.applyResult(result);
    if (result.selectedRow)
        selectMemberRow(*result.selectedRow);
}

Codeplug& ListTabPage::codeplug() const { return window_.document().codeplug; }
Prompts& ListTabPage::prompts() const { return window_.prompts(); }
ListTabState& ListTabPage::state() const { return window_.listTabState(); }

} // namespace pw::ui
