// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/id_fit_dialog.h"

#include "codeplug/codeplug.h"
#include "iddb/id_database.h"
#include "iddb/id_export.h"
#include "model/unicode_text.h"
#include "operations/id_export_command.h"
#include "platform/prompts.h"
#include "ui/qt_prompts.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace pw::ui {

// The first rows of a selection: DMR ID, callsign, name, city, state and country.
class IdSelectionPreviewModel final : public QAbstractTableModel {
public:
    IdSelectionPreviewModel(const IdUserIndex& users, QObject* parent) : QAbstractTableModel(parent), users_(users) {}

    void show(const std::vector<int>& users, int pinned)
    {
        beginResetModel();
        shown_.assign(users.begin(), users.begin() + std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(users.size()),
                                                                             IdFitDialog::PreviewRows));
        pinned_ = pinned;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(shown_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 6; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        if (role == Qt::ToolTipRole && index.row() < pinned_)
            return QStringLiteral("From the pinned list");
        if (role != Qt::DisplayRole)
            return {};
        const auto record = users_.recordOfUser(shown_[static_cast<std::size_t>(index.row())]);
        const std::string_view texts[] = {record.radioId(), record.callsign(), record.name(),
                                          record.city(),    record.state(),    record.country()};
        const auto text = texts[index.column()];
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char* const Titles[] = {"Radio ID", "Callsign", "Name", "City", "State", "Country"};
        if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 && section < 6)
            return QString::fromLatin1(Titles[section]);
        if (role == Qt::DisplayRole && orientation == Qt::Vertical)
            return section + 1;
        return {};
    }

private:
    const IdUserIndex& users_;
    std::vector<int> shown_;
    int pinned_ = 0;
};

namespace {

// Words of a box: prefixes separated by blanks or commas.
std::vector<std::string> wordsOf(const QLineEdit* box)
{
    std::vector<std::string> words;
    for (const auto& word : box->text().split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts))
        words.push_back(word.toStdString());
    return words;
}

// The checked entries' names (each item keeps its name as data).
std::vector<std::string> checkedNames(const QListWidget* list)
{
    std::vector<std::string> names;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->checkState() == Qt::Checked)
            names.push_back(list->item(row)->data(Qt::UserRole).toString().toStdString());
    return names;
}

QString nameWithCount(const std::string& name, int users)
{
    const QString shown = name.empty() ? QStringLiteral("(none)") : QString::fromStdString(name);
    return QStringLiteral("%1 (%L2)").arg(shown).arg(users);
}

} // namespace

IdFitDialog::IdFitDialog(const IdDatabase& database, Codeplug* codeplug, Prompts& prompts, std::string nameTemplate,
                         QWidget* parent)
    : QDialog(parent), codeplug_(codeplug), prompts_(prompts), users_(database.Records())
{
    setWindowTitle(QStringLiteral("Fit to Radio"));
    buildControls();
    template_->setText(QString::fromStdString(nameTemplate.empty() ? DefaultFitNameTemplate : nameTemplate));
    fillCountries();
    fillStates();
    targetChanged();
    recount();
}

IdFitDialog::~IdFitDialog() = default;

