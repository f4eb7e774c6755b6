#pragma once
// The undo history: the states the document went through, each a list of sections of bytes,
// and the named steps between them. A state shares with its neighbour every section that did
// not change, so a step costs only what it changed.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace editor::history {

// One part of a state, immutable once made; states share it while it does not change.
using Section = std::shared_ptr<const std::vector<uint8_t>>;

// Everything undoable at one moment, always with the same number of sections in the same order.
// The last `derived` sections hold what follows from the others (caches, scratch records):
// they are restored with a state but make no step by themselves.
struct Snapshot {
    std::vector<Section> sections;
    std::size_t derived = 0;
};

// Whether two states hold the same bytes in every section that is not derived.
bool SameState(const Snapshot& a, const Snapshot& b);
// Makes `fresh` use the sections of `previous` that hold the same bytes, so that they are
// stored once.
void ShareUnchanged(const Snapshot& previous, Snapshot& fresh);

struct HistoryLimits {
    std::size_t maxSteps = 100;
    // The bytes all kept states may hold together, shared sections counted once.
    std::size_t maxBytes = std::size_t{64} << 20;
};

// States S0..Sn with the step names between them and the position of the present state. A new
// step after undoing drops the steps that could have been redone; past the limits the oldest
// steps are dropped first (the newest step always stays).
class History {
  public:
    explicit History(HistoryLimits limits = {}) : limits_(limits) {}

    // A fresh history whose present is `state`.
    void Start(Snapshot state);
    bool IsStarted() const { return !states_.empty(); }
    // The present state; only when started.
    const Snapshot& Present() const { return states_[present_]; }

    // The document is now `after`: a step called `name` when it differs from the present
    // (false, nothing kept, when it does not or the history was not started).
    bool Record(const std::string& name, Snapshot after);
    // The document drifted to `state` without a step: the present becomes it, so the next step
    // and undo start from what the document really is.
    void Rebase(Snapshot state);

    bool CanUndo() const { return present_ > 0; }
    bool CanRedo() const { return present_ + 1 < states_.size(); }
    // The name of the step undo or redo would take back or do again; empty when none.
    std::string UndoName() const;
    std::string RedoName() const;
    // Moves to the state before or after; null (nothing moves) when there is none. The
    // caller makes the document that state.
    const Snapshot* Undo();
    const Snapshot* Redo();

    std::size_t StepCount() const { return names_.size(); }
    // The bytes held by every kept state, shared sections counted once.
    std::size_t Bytes() const;

  private:
    void DropOldest();

    HistoryLimits limits_;
    std::deque<Snapshot> states_;
    // names_[i] leads from states_[i] to states_[i + 1].
    std::deque<std::string> names_;
    std::size_t present_ = 0;
};

}  // namespace editor::history
