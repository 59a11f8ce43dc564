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
#include "ui/network_list_dialog.h"

#include <memory>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;

namespace pw::ui {

class TalkgroupDialog final : public NetworkListDialog {
    Q_OBJECT
public:
    struct Setup : Context {
        // The network's list: its URL and cache.
        ListSource source;
        // The list loaded last, shared with the repeater dialog, which names talkgroups from it;
        // the dialog starts from it and keeps the list it loads there.
        std::shared_ptr<const TalkgroupCatalogue>* catalogue = nullptr;
    };

    explicit TalkgroupDialog(Setup setup, QWidget* parent = nullptr);
    ~TalkgroupDialog() override;

    void addTalkgroups();

private:
    // The three ways of choosing talkgroups: by number, by a text of the name, or the contacts
    // the codeplug names only by their number.
    struct ChoiceBoxes {
        // One radio button per kind of choice, its id the kind.
        QButtonGroup* kind = nullptr;
        QLineEdit* numbers = nullptr;
        QLineEdit* nameText = nullptr;

        // The choice the boxes make; nothing when they make none, `why` then says why.
        std::optional<TalkgroupChoice> choice(QString& why) const;
    };

    void buildControls();
    void catalogueLoaded(bool had);
    void refreshPreview();
    // The plan of the choices as they stand; nothing when they make none, `why` then says why.
    std::optional<TalkgroupContactPlan> plan(QString& why) const;

    Setup setup_;
    BackgroundLoad<TalkgroupLoad> load_;
    std::shared_ptr<const TalkgroupCatalogue> catalogue_;

    QLabel* count_ = nullptr;
    ChoiceBoxes choices_;
    QCheckBox* useList_ = nullptr;
    QLineEdit* listName_ = nullptr;
};

} // namespace pw::ui
