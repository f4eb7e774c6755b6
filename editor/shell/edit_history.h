#pragma once
// Undo and redo for the frame: every command that changes the document is one step named after
// it, and so is a drag in the view from press to release, a controller's move sequence and a
// pick. The step is found by comparing the document before and after, so a command that fails,
// is cancelled or only selects leaves none without any code of its own.

#include <functional>
#include <string>

#include "editor/history/history.h"

namespace editor::shell {

class CMainFrame;

// The step of a click that adds a face of the model to the temporary group or takes it out.
inline constexpr const char* kPickFaceStep = "Pick Face";

class EditHistory {
  public:
    explicit EditHistory(CMainFrame& frame, ::editor::history::HistoryLimits limits = {})
        : frame_(frame), steps_(limits) {}

    // A fresh history from the document as it is: the frame's creation, "New", and a file opened
    // as the model. Inside a step, it takes effect at the step's end.
    void Restart();
    // A file was opened as the model: into an empty model it starts a fresh history; merged
    // into a model it is a step like any other.
    void ModelOpened();

    // Runs `change` as one step called `name`; steps inside steps are part of the outer one.
    void Step(const std::string& name, const std::function<void()>& change);
    // The same around a change that spans several calls (a drag from press to release).
    void BeginStep();
    void EndStep(const std::string& name);
    // Ends a change that is no step (a click that selected a bone, whose bindings the bindings
    // view puts into the temporary group): the document as it is becomes the present.
    void EndUnrecorded();
    bool InStep() const { return openSteps_ > 0; }

    // The controller moved something in an idle step, or stopped moving: one move sequence is
    // one step, named after what it moved.
    void ControllerMoved();
    void ControllerStopped();

    // Make the document the state before the last step, or after the step last undone; false
    // when there is none (or a step is open).
    bool Undo();
    bool Redo();
    bool CanUndo() const { return openSteps_ == 0 && (steps_.CanUndo() || controllerMoving_); }
    bool CanRedo() const { return openSteps_ == 0 && steps_.CanRedo(); }
    // The menu texts: "&Undo NAME" and "&Redo NAME", or the plain ones with nothing to do.
    std::string UndoMenuText() const;
    std::string RedoMenuText() const;

    const ::editor::history::History& Steps() const { return steps_; }
    // What the selected shape is called in a move step ("Move Joint").
    std::string MoveName() const;

  private:
    ::editor::history::Snapshot TakeSnapshot() const;
    // One step back or forward: the history's move, the step's name and what the status line says
    // of it ("Undone").
    bool Travel(std::string (::editor::history::History::*nameOf)() const,
                const ::editor::history::Snapshot* (::editor::history::History::*move)(),
                const char* done);
    // The present state is the document as it is, whatever changed it outside a step.
    ::editor::history::Snapshot Catch();

    CMainFrame& frame_;
    ::editor::history::History steps_;
    int openSteps_ = 0;
    bool restartAtEnd_ = false;
    bool modelWasEmpty_ = false;
    bool controllerMoving_ = false;
    std::string controllerMove_;
};

// The step name of a command: its plain menu text ("Bind to Bone").
std::string CommandStepName(int id);

}  // namespace editor::shell
