// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Reorder Zones" dialog: every zone in table order, with up and down buttons that move the
// selected zone one place. Each move is made in the codeplug at once; "Done" closes the dialog.

#include <QDialog>

#include <optional>

class QPushButton;
class QTableWidget;

namespace pw {
class Codeplug;
class Prompts;
}

namespace pw::ui {

class ReorderZonesDialog final : public QDialog {
    Q_OBJECT
public:
    ReorderZonesDialog(Codeplug& codeplug, Prompts& prompts, QWidget* parent = nullptr);

    QTableWidget* zoneList() const { return zoneList_; }
    QPushButton* upButton() const { return up_; }
    QPushButton* downButton() const { return down_; }
    QPushButton* doneButton() const { return done_; }

    void selectRow(int row);
    // Whether any move changed the codeplug while the dialog was open.
    bool movedAny() const { return movedAny_; }

private:
    void fillRows();
    std::optional<int> selectedRow() const;
    void moveSelected(int step);

    Codeplug& codeplug_;
    Prompts& prompts_;
    QTableWidget* zoneList_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* done_ = nullptr;
    bool movedAny_ = false;
};

} // namespace pw::ui
