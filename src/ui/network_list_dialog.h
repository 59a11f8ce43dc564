// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the network dialogs share: the panel that loads the network's list (ListLoadPanel), the
// preview foot with the button that adds (PreviewArea), and the adding itself, which tells the
// user what it did and marks the codeplug changed. Each dialog adds its own choices between the
// two and plans from them (operations/talkgroup_contacts.h, operations/repeater_channels.h).

#include "ui/list_load_panel.h"
#include "ui/preview_area.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

namespace pw {
class Codeplug;
class Prompts;
} // namespace pw

namespace pw::ui {

class NetworkListDialog : public QDialog {
    Q_OBJECT
public:
    // What every network dialog is given beside its list's source.
    struct Context {
        Codeplug* codeplug = nullptr;
        Prompts* prompts = nullptr;
        // Problems of the settings file, shown with the load's outcomes.
        std::vector<std::string> settingsProblems;
    };

    ~NetworkListDialog() override;

    bool loading() const;
    QString previewText() const;
    ListLoadPanel* loadPanel() const { return panel_; }
    // Adding changed the codeplug.
    bool codeplugChanged() const { return changed_; }

protected:
    NetworkListDialog(const Context& context, const QString& title, QWidget* parent);

    // The panel that loads the list `what` ("talkgroup list") through `hooks`; `fileFilter` is the
    // file chooser's. The dialog places it and follows its `finished`.
    ListLoadPanel* makeLoadPanel(const char* what, const char* fileFilter, ListLoadPanel::Hooks hooks);
    // Whether there is a list to plan from and a codeplug to add `what` ("talkgroups") to; when
    // not, `why` says what is missing: `noList` when the list is.
    bool readyToPlan(bool listLoaded, const QString& noList, const char* what, QString& why) const;

    // Adds what `planned` says when it changes something and tells the user what was done; false
    // when there was nothing to add.
    template <typename Plan, typename Result>
    bool addPlanned(const std::optional<Plan>& planned, Result (*add)(Codeplug&, const Plan&))
    {
        if (!planned || !planned->changesSomething())
            return false;
        const auto result = add(*context_.codeplug, *planned);
        changed_ = true;
        tell(result.message);
        return true;
    }

    Context context_;
    ListLoadPanel* panel_ = nullptr;
    PreviewArea foot_;

private:
    void tell(const std::string& message);

    bool changed_ = false;
};

} // namespace pw::ui
