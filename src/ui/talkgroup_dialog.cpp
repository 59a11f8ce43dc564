// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/talkgroup_dialog.h"

#include "codeplug/codeplug.h"
#include "operations/talkgroup_contacts.h"
#include "ui/qt_prompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pw::ui {
namespace {

constexpr const char* ListFilter = "Talkgroup Lists (*.json *.csv)|*.json;*.csv|All Files (*.*)|*.*||";

} // namespace

TalkgroupDialog::TalkgroupDialog(Setup setup, QWidget* parent)
    : NetworkListDialog(setup, QStringLiteral("Add Talkgroups from Network"), parent), setup_(std::move(setup))
{
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
    makeLoadPanel("talkgroup list", ListFilter, std::move(hooks));
    connect(panel_, &ListLoadPanel::finished, this, &TalkgroupDialog::catalogueLoaded);
    layout->addWidget(new QLabel(QString::fromStdString("Talkgroup list: " + setup_.source.url), this));
    layout->addWidget(panel_);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("talkgroupCount"));
    layout->addWidget(count_);

    auto* choices = new QGridLayout();
    layout->addLayout(choices);
    auto* byNumber = new QRadioButton(QStringLiteral("Talkgroup numbers:"), this);
    byNumber->setObjectName(QStringLiteral("byNumber"));
    byNumber->setChecked(true);
    choices_.numbers = new QLineEdit(QStringLiteral("91"), this);
    choices_.numbers->setObjectName(QStringLiteral("numbers"));
    choices_.numbers->setPlaceholderText(QStringLiteral("91,262,3100-3199"));
    auto* byName = new QRadioButton(QStringLiteral("Names holding:"), this);
    byName->setObjectName(QStringLiteral("byName"));
    choices_.nameText = new QLineEdit(this);
    choices_.nameText->setObjectName(QStringLiteral("nameText"));
    auto* rename = new QRadioButton(QStringLiteral("Give the group-call contacts named only by their number (\"TG 2621\") "
                                                   "the network's names"),
                                    this);
    rename->setObjectName(QStringLiteral("renameUsed"));
    choices_.kind = new QButtonGroup(this);
    choices_.kind->addButton(byNumber, static_cast<int>(TalkgroupChoice::Kind::Ids));
    choices_.kind->addButton(byName, static_cast<int>(TalkgroupChoice::Kind::Match));
    choices_.kind->addButton(rename, static_cast<int>(TalkgroupChoice::Kind::Used));
    choices->addWidget(byNumber, 0, 0);
    choices->addWidget(choices_.numbers, 0, 1);
    choices->addWidget(byName, 1, 0);
    choices->addWidget(choices_.nameText, 1, 1);
    choices->addWidget(rename, 2, 0, 1, 2);
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
    connect(choices_.kind, &QButtonGroup::idToggled, this, &TalkgroupDialog::refreshPreview);
    connect(useList_, &QCheckBox::toggled, this, &TalkgroupDialog::refreshPreview);
    for (auto* box : {choices_.numbers, choices_.nameText, listName_})
        connect(box, &QLineEdit::textChanged, this, &TalkgroupDialog::refreshPreview);
    refreshPreview();
}

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
    if (!readyToPlan(catalogue_ != nullptr, QStringLiteral("No talkgroup list is loaded."), "talkgroups", why))
        return std::nullopt;
    const auto choice = choices_.choice(why);
    if (!choice)
        return std::nullopt;
    const auto listName = useList_->isChecked() ? toUtf8(listName_->text()) : std::string();
    return planTalkgroupContacts(*context_.codeplug, *catalogue_, *choice, listName);
}

std::optional<TalkgroupChoice> TalkgroupDialog::ChoiceBoxes::choice(QString& why) const
{
    TalkgroupChoice choice;
    choice.kind = static_cast<TalkgroupChoice::Kind>(kind->checkedId());
    switch (choice.kind) {
    case TalkgroupChoice::Kind::Ids: {
        const auto ranges = parseTalkgroupIds(toUtf8(numbers->text()));
        if (!ranges) {
            why = QStringLiteral("Type talkgroup numbers and ranges, like 91,262,3100-3199.");
            return std::nullopt;
        }
        choice.ids = *ranges;
        break;
    }
    case TalkgroupChoice::Kind::Match:
        choice.match = toUtf8(nameText->text());
        if (choice.match.empty()) {
            why = QStringLiteral("Type a text that the names hold.");
            return std::nullopt;
        }
        break;
    case TalkgroupChoice::Kind::Used:
        break;
    }
    return choice;
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
    if (addPlanned(plan(why), &addTalkgroupContacts))
        refreshPreview();
}

} // namespace pw::ui
