// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo and redo for the working codeplug.
//
// Each step is a snapshot of the file a save would write at that moment, and going back or forth
// opens that snapshot as a save would be opened again: saves are byte-exact, so what comes back is
// the document as it stood, references and unread bytes included. The history starts at the state
// the file was opened in, keeps at most a number of steps and of bytes (the oldest go first), and
// knows which step was last saved, so that the changed flag follows the way through the history.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace pw {

class Codeplug;

class EditHistory {
public:
    static constexpr std::size_t DefaultMaxSteps = 50;
    static constexpr std::size_t DefaultMaxBytes = std::size_t{256} << 20;

    explicit EditHistory(std::size_t maxSteps = DefaultMaxSteps, std::size_t maxBytes = DefaultMaxBytes)
        : maxSteps_(maxSteps), maxBytes_(maxBytes)
    {
    }

    // Starts again from the codeplug as it is now, taken to be saved (after an open); an unloaded
    // codeplug leaves the history empty.
    void reset(Codeplug& codeplug);
    // When the codeplug changed since the last step, makes its state a step named `label`
    // ("Mass Change") and drops the steps that could have been redone. True when a step was made.
    bool record(Codeplug& codeplug, const std::string& label);
    // The codeplug was saved as it stands.
    void markSaved();

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < steps_.size(); }
    // The names of the step an undo or a redo would take back or make again.
    std::string undoLabel() const;
    std::string redoLabel() const;
    // Puts the codeplug back one step, or forward one: false when there is none, or when the
    // snapshot does not open again (the codeplug then stays as it was).
    bool undo(Codeplug& codeplug);
    bool redo(Codeplug& codeplug);

    std::size_t stepCount() const { return steps_.size(); }
    std::size_t byteCount() const { return bytes_; }

private:
    struct Step {
        std::string label;
        std::vector<std::uint8_t> file;
    };
    bool restore(Codeplug& codeplug, std::size_t position);
    void dropOldest();

    std::size_t maxSteps_;
    std::size_t maxBytes_;
    std::deque<Step> steps_;
    std::size_t position_ = 0;
    // The step that matches the file on disk; none (steps_.size()) once it left the history or a
    // step after a save was dropped for a new one.
    std::size_t savedPosition_ = 0;
    std::size_t bytes_ = 0;
    std::uint64_t seenEdits_ = 0;
};

} // namespace pw
