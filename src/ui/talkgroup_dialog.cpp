// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/talkgroup_dialog.h"

#include "codeplug/codeplug.h"
#include "operations/talkgroup_contacts.h"
#include "platform/prompts.h"
#include "ui/list_load_panel.h"
#include "ui/preview_area.h"
#include "ui/qt_prompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pw::ui {
namespace {

constexpr const char* ListFilter = "Talkgroup Lists (*.json *.csv)|*.json;*.csv|All Files (*.*)|*.*||";

} // namespace

TalkgroupDialog::TalkgroupDialog(Setup setup, QWidget* parent) : QDialog(parent), setup_(std::move(setup))
{
    setWindowTitle(QStringLiteral("Add Talkgroups from Network"));
    buildControls();
    if (setup_.catalogue && *setup_.catalogue && !(*setup_.catalogue)->empty()) {
        catalogue_ = *setup_.catalogue;
        count_->setText(QStringLiteral("%L1 talkgroups in the list loaded before.").arg(catalogue_->size()));
        refreshPreview();
    } else {
        panel_->download();
    }
}

TalkgroupDialog::~TalkgroupDialog() = default;

void TalkgroupDialog::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto hooks = backgroundLoadHooks(load_, &loadTalkgroups, [this] { return setup_.source; });
    hooks.finish = [this](bool& had) {
        auto loaded = load_.take();
        had = !loaded.catalogue.empty();
        if (had)
            catalogue_ = std::make_shared<const TalkgroupCatalogue>(std::move(loaded.catalogue));
        return loaded.outcomes;
    };
    panel_ = new ListLoadPanel("talkgroup list", ListFilter, *setup_.prompts, std::move(hooks), this);
    panel_->setSettingsProblems(setup_.settingsProblems);
    connect(panel_, &ListLoadPanel::finished, this, &TalkgroupDialog::catalogueLoaded);
    layout->addWidget(new QLabel(QString::fromStdString("Talkgroup list: " + setup_.source.url), this));
    layout->addWidget(panel_);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("talkgroupCount"));
    layout->addWidget(count_);

    auto* choices = new QGridLayout();
    layout->addLayout(choices);
    byNumber_ = new QRadioButton(QStringLiteral("Talkgroup numbers:"), this);
    byNumber_->setObjectName(QStringLiteral("byNumber"));
    byNumber_->setChecked(true);
    numbers_ = new QLineEdit(QStringLiteral("91"), this);
    numbers_->setObjectName(QStringLiteral("numbers"));
    numbers_->setPlaceholderText(QStringLiteral("91,262,3100-3199"));
    byName_ = new QRadioButton(QStringLiteral("Names holding:"), this);
    byName_->setObjectName(QStringLiteral("byName"));
    nameText_ = new QLineEdit(this);
    nameText_->setObjectName(QStringLiteral("nameText"));
    rename_ = new QRadioButton(QStringLiteral("Give the group-call contacts named only by their number (\"TG 2621\") "
                                              "the network's names"),
                               this);
    rename_->setObjectName(QStringLiteral("renameUsed"));
    auto* group = new QButtonGroup(this);
    for (auto* button : {byNumber_, byName_, rename_})
        group->addButton(button);
    choices->addWidget(byNumber_, 0, 0);
    choices->addWidget(numbers_, 0, 1);
    choices->addWidget(byName_, 1, 0);
    choices->addWidget(nameText_, 1, 1);
    choices->addWidget(rename_, 2, 0, 1, 2);
    useList_ = new QCheckBox(QStringLiteral("Put them in the RX group list:"), this);
    useList_->setObjectName(QStringLiteral("useRxGroupList"));
    listName_ = new QLineEdit(this);
    listName_->setObjectName(QStringLiteral("rxGroupListName"));
    listName_->setMaxLength(20);
    choices->addWidget(useList_, 3, 0);
    choices->addWidget(listName_, 3, 1);

    foot_ = addPreviewArea(*this, *layout, QStringLiteral("Add Talkgroups"));
    resize(640, 520);

    connect(foot_.add, &QPushButton::clicked, this, &TalkgroupDialog::addTalkgroups);
    for (auto* button : {byNumber_, byName_, rename_})
        connect(button, &QRadioButton::toggled, this, &TalkgroupDialog::refreshPreview);
    connect(useList_, &QCheckBox::toggled, this, &TalkgroupDialog::refreshPreview);
    for (auto* box : {numbers_, nameText_, listName_})
        connect(box, &QLineEdit::textChanged, this, &TalkgroupDialog::refreshPreview);
    refreshPreview();
}

bool TalkgroupDialog::loading() const { return panel_->loading(); }

QString TalkgroupDialog::previewText() const { return foot_.preview->toPlainText(); }

void TalkgroupDialog::catalogueLoaded(bool had)
{
    if (had) {
        count_->setText(QStringLiteral("%L1 talkgroups in the list.").arg(catalogue_->size()));
        if (setup_.catalogue)
            *setup_.catalogue = catalogue_;
    }
    refreshPreview();
}

std::optional<TalkgroupContactPlan> TalkgroupDialog::plan(QString& why) const
{
    if (!catalogue_) {
        why = QStringLiteral("No talkgroup list is loaded.");
        return std::nullopt;
    }
    if (!setup_.codeplug || !setup_.codeplug->loaded()) {
        why = QStringLiteral("Open a codeplug to add talkgroups to it.");
        return std::nullopt;
    }
    TalkgroupChoice choice;
    if (byNumber_->isChecked()) {
        const auto ranges = parseTalkgroupIds(toUtf8(numbers_->text()));
        if (!ranges) {
            why = QStringLiteral("Type talkgroup numbers and ranges, like 91,262,3100-3199.");
            return std::nullopt;
        }
        choice.ids = *ranges;
    } else if (byName_->isChecked()) {
        choice.kind = TalkgroupChoice::Kind::Match;
        choice.match = toUtf8(nameText_->text());
        if (choice.match.empty()) {
            why = QStringLiteral("Type a text that the names hold.");
            return std::nullopt;
        }
    } else {
        choice.kind = TalkgroupChoice::Kind::Used;
    }
    const auto listName = useList_->isChecked() ? toUtf8(listName_->text()) : std::string();
    return planTalkgroupContacts(*setup_.codeplug, *catalogue_, choice, listName);
}

void TalkgroupDialog::refreshPreview()
{
    QString why;
    const auto planned = plan(why);
    showPlan(foot_, planned, why, &talkgroupPlanPreview);
}

void TalkgroupDialog::addTalkgroups()
{
    QString why;
    const auto planned = plan(why);
    if (!planned || !planned->changesSomething())
        return;
    const auto result = addTalkgroupContacts(*setup_.codeplug, *planned);
    changed_ = true;
    setup_.prompts->inform(result.message);
    refreshPreview();
}

} // namespace pw::ui
