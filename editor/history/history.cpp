#include "editor/history/history.h"

#include <algorithm>
#include <unordered_set>

namespace editor::history {

namespace {

bool SameBytes(const Section& a, const Section& b) {
    if (a == b) {
        return true;
    }
    return a != nullptr && b != nullptr && *a == *b;
}

}  // namespace

bool SameState(const Snapshot& a, const Snapshot& b) {
    if (a.sections.size() != b.sections.size() || a.derived != b.derived) {
        return false;
    }
    const std::size_t compared = a.sections.size() - std::min(a.derived, a.sections.size());
    for (std::size_t i = 0; i < compared; ++i) {
        if (!SameBytes(a.sections[i], b.sections[i])) {
            return false;
        }
    }
    return true;
}

void ShareUnchanged(const Snapshot& previous, Snapshot& fresh) {
    if (previous.sections.size() != fresh.sections.size()) {
        return;
    }
    for (std::size_t i = 0; i < fresh.sections.size(); ++i) {
        if (SameBytes(previous.sections[i], fresh.sections[i])) {
            fresh.sections[i] = previous.sections[i];
        }
    }
}

void History::Start(Snapshot state) {
    states_.clear();
    names_.clear();
    states_.push_back(std::move(state));
    present_ = 0;
}

bool History::Record(const std::string& name, Snapshot after) {
    if (!IsStarted() || SameState(states_[present_], after)) {
        return false;
    }
    ShareUnchanged(states_[present_], after);
    states_.resize(present_ + 1);
    names_.resize(present_);
    states_.push_back(std::move(after));
    names_.push_back(name);
    ++present_;
    while (names_.size() > 1 && (names_.size() > limits_.maxSteps || Bytes() > limits_.maxBytes)) {
        DropOldest();
    }
    return true;
}

void History::Rebase(Snapshot state) {
    if (!IsStarted()) {
        Start(std::move(state));
        return;
    }
    ShareUnchanged(states_[present_], state);
    states_[present_] = std::move(state);
}

void History::DropOldest() {
    states_.pop_front();
    names_.pop_front();
    --present_;
}

std::string History::UndoName() const {
    return CanUndo() ? names_[present_ - 1] : std::string();
}

std::string History::RedoName() const {
    return CanRedo() ? names_[present_] : std::string();
}

const Snapshot* History::Undo() {
    if (!CanUndo()) {
        return nullptr;
    }
    --present_;
    return &states_[present_];
}

const Snapshot* History::Redo() {
    if (!CanRedo()) {
        return nullptr;
    }
    ++present_;
    return &states_[present_];
}

std::size_t History::Bytes() const {
    std::unordered_set<const std::vector<uint8_t>*> counted;
    std::size_t total = 0;
    for (const Snapshot& state : states_) {
        for (const Section& section : state.sections) {
            if (section != nullptr && counted.insert(section.get()).second) {
                total += section->size();
            }
        }
    }
    return total;
}

}  // namespace editor::history
