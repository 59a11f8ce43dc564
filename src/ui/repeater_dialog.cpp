// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/repeater_dialog.h"

#include "codeplug/codeplug.h"
#include "networks/list_cache.h"
#include "networks/network_sources.h"
#include "networks/repeater_filter.h"
#include "ui/qt_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace pw::ui {
namespace {

constexpr const char* ListFilter = "Repeater Lists (*.json)|*.json|All Files (*.*)|*.*||";

QLineEdit* lineEdit(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

RepeaterDialog::RepeaterDialog(Setup setup, QWidget* parent)
    : NetworkListDialog(setup, QStringLiteral("Add Repeaters of an Area"), parent), setup_(std::move(setup))
{
    buildControls();
}

RepeaterDialog::~RepeaterDialog() = default;

void RepeaterDialog::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* area = new QGridLayout();
    layout->addLayout(area);
    filters_.country = lineEdit("country", this);
    filters_.state = lineEdit("state", this);
    filters_.city = lineEdit("city", this);
    filters_.network = lineEdit("network", this);
    filters_.band = new QComboBox(this);
    filters_.band->setObjectName(QStringLiteral("band"));
    filters_.band->addItems({QStringLiteral("Any"), QStringLiteral("2m"), QStringLiteral("70cm")});
    const struct {
        const char* label;
        QWidget* box;
        int row;
        int column;
    } labelled[] = {{"Country:", filters_.country, 0, 0},
                    {"State:", filters_.state, 0, 2},
                    {"City:", filters_.city, 1, 0},
                    {"Network:", filters_.network, 1, 2},
                    {"Band:", filters_.band, 1, 4}};
    for (const auto& [label, box, row, column] : labelled) {
        area->addWidget(new QLabel(QString::fromLatin1(label), this), row, column);
        area->addWidget(box, row, column + 1);
    }

    auto hooks = backgroundLoadHooks(load_, &loadRepeaters, [this] { return areaSource(); });
    hooks.finish = [this](bool& had) {
        auto loaded = load_.take();
        had = false;
        for (const auto& outcome : loaded.outcomes)
            had = had || !outcome.failed || outcome.reason.find("; the cached list of ") != std::string::npos;
        repeaters_ = std::move(loaded.repeaters);
        return loaded.outcomes;
    };
    makeLoadPanel("repeater list", ListFilter, std::move(hooks));
    connect(panel_, &ListLoadPanel::finished, this, &RepeaterDialog::listLoaded);
    layout->addWidget(panel_);

    table_ = new QTableWidget(0, 8, this);
    table_->setObjectName(QStringLiteral("repeaters"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Callsign"), QStringLiteral("City"), QStringLiteral("State"),
                                       QStringLiteral("RX MHz"), QStringLiteral("TX MHz"), QStringLiteral("CC"),
                                       QStringLiteral("Network"), QStringLiteral("Talkgroups")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->horizontalHeader()->setStretchLastSection(true);
    matches_ = new QLabel(this);
    matches_->setObjectName(QStringLiteral("matchCount"));
    layout->addWidget(matches_);
    layout->addWidget(table_, 2);

    auto* target = new QHBoxLayout();
    zone_ = lineEdit("zoneName", this);
    zone_->setMaxLength(16);
    scanList_ = new QCheckBox(QStringLiteral("Make a scan list of the same channels"), this);
    scanList_->setObjectName(QStringLiteral("scanList"));
    target->addWidget(new QLabel(QStringLiteral("Zone:"), this));
    target->addWidget(zone_);
    target->addWidget(scanList_);
    target->addStretch();
    layout->addLayout(target);
    const auto names = setup_.catalogue
                           ? QStringLiteral("Talkgroup contacts are named from the talkgroup list (%L1 talkgroups).")
                                 .arg(setup_.catalogue->size())
                           : QStringLiteral("Talkgroup contacts are named from the repeater list; load the talkgroup "
                                            "list under Add Talkgroups from Network... for the network's names.");
    auto* namesLabel = new QLabel(names, this);
    namesLabel->setWordWrap(true);
    layout->addWidget(namesLabel);

    foot_ = addPreviewArea(*this, *layout, QStringLiteral("Add Channels"));
    resize(780, 680);

    connect(foot_.add, &QPushButton::clicked, this, &RepeaterDialog::addRepeaters);
    for (auto* box : {filters_.country, filters_.state, filters_.city, filters_.network, zone_})
        connect(box, &QLineEdit::textChanged, this, &RepeaterDialog::refreshMatches);
    connect(filters_.band, &QComboBox::currentIndexChanged, this, &RepeaterDialog::refreshMatches);
    connect(scanList_, &QCheckBox::toggled, this, &RepeaterDialog::refreshMatches);
    refreshMatches();
}

ListSource RepeaterDialog::areaSource() const
{
    ListSource source;
    source.url = repeaterPageUrl(setup_.baseUrl, toUtf8(filters_.country->text().trimmed()),
                                 toUtf8(filters_.state->text().trimmed()));
    if (setup_.useCache) {
        source.cachePath = listCachePath("repeaters", source.url);
        source.cacheMaxAge = setup_.cacheMaxAge;
    }
    return source;
}

void RepeaterDialog::listLoaded(bool had)
{
    loaded_ = had;
    refreshMatches();
}

RepeaterFilter RepeaterDialog::FilterBoxes::filter() const
{
    RepeaterFilter filter;
    filter.country = toUtf8(country->text());
    filter.state = toUtf8(state->text());
    filter.city = toUtf8(city->text());
    filter.network = toUtf8(network->text());
    filter.band = amateurBandFromText(toUtf8(band->currentText()));
    return filter;
}

void RepeaterDialog::refreshMatches()
{
    const auto filter = filters_.filter();
    matching_.clear();
    for (const auto& repeater : repeaters_)
        if (filter.matches(repeater))
            matching_.push_back(repeater);
    table_->setRowCount(static_cast<int>(matching_.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const auto& repeater = matching_[static_cast<std::size_t>(row)];
        const auto input = repeater.inputMhz();
        const QString cells[] = {
            fromUtf8(repeater.callsign),
            fromUtf8(repeater.city),
            fromUtf8(repeater.state),
            repeater.outputMhz ? fromUtf8(megahertzColumn(*repeater.outputMhz)) : QString(),
            input ? fromUtf8(megahertzColumn(*input)) : QString(),
            repeater.colorCode ? QString::number(*repeater.colorCode) : QString(),
            fromUtf8(repeater.network),
            repeater.talkgroups.empty() ? QString() : QString::number(repeater.talkgroups.size())};
        for (int column = 0; column < 8; ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table_->resizeColumnsToContents();
    matches_->setText(loaded_ ? QStringLiteral("%L1 of the %L2 repeaters of the list are on the air and match.")
                                    .arg(matching_.size())
                                    .arg(repeaters_.size())
                              : QString());
    if (zone_->text().isEmpty() && !zone_->isModified())
        zone_->setPlaceholderText(fromUtf8(defaultRepeaterZoneName(filter.state, filter.city, filter.country)));

    QString why;
    const auto planned = plan(why);
    showPlan(foot_, planned, why, &repeaterPlanPreview);
}

std::optional<RepeaterChannelPlan> RepeaterDialog::plan(QString& why) const
{
    if (!readyToPlan(loaded_, QStringLiteral("Type a country and a state, then Download the area's repeaters."),
                     "repeaters", why))
        return std::nullopt;
    if (matching_.empty()) {
        why = QStringLiteral("No repeater on the air matches.");
        return std::nullopt;
    }
    RepeaterChannelRequest request;
    request.zoneName = toUtf8(zone_->text().trimmed());
    if (request.zoneName.empty())
        request.zoneName = toUtf8(zone_->placeholderText());
    request.scanList = scanList_->isChecked();
    request.catalogue = setup_.catalogue.get();
    return planRepeaterChannels(*context_.codeplug, matching_, request);
}

void RepeaterDialog::addRepeaters()
{
    QString why;
    if (addPlanned(plan(why), &addRepeaterChannels))
        refreshMatches();
}

} // namespace pw::ui
