#include "editor/shell/batch_session.h"

#include <variant>
#include <vector>

#include "bytes/replace_file.h"
#include "editor/model/model_document.h"
#include "editor/shell/edit_history.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/script_names.h"
#include "editor/shell/script_objects.h"
#include "editor/skeleton/skeleton_drag.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/shape.h"
#include "scene/view.h"
#include "scene/viewport.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::bytes;
using namespace ::scene::input;

namespace {

// Selects the named object as a click on it would; an error message when it cannot be.
std::string SelectByName(CMainFrame& frame, const std::string& name) {
    C3dShape* shape = ScriptObjectShape(frame, name);
    if (shape == nullptr) {
        return "'" + name + "' is not in the scene";
    }
    if (!ScriptObjectSelectable(frame, *shape)) {
        return "'" + name + "' is hidden and cannot be selected";
    }
    frame.Selection().PickFace(shape, -1, Vector(0.0, 0.0, 0.0));
    return {};
}

// Picks a face of the model as a click on it would; an error message when it cannot be.
std::string PickModelFace(CMainFrame& frame, int face) {
    C3dShape* model = ScriptObjectShape(frame, SCRIPT_MODEL_NAME);
    if (model == nullptr) {
        return "there is no model to pick a face of";
    }
    if (!ScriptObjectSelectable(frame, *model)) {
        return "the model is hidden and cannot be picked";
    }
    const std::optional<Vector> centre = FaceCentre(*model, face);
    if (!centre) {
        return "the model has no face " + std::to_string(face) + " (it has " +
               std::to_string(model->GetFaceCount()) + ")";
    }
    frame.Selection().PickFace(model, face, *centre);
    return {};
}

// Writes the view's picture; an error message when it cannot be.
std::string TakeSnapshot(CMainFrame& frame, const BatchRunner::Snapshot& snapshot,
                         const std::string& path) {
    if (!snapshot) {
        return "this Marionet has no renderer to take snapshots with";
    }
    const C3dViewport* viewport = frame.View().GetViewport();
    const C3dStage* stage = frame.View().GetStage();
    if (viewport == nullptr || stage == nullptr) {
        return "there is no view to take a snapshot of";
    }
    std::vector<uint8_t> png;
    const std::string error = snapshot(*stage, viewport->GetWidth(), viewport->GetHeight(), png);
    if (!error.empty()) {
        return "no snapshot: " + error;
    }
    if (!ReplaceFile(path, std::span<const uint8_t>(png))) {
        return "the snapshot cannot be written to '" + path + "'";
    }
    return {};
}

// Drags a joint toward a point as a device would, after selecting it as a click would: with
// rigid bones it lands on its bone's sphere in that direction. An error message when it cannot.
std::string PlaceJoint(CMainFrame& frame, const batch::Place& statement) {
    if (std::string error = SelectByName(frame, statement.joint); !error.empty()) {
        return error;
    }
    ModelDocument& document = frame.Document();
    JointPart& joint = document.joints[ScriptJointIndex(statement.joint)];
    const Vector now = JointScenePosition(document, &joint);
    SceneMotion motion;
    motion.dx = statement.point[0] - now.x;
    motion.dy = statement.point[1] - now.y;
    motion.dz = statement.point[2] - now.z;
    ApplyDrag(document, *joint.Shape(), motion, frame.options.lockPosition);
    return {};
}

std::vector<std::string> ShowLines(CMainFrame& frame, const batch::Show& statement) {
    using Subject = batch::Show::Subject;
    switch (statement.subject) {
        case Subject::Groups:
            return ShowGroups(frame);
        case Subject::Temporary:
            return ShowTemporary(frame);
        case Subject::Bone:
            return ShowBone(frame, ScriptBoneIndex(statement.bone));
        case Subject::Selection:
            return ShowSelection(frame);
        case Subject::Joints:
            return ShowJoints(frame);
    }
    return {};
}

// Carries out one statement on the frame; an error message when the script must stop.
class StatementRunner {
  public:
    StatementRunner(CMainFrame& frame, ScriptedUi& ui, const BatchRunner::Snapshot& snapshot,
                    std::ostream& out)
        : frame_(frame), ui_(ui), snapshot_(snapshot), out_(out) {}

