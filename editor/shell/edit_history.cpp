#include "editor/shell/edit_history.h"

#include <algorithm>

#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_table.h"
#include "editor/shell/document_snapshot.h"
#include "editor/shell/main_frame.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::history;
using namespace ::editor::model;

namespace {

constexpr const char* kUndoText = "&Undo";
constexpr const char* kRedoText = "&Redo";

}  // namespace

std::string CommandStepName(int id) {
    const CommandInfo* command = FindCommand(id);
    if (command == nullptr) {
        return std::string();
    }
    // A recent file merged into the model is opened as "Open..." opens it.
    if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4) {
        return CommandStepName(ID_FILE_OPEN);
    }
    const std::string name = PlainCommandName(command->menuText);
    // "Save" of the Group menu is not the file's: a name two commands share takes its menu path.
    for (const CommandInfo& other : CommandTable()) {
        if (other.id != id && PlainCommandName(other.menuText) == name) {
            std::string path = CommandPath(*command);
            std::replace(path.begin(), path.end(), '/', ' ');
            return path;
        }
    }
    return name;
}

Snapshot EditHistory::TakeSnapshot() const {
    return TakeDocumentSnapshot(frame_.Document());
}

Snapshot EditHistory::Catch() {
    Snapshot now = TakeSnapshot();
    if (!steps_.IsStarted()) {
        steps_.Start(now);
    } else if (!SameState(now, steps_.Present())) {
        steps_.Rebase(now);
    }
    ShareUnchanged(steps_.Present(), now);
    return now;
}

void EditHistory::Restart() {
    if (openSteps_ > 0) {
        restartAtEnd_ = true;
        return;
    }
    controllerMoving_ = false;
    steps_.Start(TakeSnapshot());
}

void EditHistory::ModelOpened() {
    if (openSteps_ == 0 || modelWasEmpty_) {
        Restart();
    }
}

void EditHistory::BeginStep() {
    if (openSteps_ == 0) {
        // A move sequence of the controller ends where anything else begins.
        ControllerStopped();
        Catch();
        restartAtEnd_ = false;
        modelWasEmpty_ = frame_.Document().model.Shape() == nullptr;
    }
    ++openSteps_;
}

void EditHistory::EndStep(const std::string& name) {
    if (openSteps_ == 0 || --openSteps_ > 0) {
        return;
    }
    if (restartAtEnd_) {
        restartAtEnd_ = false;
        Restart();
        return;
    }
    steps_.Record(name, TakeSnapshot());
}

void EditHistory::EndUnrecorded() {
    if (openSteps_ == 0 || --openSteps_ > 0) {
        return;
    }
    if (restartAtEnd_) {
        restartAtEnd_ = false;
        Restart();
        return;
    }
    steps_.Rebase(TakeSnapshot());
}

void EditHistory::Step(const std::string& name, const std::function<void()>& change) {
    BeginStep();
    change();
    EndStep(name);
}

void EditHistory::ControllerMoved() {
    // A camera under control moves nothing of the document.
    if (openSteps_ > 0 || controllerMoving_ || frame_.controlTarget == 1) {
        return;
    }
    controllerMoving_ = true;
    controllerMove_ = MoveName();
}

void EditHistory::ControllerStopped() {
    if (!controllerMoving_ || openSteps_ > 0) {
        return;
    }
    controllerMoving_ = false;
    if (!steps_.IsStarted()) {
        steps_.Start(TakeSnapshot());
        return;
    }
    steps_.Record(controllerMove_, TakeSnapshot());
}

std::string EditHistory::MoveName() const {
    const C3dShape* shape = frame_.Selection().Shape();
    ModelDocument& document = frame_.Document();
    if (shape == nullptr) {
        return "Move";
    }
    if (document.JointByShape(shape) != nullptr) {
        return "Move Joint";
    }
    if (document.BoneByShape(shape) != nullptr) {
        return "Move Bone";
    }
    if (shape == document.model.Shape()) {
        return "Move Model";
    }
    if (shape == document.prop.Shape()) {
        return "Move Prop";
    }
    if (shape == document.dividingPlane.Shape()) {
        return "Move Dividing Plane";
    }
    return "Move";
}

bool EditHistory::Undo() {
    return Travel(&History::UndoName, &History::Undo, "Undone");
}

bool EditHistory::Redo() {
    return Travel(&History::RedoName, &History::Redo, "Redone");
}

bool EditHistory::Travel(std::string (History::*nameOf)() const, const Snapshot* (History::*move)(),
                         const char* done) {
    if (openSteps_ > 0) {
        return false;
    }
    ControllerStopped();
    const Snapshot now = Catch();
    const std::string name = (steps_.*nameOf)();
    const Snapshot* target = (steps_.*move)();
    if (target == nullptr) {
        return false;
    }
    RestoreDocumentSnapshot(frame_, *target, now);
    frame_.SetStatus("%s: %s", done, name.c_str());
    return true;
}

std::string EditHistory::UndoMenuText() const {
    if (!CanUndo()) {
        return kUndoText;
    }
    return std::string(kUndoText) + " " + (controllerMoving_ ? controllerMove_ : steps_.UndoName());
}

std::string EditHistory::RedoMenuText() const {
    return CanRedo() ? std::string(kRedoText) + " " + steps_.RedoName() : kRedoText;
}

}  // namespace editor::shell
