// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The part of the network dialogs that loads a list: where it comes from, a progress bar while it
// loads (bytes of the total when known, the page of the pages for the repeater list), each
// place's outcome when it is done, a warning box when the list could not be had, and the buttons
// that load it again from the network or from a file the user downloaded.
//
// The load itself runs in a BackgroundLoad of the dialog (networks/background_load.h); the panel
// follows it with a timer and tells the dialog when it has ended.

#include "networks/background_load.h"
#include "networks/list_source.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QPushButton;
class QTimer;

namespace pw {
class Prompts;
}

namespace pw::ui {

class LoadStatusBox;

class ListLoadPanel final : public QWidget {
    Q_OBJECT
public:
    struct Hooks {
        // Starts a load from the network (or the cache), or from the file at the path.
        std::function<void()> download;
        std::function<void(const std::string& path)> loadFile;
        std::function<bool()> done;
        std::function<ListLoadProgress()> progress;
        // Takes the load's result; gives its outcomes and whether a list was had.
        std::function<std::vector<ListOutcome>(bool& had)> finish;
    };

    // `what` names the list ("talkgroup list"); `fileFilter` is the file chooser's filter.
    ListLoadPanel(std::string what, std::string fileFilter, Prompts& prompts, Hooks hooks, QWidget* parent = nullptr);

    // Starts the download now; a dialog calls it as it opens.
    void download();
    bool loading() const;
    QString statusText() const;
    // Problems of the settings file, shown before the outcomes.
    void setSettingsProblems(std::vector<std::string> problems) { problems_ = std::move(problems); }

signals:
    // The load has ended; `had` tells whether a list was had.
    void finished(bool had);

private:
    void follow();
    void loadFile();
    void started(const QString& status);

    std::string what_;
    std::string fileFilter_;
    Prompts& prompts_;
    Hooks hooks_;
    std::vector<std::string> problems_;
    LoadStatusBox* status_ = nullptr;
    QPushButton* downloadButton_ = nullptr;
    QPushButton* fileButton_ = nullptr;
    QTimer* timer_ = nullptr;
};

// The hooks that run `load` in `background`: Download from the source `networkSource` gives as
// it is pressed, a file from its path. Only `finish`, which takes the list, is the dialog's own.
template <typename Load>
ListLoadPanel::Hooks backgroundLoadHooks(BackgroundLoad<Load>& background,
                                         Load (*load)(const ListSource&, const ListProgressReport&),
                                         std::function<ListSource()> networkSource)
{
    const auto start = [&background, load](ListSource source) {
        background.start([source = std::move(source), load](const std::atomic<bool>* stop,
                                                            const ListProgressReport& progress) {
            auto stoppable = source;
            stoppable.stop = stop;
            return load(stoppable, progress);
        });
    };
    ListLoadPanel::Hooks hooks;
    hooks.download = [start, networkSource = std::move(networkSource)] { start(networkSource()); };
    hooks.loadFile = [start](const std::string& path) {
        ListSource source;
        source.file = path;
        start(std::move(source));
    };
    hooks.done = [&background] { return background.done(); };
    hooks.progress = [&background] { return background.progress(); };
    return hooks;
}

} // namespace pw::ui
