// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Add Repeaters of an Area": loads the repeater list of a country and state from the network (or
// a list the user gives as a file), shows the on-air repeaters that match the filters, and adds
// them to the working codeplug as channels with a zone and, when asked, a scan list
// (operations/repeater_channels.h). A preview says what adding would do as the choices change.

#include "networks/background_load.h"
#include "networks/list_source.h"
#include "networks/repeater_filter.h"
#include "operations/repeater_channels.h"
#include "ui/network_list_dialog.h"

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace pw::ui {

class RepeaterDialog final : public NetworkListDialog {
    Q_OBJECT
public:
    struct Setup : Context {
        // The repeater list's URL without the area, and whether and how long it is cached.
        std::string baseUrl;
        bool useCache = true;
        std::chrono::seconds cacheMaxAge = std::chrono::hours(24);
        // The talkgroup list loaded last, when there is one: it names the talkgroup contacts.
        std::shared_ptr<const TalkgroupCatalogue> catalogue;
    };

    explicit RepeaterDialog(Setup setup, QWidget* parent = nullptr);
    ~RepeaterDialog() override;

    void addRepeaters();
    QTableWidget* repeaterTable() const { return table_; }

private:
    // The boxes that say which repeaters of the list are shown and added.
    struct FilterBoxes {
        QLineEdit* country = nullptr;
        QLineEdit* state = nullptr;
        QLineEdit* city = nullptr;
        QLineEdit* network = nullptr;
        QComboBox* band = nullptr;

        RepeaterFilter filter() const;
    };

    void buildControls();
    // The repeater list's source for the country and state typed.
    ListSource areaSource() const;
    void listLoaded(bool had);
    // Lists the repeaters that match the filters and shows the preview.
    void refreshMatches();
    std::optional<RepeaterChannelPlan> plan(QString& why) const;

    Setup setup_;
    BackgroundLoad<RepeaterLoad> load_;
    std::vector<Repeater> repeaters_;
    std::vector<Repeater> matching_;
    bool loaded_ = false;

    FilterBoxes filters_;
    QLabel* matches_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLineEdit* zone_ = nullptr;
    QCheckBox* scanList_ = nullptr;
};

} // namespace pw::ui
