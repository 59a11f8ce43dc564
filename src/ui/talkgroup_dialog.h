// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Add Talkgroups from Network": loads the network's talkgroup list (or a list the user gives as a
// file), and adds the chosen talkgroups to the working codeplug as named group-call contacts, or
// gives the codeplug's talkgroup contacts that are named only by their number the network's
// names (operations/talkgroup_contacts.h). A preview says what adding would do as the choices
// change.

#include "networks/background_load.h"
#include "networks/list_source.h"
#include "operations/talkgroup_contacts.h"
#include "ui/preview_area.h"

#include <QDialog>

#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace pw {
class Codeplug;
class Prompts;
} // namespace pw

namespace pw::ui {

class ListLoadPanel;

class TalkgroupDialog final : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        Codeplug* codeplug = nullptr;
        Prompts* prompts = nullptr;
        // The network's list: its URL and cache.
        ListSource source;
        std::vector<std::string> settingsProblems;
        // The list loaded last, shared with the repeater dialog, which names talkgroups from it;
        // the dialog starts from it and keeps the list it loads there.
        std::shared_ptr<const TalkgroupCatalogue>* catalogue = nullptr;
    };

    explicit TalkgroupDialog(Setup setup, QWidget* parent = nullptr);
    ~TalkgroupDialog() override;

    void addTalkgroups();
    QString previewText() const;
    bool loading() const;
    bool contactsChanged() const { return changed_; }
    ListLoadPanel* loadPanel() const { return panel_; }

private:
    void buildControls();
    void catalogueLoaded(bool had);
    void refreshPreview();
    // The plan of the choices as they stand; nothing when they make none, `why` then says why.
    std::optional<TalkgroupContactPlan> plan(QString& why) const;

    Setup setup_;
    BackgroundLoad<TalkgroupLoad> load_;
    std::shared_ptr<const TalkgroupCatalogue> catalogue_;
    bool changed_ = false;

    ListLoadPanel* panel_ = nullptr;
    QLabel* count_ = nullptr;
    QRadioButton* byNumber_ = nullptr;
    QRadioButton* byName_ = nullptr;
    QRadioButton* rename_ = nullptr;
    QLineEdit* numbers_ = nullptr;
    QLineEdit* nameText_ = nullptr;
    QCheckBox* useList_ = nullptr;
    QLineEdit* listName_ = nullptr;
    PreviewArea foot_;
};

} // namespace pw::ui
