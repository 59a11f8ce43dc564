// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "DMR Online Database Searcher": shows the download of the ID database, searches it as the user
// types, lists the matches and adds the chosen ones to the working codeplug as contacts. The
// searches, the name template and the adding live in iddb/id_searcher.h; this class owns the
// controls and the two timers: one follows the download, the other runs a search shortly after
// the last keystroke.

#include "operations/id_contact_add.h"

#include <QDialog>

#include <cstddef>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace pw {
class Codeplug;
class IdDatabase;
class Prompts;
} // namespace pw

namespace pw::ui {

class IdMatchTableModel;
class LoadStatusBox;

class IdSearcherDialog final : public QDialog {
    Q_OBJECT
public:
    // Runs a dialog opened from this one (the exporter) modally.
    using DialogRunner = std::function<int(QDialog&)>;

    struct Setup {
        IdDatabase* database = nullptr;
        // The working codeplug; null when there is none.
        Codeplug* codeplug = nullptr;
        Prompts* prompts = nullptr;
        DialogRunner runDialog;
        // UTF-8, from the settings block.
        std::string nameTemplate;
        std::string additionalSearchText;
        // Whether the outcomes of the database's latest load were shown in a message box; they are
        // shown once, when the load (or its refresh) is seen to have ended.
        bool* reportShown = nullptr;
    };

    // Ticks of the search countdown: a search runs about 400 ms after the last change.
    static constexpr int SearchDelayTicks = 8;

    explicit IdSearcherDialog(Setup setup, QWidget* parent = nullptr);
    ~IdSearcherDialog() override;

    // What goes back into the settings block when the dialog has closed (UTF-8).
    std::string nameTemplate() const;
    const std::string& additionalSearchText() const { return additionalSearchText_; }
    // An add command merged contacts into the codeplug.
    bool contactsAdded() const { return contactsAdded_; }

    QLineEdit* generalSearchBox() const { return generalSearch_; }
    QPlainTextEdit* additionalSearchBox() const { return additionalSearch_; }
    QTableView* resultView() const { return results_; }
    QString statusText() const;
    QProgressBar* progressBar() const;
    bool searchCountdownPending() const { return searchCountdown_ > 0; }

    // The commands of the buttons.
    void search();
    void searchEntireDatabase();
    void clearAdditionalSearch();
    void retryConnection();
    // "Load User List from File...": reads a user list the user downloaded, in either layout.
    void loadUserListFromFile();
    void addSelectedRecords();
    void addAllRecords();
    void exportAsCsv();
    // "Fit to Radio...": the selection of users for this codeplug or a radio CSV file.
    void fitToRadio();

private:
    void buildControls();
    // A request with the choices of the boxes that say how records are added, and no rows yet.
    AddRecordsRequest addRequest() const;
    void followDownload();
    void countDownToSearch();
    void downloadEnded();
    void downloadUnavailable();
    void showLoadReport();
    void showProgress();
    void adoptRefresh();
    QString loadStatus() const;
    void showOutcome(const std::string& message);
    void setStatus(std::string_view text);

    Setup setup_;
    IdDatabase& database_;
    Prompts& prompts_;
    std::string additionalSearchText_;
    bool contactsAdded_ = false;
    bool downloadSeenDone_ = false;
    // The exporter or the fit page is open and reads the records: a refresh waits until it closes.
    bool recordsInUse_ = false;
    int searchCountdown_ = 0;

    QTimer* progressTimer_ = nullptr;
    QTimer* searchTimer_ = nullptr;
    IdMatchTableModel* model_ = nullptr;
    QLineEdit* generalSearch_ = nullptr;
    QPlainTextEdit* additionalSearch_ = nullptr;
    LoadStatusBox* status_ = nullptr;
    QPushButton* retry_ = nullptr;
    QTableView* results_ = nullptr;
    QLineEdit* template_ = nullptr;
    QComboBox* recordType_ = nullptr;
    QCheckBox* refreshContacts_ = nullptr;
};

} // namespace pw::ui