    std::string operator()(const batch::Answer& statement) {
        if (statement.clear) {
            ui_.DropAnswers();
        } else {
            ui_.Queue(statement.answer);
        }
        return {};
    }
    std::string operator()(const batch::Run& statement) {
        if (!frame_.RunCommand(statement.id)) {
            return "command '" + statement.command + "' (" + std::to_string(statement.id) +
                   ") is disabled";
        }
        return {};
    }
    std::string operator()(const batch::View& statement) {
        frame_.View().Resize(statement.width, statement.height);
        return {};
    }
    std::string operator()(const batch::Click& statement) {
        frame_.ClickView(statement.x, statement.y);
        return {};
    }
    std::string operator()(const batch::Select& statement) {
        // Selecting is no step, even where the bindings view fills the temporary group.
        frame_.History().BeginStep();
        std::string error = SelectByName(frame_, statement.name);
        frame_.History().EndUnrecorded();
        return error;
    }
    std::string operator()(const batch::Pick& statement) {
        return AsStep(kPickFaceStep, [&] { return PickModelFace(frame_, statement.face); });
    }
    std::string operator()(const batch::Place& statement) {
        return AsStep("Move Joint", [&] { return PlaceJoint(frame_, statement); });
    }
    std::string operator()(const batch::Snapshot& statement) {
        std::string error = TakeSnapshot(frame_, snapshot_, statement.path);
        if (error.empty()) {
            out_ << "Snapshot: " << statement.path << '\n' << std::flush;
        }
        return error;
    }
    std::string operator()(const batch::Show& statement) {
        for (const std::string& line : ShowLines(frame_, statement)) {
            out_ << line << '\n' << std::flush;
        }
        return {};
    }

  private:
    // A statement that changes the document as a click or a drag would is one undo step.
    template <class Change>
    std::string AsStep(const std::string& name, Change change) {
        std::string error;
        frame_.History().Step(name, [&] { error = change(); });
        return error;
    }

    CMainFrame& frame_;
    ScriptedUi& ui_;
    const BatchRunner::Snapshot& snapshot_;
    std::ostream& out_;
};

}  // namespace

BatchSession::BatchSession(std::ostream& out, const std::string& programDir,
                           const std::string& logPath, BatchRunner::Snapshot snapshot)
    : out_(out),
      frame_(std::make_unique<CMainFrame>(ui_, settings_, programDir, logPath)),
      snapshot_(std::move(snapshot)) {
    ui_.SetLineSink([this](const std::string& line) { out_ << line << '\n' << std::flush; });
    frame_->SetWriteSettingsOnClose(false);
}

BatchSession::~BatchSession() {
    Close();
}

bool BatchSession::Start() {
    frame_->PreCreate();
    return frame_->Create(BatchRunner::kDefaultViewWidth, BatchRunner::kDefaultViewHeight);
}

std::string BatchSession::Run(const BatchStatement& statement) {
    StatementRunner runner(*frame_, ui_, snapshot_, out_);
    std::string error = std::visit(runner, statement.action);
    frame_->OnIdle();
    return error;
}

std::string BatchSession::RunLine(std::string_view text) {
    BatchLine line = ParseBatchLine(text, 1);
    if (!line.error.empty()) {
        return line.error;
    }
    if (!line.statement) {
        return {};
    }
    if (auto* run = std::get_if<batch::Run>(&line.statement->action)) {
        const ScriptCommand command = FindCommandForScript(run->command);
        if (!command.id) {
            return command.error;
        }
        run->id = *command.id;
    }
    return Run(*line.statement);
}

void BatchSession::Close() {
    frame_->Close();
}

}  // namespace editor::shell
