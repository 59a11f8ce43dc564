// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Fit to Radio": chooses which users of the loaded DMR ID list go into a radio (iddb/id_selection.h)
// and puts them there, into this codeplug's contact table (operations/id_fit.h) or into a radio CSV
// file (operations/id_export_command.h), the operations that `iddb fit` and `iddb export` run.
//
// Countries and states are picked from lists built from the loaded list, each with its number of
// users; the states listed are those of the checked countries. Every change of the page is
// counted again at once ("N users selected of M; capacity C") and the first rows are previewed.

#include "iddb/id_user_index.h"
#include "operations/id_fit.h"
#include "ui/csv_text_boxes.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTableView;
class QTimer;

namespace pw {
class Codeplug;
class IdDatabase;
class Prompts;
enum class RadioCsvType;
} // namespace pw

namespace pw::ui {

class IdSelectionPreviewModel;

class IdFitDialog final : public QDialog {
    Q_OBJECT
public:
    // Rows the preview shows.
    static constexpr int PreviewRows = 200;

    // The database must be done loading; `codeplug` may be null or not loaded (the page then
    // offers the export types alone).
    IdFitDialog(const IdDatabase& database, Codeplug* codeplug, Prompts& prompts, std::string nameTemplate,
                QWidget* parent = nullptr);
    ~IdFitDialog() override;

    // "N users selected of M; capacity C" as it stands.
    QString countText() const;
    QString notesText() const;
    QListWidget* countryList() const { return countries_; }
    QListWidget* stateList() const { return states_; }
    QComboBox* targetBox() const { return target_; }
    QTableView* preview() const { return preview_; }
    QLineEdit* callsignPrefixBox() const { return callsignPrefixes_; }
    QLineEdit* idPrefixBox() const { return idPrefixes_; }
    QLineEdit* matchBox() const { return match_; }
    QLineEdit* nearBox() const { return near_; }
    QSpinBox* limitBox() const { return limit_; }
    QCheckBox* replaceBox() const { return replace_; }
    // Contacts were added to the codeplug.
    bool contactsAdded() const { return contactsAdded_; }

    // Reads a pinned or excluded list from a file (the file chooser asks when `path` is empty).
    void choosePinnedList(const std::string& path = {});
    void chooseExcludedList(const std::string& path = {});
    // The selection as the page stands, counted again now.
    void recount();
    void addToCodeplug();
    void exportCsv();

private:
    void buildControls();
    void fillCountries();
    void fillStates();
    void scheduleRecount();
    void targetChanged();
    std::optional<RadioCsvType> exportType() const;
    IdSelectionCriteria criteria() const;
    FitRequest fitRequest() const;
    std::optional<PeopleList> readPeopleList(const std::string& chosen, QLabel* label, const char* title);

    Codeplug* codeplug_;
    Prompts& prompts_;
    IdUserIndex users_;
    PeopleList pinned_;
    PeopleList excluded_;
    bool contactsAdded_ = false;

    QListWidget* countries_ = nullptr;
    QListWidget* states_ = nullptr;
    QLineEdit* callsignPrefixes_ = nullptr;
    QLineEdit* idPrefixes_ = nullptr;
    QLineEdit* match_ = nullptr;
    QLabel* pinnedLabel_ = nullptr;
    QLabel* excludedLabel_ = nullptr;
    QLineEdit* near_ = nullptr;
    QSpinBox* limit_ = nullptr;
    QComboBox* target_ = nullptr;
    QLineEdit* template_ = nullptr;
    QCheckBox* replace_ = nullptr;
    CsvTextBoxes csvTexts_;
    QLabel* count_ = nullptr;
    QLabel* notes_ = nullptr;
    QTableView* preview_ = nullptr;
    IdSelectionPreviewModel* previewModel_ = nullptr;
    QTimer* recountTimer_ = nullptr;
};

} // namespace pw::ui
