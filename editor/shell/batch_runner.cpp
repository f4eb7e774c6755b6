#include "editor/shell/batch_runner.h"

#include <fstream>
#include <vector>

#include "editor/model/model_document.h"
#include "editor/shell/batch_script.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/script_names.h"
#include "editor/shell/script_objects.h"
#include "editor/skeleton/skeleton_drag.h"
#include "editor/skeleton/skeleton_scene.h"
#include "flexmodel/replace_file.h"
#include "scene/input/memory_settings_store.h"
#include "scene/shape.h"
#include "scene/view.h"
#include "scene/viewport.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::flexmodel;
using namespace ::scene::input;

namespace {

std::string Where(const std::string& scriptName, int line) {
    return scriptName + ":" + std::to_string(line) + ": ";
}

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
std::string PlaceJoint(CMainFrame& frame, const BatchStatement& statement) {
    if (std::string error = SelectByName(frame, statement.name); !error.empty()) {
        return error;
    }
    ModelDocument& document = frame.Document();
    JointPart& joint = document.joints[ScriptJointIndex(statement.name)];
    const Vector now = JointScenePosition(document, &joint);
    SceneMotion motion;
    motion.dx = statement.point[0] - now.x;
    motion.dy = statement.point[1] - now.y;
    motion.dz = statement.point[2] - now.z;
    ApplyDrag(document, *joint.Shape(), motion, frame.options.lockPosition);
    return {};
}

std::vector<std::string> ShowLines(CMainFrame& frame, const BatchStatement& statement) {
    switch (statement.subject) {
        case BatchStatement::Subject::Groups:
            return ShowGroups(frame);
        case BatchStatement::Subject::Temporary:
            return ShowTemporary(frame);
        case BatchStatement::Subject::Bone:
            return ShowBone(frame, ScriptBoneIndex(statement.name));
        case BatchStatement::Subject::Selection:
            return ShowSelection(frame);
        case BatchStatement::Subject::Joints:
            return ShowJoints(frame);
    }
    return {};
}

}  // namespace

int BatchRunner::RunFile(const std::string& path) {
    std::ifstream script(path, std::ios::binary);
    if (!script) {
        err_ << "Cannot open the script '" << path << "'.\n";
        return 1;
    }
    return Run(script, path);
}

int BatchRunner::Run(std::istream& script, const std::string& scriptName) {
    std::vector<BatchStatement> statements;
    std::string text;
    for (int lineNumber = 1; std::getline(script, text); ++lineNumber) {
        BatchLine line = ParseBatchLine(text, lineNumber);
        if (!line.error.empty()) {
            err_ << Where(scriptName, lineNumber) << line.error << "\n";
            return 1;
        }
        if (line.statement) {
            statements.push_back(std::move(*line.statement));
        }
    }

    // A misspelt or ambiguous command stops the script before anything runs.
    for (const BatchStatement& statement : statements) {
        if (statement.kind != BatchStatement::Kind::Run) {
            continue;
        }
        const ScriptCommand command = FindCommandForScript(statement.command);
        if (!command.id) {
            err_ << Where(scriptName, statement.line) << command.error << "\n";
            return 1;
        }
    }

    ScriptedUi ui;
    ui.SetLineSink([this](const std::string& line) { out_ << line << '\n' << std::flush; });
    MemorySettingsStore settings;
    CMainFrame frame(ui, settings, programDir_, logPath_);
    frame.SetWriteSettingsOnClose(false);
    frame.PreCreate();
    if (!frame.Create(kDefaultViewWidth, kDefaultViewHeight)) {
        err_ << "The editor could not start.\n";
        return 1;
    }
    for (const BatchStatement& statement : statements) {
        switch (statement.kind) {
            case BatchStatement::Kind::Answer:
                ui.Queue(statement.answer);
                break;
            case BatchStatement::Kind::View:
                frame.View().Resize(statement.first, statement.second);
                break;
            case BatchStatement::Kind::Click:
                frame.ClickView(statement.first, statement.second);
                break;
            case BatchStatement::Kind::Select:
            case BatchStatement::Kind::Pick:
            case BatchStatement::Kind::Place: {
                const std::string error = statement.kind == BatchStatement::Kind::Select
                                              ? SelectByName(frame, statement.name)
                                          : statement.kind == BatchStatement::Kind::Pick
                                              ? PickModelFace(frame, statement.first)
                                              : PlaceJoint(frame, statement);
                if (!error.empty()) {
                    err_ << Where(scriptName, statement.line) << error << "\n";
                    return 1;
                }
                break;
            }
            case BatchStatement::Kind::Snapshot: {
                const std::string error = TakeSnapshot(frame, snapshot_, statement.name);
                if (!error.empty()) {
                    err_ << Where(scriptName, statement.line) << error << "\n";
                    return 1;
                }
                out_ << "Snapshot: " << statement.name << '\n' << std::flush;
                break;
            }
            case BatchStatement::Kind::Show:
                for (const std::string& line : ShowLines(frame, statement)) {
                    out_ << line << '\n' << std::flush;
                }
                break;
            case BatchStatement::Kind::Run: {
                const int id = *FindCommandForScript(statement.command).id;
                if (!frame.RunCommand(id)) {
                    err_ << Where(scriptName, statement.line) << "command '" << statement.command
                         << "' (" << id << ") is disabled\n";
                    return 1;
                }
                break;
            }
        }
        frame.OnIdle();
    }
    frame.Close();
    return 0;
}

}  // namespace editor::shell
