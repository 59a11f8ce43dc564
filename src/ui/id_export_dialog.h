// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "DMR ID Database - CSV Export": writes the ID database's records, all or those matching the
// criteria lines, in the CSV layout of a chosen radio type (iddb/id_export.h), by DMR ID up to the
// type's capacity. A count of the matching records follows the criteria about half a second after
// the last change.

#include "ui/csv_text_boxes.h"

#include <QDialog>

#include <string>

class QButtonGroup;
class QLabel;
class QPlainTextEdit;
class QTimer;

namespace pw {
class IdDatabase;
class Prompts;
} // namespace pw

namespace pw::ui {

class IdExportDialog final : public QDialog {
    Q_OBJECT
public:
    // Ticks of the count's countdown: the first count, and the count after a change.
    static constexpr int FirstCountTicks = 8;
    static constexpr int ChangedCountTicks = 10;

    // The database must be done downloading; the criteria are the searcher's additional text.
    IdExportDialog(const IdDatabase& database, std::string criteriaText, Prompts& prompts, QWidget* parent = nullptr);

    // The criteria as they stand, CR LF between lines.
    const std::string& criteriaText() const { return criteriaText_; }
    // 1 to 5 for the checked radio type (RadioCsvType), 0 for none.
    int radioType() const;
    QString statusText() const;
    bool countPending() const { return countdown_ > 0; }

    void exportRecords();
    void clearCriteria();

private:
    void countDown();
    void criteriaChanged();

    const IdDatabase& database_;
    Prompts& prompts_;
    std::string criteriaText_;
    int countdown_ = FirstCountTicks;

    QButtonGroup* radioTypes_ = nullptr;
    QPlainTextEdit* criteria_ = nullptr;
    CsvTextBoxes csvTexts_;
    QLabel* status_ = nullptr;
    QTimer* timer_ = nullptr;
};

} // namespace pw::ui
