// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Channel Editor": one channel edited on a copy. Every control writes its value into the copy at
// once; the caller takes the copy back only when the dialog is accepted with "Save Changes". The
// two tabs, "DMR Channel" and "FM Channel", hold the controls of each mode, and switching the tab
// switches the mode of the copy.

#include "model/channel.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace pw {
class Codeplug;
class Prompts;
}

namespace pw::ui {

class ChannelEditorDialog final : public QDialog {
    Q_OBJECT
public:
    // A dialog over `working`, a channel of `codeplug`'s format; the codeplug gives the choice lists
    // and the contact names, `prompts` shows the privacy warning.
    ChannelEditorDialog(const Codeplug& codeplug, const Channel& working, Prompts& prompts,
                        QWidget* parent = nullptr);

    // The copy as the controls left it.
    const Channel& channel() const { return channel_; }

    // "Save Changes": the check boxes and a non-empty name go into the copy, then the dialog closes
    // accepted.
    void accept() override;

    QTabWidget* modeTabs() const { return tabs_; }
    QLineEdit* nameBox() const { return name_; }
    QLineEdit* rxFrequencyBox() const { return rxFrequency_; }
    QLineEdit* txFrequencyBox() const { return txFrequency_; }
    QComboBox* transmitOffsetList() const { return transmitOffset_; }
    QComboBox* bandwidthList() const { return bandwidth_; }
    QComboBox* privacyList() const { return privacy_; }
    QComboBox* encryptionCodeList() const { return encryptionCode_; }
    QPushButton* saveButton() const { return save_; }
    // Any list of the dialog by its label, for the lists without an accessor of their own.
    QComboBox* listLabelled(const QString& label) const;

private:
    using ChoiceHandler = std::function<void(int entry, const std::string& text)>;

    QComboBox* addList(QGridLayout* grid, int row, int column, const char* label, const std::vector<std::string>& items,
                       ChoiceHandler handler);
    // A switch of the channel: the box, and the channel's getter and setter of what it says.
    struct Switch {
        QCheckBox* box;
        bool (Channel::*get)() const;
        void (Channel::*set)(bool);
    };

    void addCheckBox(QGridLayout* grid, int row, int column, const char* label, bool (Channel::*getter)() const,
                     void (Channel::*setter)(bool));
    QLineEdit* addTextBox(QGridLayout* grid, int row, int column, const char* label, const char* objectName);
    void buildCommonControls(QGridLayout* grid);
    void buildDmrControls(QGridLayout* grid);
    void buildFmControls(QGridLayout* grid);

    // Shows the copy in every control; a refill after a tab switch keeps what the name box holds.
    void fill(bool showName);
    // Moves the transmit frequency with the receive frequency as the offset list says.
    void applyOffsetRule();
    void modeTabChosen(int tab);
    void privacyChosen(int entry);
    // Takes the two frequency boxes into the channel, or refuses or questions them (the dialog
    // then stays open on the box to correct): false when the user has to correct one.
    bool confirmFrequencies();
    // What the user did to the frequencies: only those are checked on "Save Changes".
    bool rxTyped_ = false;
    bool txTyped_ = false;
    bool offsetChosen_ = false;
    void readCheckBoxes();
    // Selects in a list what the copy holds after a choice was written into it.
    void showStored(const std::function<void()>& reselect);

    const Codeplug& codeplug_;
    Channel channel_;
    Prompts& prompts_;
    std::string radioModel_;
    bool filling_ = false;

    QTabWidget* tabs_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* rxFrequency_ = nullptr;
    QLineEdit* txFrequency_ = nullptr;
    QComboBox* bandwidth_ = nullptr;
    QComboBox* squelch_ = nullptr;
    QComboBox* power_ = nullptr;
    QComboBox* transmitOffset_ = nullptr;
    QComboBox* timeOut_ = nullptr;
    QComboBox* scanList_ = nullptr;
    QComboBox* rekeyDelay_ = nullptr;
    QComboBox* admit_ = nullptr;
    QComboBox* rxRefFrequency_ = nullptr;
    QComboBox* emergencySystem_ = nullptr;
    QComboBox* txContact_ = nullptr;
    QComboBox* colorCode_ = nullptr;
    QComboBox* groupList_ = nullptr;
    QComboBox* privacy_ = nullptr;
    QComboBox* timeSlot_ = nullptr;
    QComboBox* encryptionCode_ = nullptr;
    QComboBox* decodeTone_ = nullptr;
    QComboBox* encodeTone_ = nullptr;
    QComboBox* qtReverse_ = nullptr;
    QComboBox* txSignaling_ = nullptr;
    QComboBox* rxSignaling_ = nullptr;
    // The eight switches, each shown from and written into the copy by its own getter and setter.
    std::vector<Switch> switches_;
    QPushButton* save_ = nullptr;
};

} // namespace pw::ui