void IdFitDialog::buildControls()
{
    auto* layout = new QHBoxLayout(this);

    auto* filters = new QGroupBox(QStringLiteral("Users"), this);
    auto* filtersLayout = new QVBoxLayout(filters);
    filtersLayout->addWidget(new QLabel(QStringLiteral("Countries"), filters));
    countries_ = new QListWidget(filters);
    countries_->setObjectName(QStringLiteral("countries"));
    filtersLayout->addWidget(countries_, 2);
    filtersLayout->addWidget(new QLabel(QStringLiteral("States and regions (of the checked countries)"), filters));
    states_ = new QListWidget(filters);
    states_->setObjectName(QStringLiteral("states"));
    filtersLayout->addWidget(states_, 2);
    auto* form = new QFormLayout();
    callsignPrefixes_ = new QLineEdit(filters);
    callsignPrefixes_->setObjectName(QStringLiteral("callsignPrefixes"));
    callsignPrefixes_->setPlaceholderText(QStringLiteral("DL1 DO2"));
    idPrefixes_ = new QLineEdit(filters);
    idPrefixes_->setObjectName(QStringLiteral("idPrefixes"));
    idPrefixes_->setPlaceholderText(QStringLiteral("262 263"));
    idPrefixes_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ,;]*")), idPrefixes_));
    match_ = new QLineEdit(filters);
    match_->setObjectName(QStringLiteral("match"));
    match_->setPlaceholderText(QStringLiteral("as the searcher finds it"));
    form->addRow(QStringLiteral("Callsign prefixes"), callsignPrefixes_);
    form->addRow(QStringLiteral("DMR ID prefixes"), idPrefixes_);
    form->addRow(QStringLiteral("Text"), match_);
    filtersLayout->addLayout(form);
    layout->addWidget(filters, 2);

    auto* right = new QVBoxLayout();
    layout->addLayout(right, 3);

    auto* lists = new QGroupBox(QStringLiteral("Always and never"), this);
    auto* listsLayout = new QFormLayout(lists);
    auto* pinButton = new QPushButton(QStringLiteral("Pinned List..."), lists);
    pinButton->setObjectName(QStringLiteral("pinnedButton"));
    pinButton->setAutoDefault(false);
    pinnedLabel_ = new QLabel(QStringLiteral("none: friends, a club, a last-heard list come first"), lists);
    auto* excludeButton = new QPushButton(QStringLiteral("Excluded List..."), lists);
    excludeButton->setObjectName(QStringLiteral("excludedButton"));
    excludeButton->setAutoDefault(false);
    excludedLabel_ = new QLabel(QStringLiteral("none"), lists);
    listsLayout->addRow(pinButton, pinnedLabel_);
    listsLayout->addRow(excludeButton, excludedLabel_);
    right->addWidget(lists);

    auto* order = new QGroupBox(QStringLiteral("Order and room"), this);
    auto* orderLayout = new QFormLayout(order);
    near_ = new QLineEdit(order);
    near_->setObjectName(QStringLiteral("near"));
    near_->setValidator(new QIntValidator(1, 16777215, near_));
    near_->setPlaceholderText(QStringLiteral("by DMR ID when empty"));
    limit_ = new QSpinBox(order);
    limit_->setObjectName(QStringLiteral("limit"));
    limit_->setRange(0, 2'000'000);
    limit_->setSpecialValueText(QStringLiteral("the target's capacity"));
    target_ = new QComboBox(order);
    target_->setObjectName(QStringLiteral("target"));
    if (codeplug_ && codeplug_->loaded())
        target_->addItem(QStringLiteral("This codeplug's contacts"), 0);
    for (const auto& info : radioCsvTypes())
        target_->addItem(QStringLiteral("CSV file: %1").arg(fromUtf8(info.buttonText)), static_cast<int>(info.type));
    template_ = new QLineEdit(order);
    template_->setObjectName(QStringLiteral("nameTemplate"));
    replace_ = new QCheckBox(QStringLiteral("Replace the private calls that nothing uses"), order);
    replace_->setObjectName(QStringLiteral("replace"));
    csvTexts_.noNames = new QCheckBox(QStringLiteral("Callsigns only (no names, cities or states)"), order);
    csvTexts_.noNames->setObjectName(QStringLiteral("noNames"));
    csvTexts_.ascii = new QCheckBox(QStringLiteral("Plain ASCII only"), order);
    csvTexts_.ascii->setObjectName(QStringLiteral("plainAscii"));
    orderLayout->addRow(QStringLiteral("Nearest to DMR ID"), near_);
    orderLayout->addRow(QStringLiteral("At most"), limit_);
    orderLayout->addRow(QStringLiteral("Target"), target_);
    orderLayout->addRow(QStringLiteral("Name Template"), template_);
    orderLayout->addRow(replace_);
    orderLayout->addRow(csvTexts_.noNames);
    orderLayout->addRow(csvTexts_.ascii);
    right->addWidget(order);

    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("count"));
    QFont bold = count_->font();
    bold.setBold(true);
    count_->setFont(bold);
    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("notes"));
    notes_->setWordWrap(true);
    right->addWidget(count_);
    right->addWidget(notes_);

    previewModel_ = new IdSelectionPreviewModel(users_, this);
    preview_ = new QTableView(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setModel(previewModel_);
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setSelectionMode(QAbstractItemView::NoSelection);
    preview_->setWordWrap(false);
    preview_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    preview_->verticalHeader()->setDefaultSectionSize(20);
    preview_->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < 6; ++column)
        preview_->setColumnWidth(column, column == 2 ? 150 : 80);
    right->addWidget(preview_, 1);

    auto* buttons = new QHBoxLayout();
    auto* add = new QPushButton(QStringLiteral("Add to Codeplug"), this);
    add->setObjectName(QStringLiteral("addButton"));
    auto* exportButton = new QPushButton(QStringLiteral("Export..."), this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    for (auto* b : {add, exportButton, close}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->insertStretch(2);
    right->addLayout(buttons);
    resize(980, 640);

    recountTimer_ = new QTimer(this);
    recountTimer_->setSingleShot(true);
    recountTimer_->setInterval(0);
    connect(recountTimer_, &QTimer::timeout, this, &IdFitDialog::recount);
    connect(countries_, &QListWidget::itemChanged, this, [this] {
        fillStates();
        scheduleRecount();
    });
    connect(states_, &QListWidget::itemChanged, this, &IdFitDialog::scheduleRecount);
    for (auto* box : {callsignPrefixes_, idPrefixes_, match_, near_})
        connect(box, &QLineEdit::textChanged, this, &IdFitDialog::scheduleRecount);
    connect(limit_, &QSpinBox::valueChanged, this, &IdFitDialog::scheduleRecount);
    connect(replace_, &QCheckBox::toggled, this, &IdFitDialog::scheduleRecount);
    connect(target_, &QComboBox::currentIndexChanged, this, &IdFitDialog::targetChanged);
    connect(pinButton, &QPushButton::clicked, this, [this] { choosePinnedList(); });
    connect(excludeButton, &QPushButton::clicked, this, [this] { chooseExcludedList(); });
    connect(add, &QPushButton::clicked, this, &IdFitDialog::addToCodeplug);
    connect(exportButton, &QPushButton::clicked, this, &IdFitDialog::exportCsv);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    add->setEnabled(codeplug_ && codeplug_->loaded());
    connect(target_, &QComboBox::currentIndexChanged, this, [this, add, exportButton] {
        add->setEnabled(!exportType().has_value());
        exportButton->setEnabled(exportType().has_value());
    });
    exportButton->setEnabled(exportType().has_value());
}

void IdFitDialog::fillCountries()
{
    const QSignalBlocker block(countries_);
    std::vector<int> order(users_.countries().size());
    std::iota(order.begin(), order.end(), 0);
    const auto& names = users_.countries();
    std::sort(order.begin(), order.end(), [&](int a, int b) { return names[static_cast<std::size_t>(a)].name < names[static_cast<std::size_t>(b)].name; });
    for (const int code : order) {
        const auto& country = names[static_cast<std::size_t>(code)];
        auto* item = new QListWidgetItem(nameWithCount(country.name, country.users), countries_);
        item->setData(Qt::UserRole, QString::fromStdString(country.name));
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(Qt::Unchecked);
    }
}

// The states of the checked countries (all when none is checked), each with its users there; a
// state checked before stays checked while it is listed.
void IdFitDialog::fillStates()
{
    const auto wasChecked = checkedNames(states_);
    std::vector<std::uint8_t> countryWanted(users_.countries().size(), 0);
    bool anyCountry = false;
    for (const auto& name : checkedNames(countries_)) {
        const int code = users_.countryCode(name);
        if (code >= 0) {
            countryWanted[static_cast<std::size_t>(code)] = 1;
            anyCountry = true;
        }
    }
    std::vector<int> counts(users_.states().size(), 0);
    for (int user = 0; user < users_.userCount(); ++user)
        if (!anyCountry || countryWanted[static_cast<std::size_t>(users_.countryOf(user))])
            ++counts[static_cast<std::size_t>(users_.stateOf(user))];
    std::vector<int> listed;
    for (std::size_t code = 0; code < counts.size(); ++code)
        if (counts[code] > 0 && !users_.states()[code].name.empty())
            listed.push_back(static_cast<int>(code));
    const auto& names = users_.states();
    std::sort(listed.begin(), listed.end(), [&](int a, int b) { return names[static_cast<std::size_t>(a)].name < names[static_cast<std::size_t>(b)].name; });

    const QSignalBlocker block(states_);
    states_->clear();
    for (const int code : listed) {
        const auto& name = names[static_cast<std::size_t>(code)].name;
        auto* item = new QListWidgetItem(nameWithCount(name, counts[static_cast<std::size_t>(code)]), states_);
        item->setData(Qt::UserRole, QString::fromStdString(name));
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        const bool checked = std::find(wasChecked.begin(), wasChecked.end(), name) != wasChecked.end();
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void IdFitDialog::scheduleRecount() { recountTimer_->start(); }

std::optional<RadioCsvType> IdFitDialog::exportType() const
{
    const int type = target_->currentData().toInt();
    if (type == 0)
        return std::nullopt;
    return static_cast<RadioCsvType>(type);
}

void IdFitDialog::targetChanged()
{
    const bool toFile = exportType().has_value();
    template_->setEnabled(!toFile);
    replace_->setEnabled(!toFile);
    csvTexts_.noNames->setEnabled(toFile);
    csvTexts_.ascii->setEnabled(toFile);
    scheduleRecount();
}

IdSelectionCriteria IdFitDialog::criteria() const
{
    IdSelectionCriteria criteria;
    criteria.countries = checkedNames(countries_);
    criteria.states = checkedNames(states_);
    criteria.callsignPrefixes = wordsOf(callsignPrefixes_);
    criteria.idPrefixes = wordsOf(idPrefixes_);
    if (!match_->text().isEmpty())
        criteria.matchTexts = {match_->text().toStdString()};
    criteria.pinned = pinned_;
    criteria.excluded = excluded_;
    bool ok = false;
    const auto near = near_->text().toUInt(&ok);
    if (ok && near >= 1 && near <= 16777215)
        criteria.near = near;
    if (limit_->value() > 0)
        criteria.limit = static_cast<std::size_t>(limit_->value());
    return criteria;
}

FitRequest IdFitDialog::fitRequest() const
{
    FitRequest request;
    request.criteria = criteria();
    request.nameTemplate = template_->text().toStdString();
    request.replace = replace_->isChecked();
    return request;
}

void IdFitDialog::recount()
{
    recountTimer_->stop();
    std::string count;
    std::vector<std::string> notes;
    if (const auto type = exportType()) {
        auto selected = criteria();
        const auto* info = radioCsvTypeInfo(*type);
        const auto capacity = info ? info->capacity : std::nullopt;
        selected.limit = exportLimit(*type, selected.limit);
        const auto selection = selectUsers(users_, selected);
        count = selectionCountText(static_cast<int>(selection.users.size()), users_.userCount(), capacity);
        notes = selectionNotes(selection, selected, selected.limit);
        previewModel_->show(selection.users, selection.pinned);
    } else if (codeplug_ && codeplug_->loaded()) {
        const auto request = fitRequest();
        const auto plan = planFit(*codeplug_, users_, request);
        count = selectionCountText(plan.selected(), users_.userCount(), static_cast<std::size_t>(plan.room));
        notes = selectionNotes(plan.selection, request.criteria,
                               request.criteria.limit.value_or(static_cast<std::size_t>(plan.room)));
        if (plan.alreadyPresent > 0)
            notes.insert(notes.begin(), std::to_string(plan.alreadyPresent) + " of them already in the codeplug");
        if (plan.leftOut > 0)
            notes.insert(notes.begin(), std::to_string(plan.leftOut) + " of them left out for lack of room");
        previewModel_->show(plan.selection.users, plan.selection.pinned);
    }
    count_->setText(QString::fromStdString(count));
    std::string joined;
    for (const auto& note : notes)
        joined += (joined.empty() ? "" : "\n") + note;
    notes_->setText(QString::fromStdString(joined));
}

QString IdFitDialog::countText() const { return count_->text(); }

QString IdFitDialog::notesText() const { return notes_->text(); }

std::optional<PeopleList> IdFitDialog::readPeopleList(const std::string& chosen, QLabel* label, const char* title)
{
    std::string path = chosen;
    if (path.empty()) {
        const auto picked = prompts_.chooseFile({.mode = FileChooserRequest::Mode::Open,
                                                 .title = title,
                                                 .filter = "Text and CSV Files (*.txt;*.csv)|*.txt;*.csv|All Files (*.*)|*.*||",
                                                 .defaultExtension = "txt",
                                                 .mustExist = true});
        if (!picked)
            return std::nullopt;
        path = *picked;
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        prompts_.error("Unable to open file '" + path + "' for reading.");
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    auto list = parsePeopleList(utf8FromExternalText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    label->setText(QStringLiteral("%1: %L2 entries").arg(QString::fromStdString(path)).arg(list.entries.size()));
    label->setToolTip(QString::fromStdString(path));
    return list;
}

void IdFitDialog::choosePinnedList(const std::string& path)
{
    if (auto list = readPeopleList(path, pinnedLabel_, "Pinned Users")) {
        pinned_ = std::move(*list);
        recount();
    }
}

void IdFitDialog::chooseExcludedList(const std::string& path)
{
    if (auto list = readPeopleList(path, excludedLabel_, "Excluded Users")) {
        excluded_ = std::move(*list);
        recount();
    }
}

void IdFitDialog::addToCodeplug()
{
    if (exportType())
        return;
    if (fitToCodeplug(codeplug_, users_, fitRequest(), prompts_).added > 0)
        contactsAdded_ = true;
    recount();
}

void IdFitDialog::exportCsv()
{
    const auto type = exportType();
    if (!type)
        return;
    ExportRequest request;
    request.type = *type;
    request.criteria = criteria();
    request.options = csvTexts_.options();
    exportIdRecords(&users_, request, prompts_);
}

} // namespace pw::ui
