// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/edit_history.h"

#include "codeplug/codeplug.h"

namespace pw {
namespace {

constexpr std::size_t NoStep = static_cast<std::size_t>(-1);

} // namespace

void EditHistory::reset(Codeplug& codeplug)
{
    steps_.clear();
    bytes_ = 0;
    position_ = 0;
    savedPosition_ = 0;
    seenEdits_ = codeplug.editCount();
    auto file = codeplug.fileBytes();
    if (!file)
        return;
    bytes_ = file->size();
    steps_.push_back({std::string(), std::move(*file)});
}

bool EditHistory::record(Codeplug& codeplug, const std::string& label)
{
    if (steps_.empty() || codeplug.editCount() == seenEdits_)
        return false;
    seenEdits_ = codeplug.editCount();
    auto file = codeplug.fileBytes();
    if (!file)
        return false;
    while (steps_.size() > position_ + 1) {
        bytes_ -= steps_.back().file.size();
        steps_.pop_back();
    }
    if (savedPosition_ != NoStep && savedPosition_ > position_)
        savedPosition_ = NoStep;
    bytes_ += file->size();
    steps_.push_back({label, std::move(*file)});
    position_ = steps_.size() - 1;
    while (steps_.size() > 1 && (steps_.size() > maxSteps_ + 1 || bytes_ > maxBytes_))
        dropOldest();
    return true;
}

void EditHistory::dropOldest()
{
    bytes_ -= steps_.front().file.size();
    steps_.pop_front();
    --position_;
    savedPosition_ = savedPosition_ == 0 || savedPosition_ == NoStep ? NoStep : savedPosition_ - 1;
}

void EditHistory::markSaved() { savedPosition_ = position_; }

std::string EditHistory::undoLabel() const { return canUndo() ? steps_[position_].label : std::string(); }
std::string EditHistory::redoLabel() const { return canRedo() ? steps_[position_ + 1].label : std::string(); }

bool EditHistory::undo(Codeplug& codeplug) { return canUndo() && restore(codeplug, position_ - 1); }
bool EditHistory::redo(Codeplug& codeplug) { return canRedo() && restore(codeplug, position_ + 1); }

bool EditHistory::restore(Codeplug& codeplug, std::size_t position)
{
    Codeplug restored;
    if (!restored.openBytes(steps_[position].file) || !restored.decode())
        return false;
    // The snapshot was written from a decoded model: what its decode repairs or reports again is
    // no news to the user.
    restored.takeMessages();
    // The restored model still belongs to the file on disk, with what was seen of it when opened.
    restored.keepFileOf(codeplug);
    codeplug.swap(restored);
    if (position != savedPosition_)
        codeplug.markChanged();
    position_ = position;
    seenEdits_ = codeplug.editCount();
    return true;
}

} // namespace pw
