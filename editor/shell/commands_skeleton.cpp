// The skeleton's commands: pose and bone-length files, mesh nodes, the skeleton toggles,
// "Hips To Origin" and "Restore Defaults"; and its part in the frame's life: the default pose
// at start-up, the skeleton in the scene and the dragging controller.
#include <functional>
#include <memory>
#include <string>

#include "bytes/whole_file.h"
#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/frame_prompts.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/outcome_message.h"
#include "editor/shell/skeleton_controller.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_drag.h"
#include "editor/skeleton/skeleton_files.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

constexpr const char* DEFAULT_POSE_FILE = "default.spz";
constexpr const char* DEFAULT_POSE_NAME = "default";

// What the skeleton commands keep between calls: the four remembered file paths.
struct SkeletonArea {
    explicit SkeletonArea(CMainFrame& frame) : frame(frame), prompts(frame), files(prompts) {}

    ModelDocument& Document() { return frame.Document(); }

    void LoadPose() {
        std::string name;
        PoseRecord record;
        Result<std::string> path = files.LoadPose(std::nullopt, std::nullopt, name, record);
        if (!Succeeded(frame.GetUi(), path)) {
            return;
        }
        frame.Posing().Apply(record);
        frame.SetStatus("Posed skeleton as '%s' from %s.", name.c_str(), path->c_str());
    }

    void SavePose() {
        PoseRecord record;
        frame.Posing().Capture(record);
        std::string name;
        Result<std::string> path = files.SavePose(std::nullopt, std::nullopt, name, record);
        if (Succeeded(frame.GetUi(), path)) {
            frame.SetStatus("Saved skeleton as '%s' in %s.", name.c_str(), path->c_str());
        }
    }

    void LoadBones() {
        BoneLengths lengths;
        Result<std::string> path = files.LoadBones(std::nullopt, lengths);
        if (!Succeeded(frame.GetUi(), path)) {
            return;
        }
        // Keep the pose while the proportions change.
        ModelDocument& document = Document();
        frame.Posing().Capture(document.scratchPose);
        SetBoneLengths(document, lengths);
        frame.Posing().Apply(document.scratchPose);
        frame.SetStatus("Bones loaded from '%s'.", path->c_str());
    }

    void SaveBones() {
        BoneLengths lengths;
        GetBoneLengths(Document(), lengths);
        Result<std::string> path = files.SaveBones(std::nullopt, lengths);
        if (Succeeded(frame.GetUi(), path)) {
            frame.SetStatus("Bones saved to '%s'.", path->c_str());
        }
    }

    void ChooseMeshNodes() {
        ModelDocument& document = Document();
        MeshNodeFlags nodes{};
        for (int n = 0; n < NUM_MESH_NODES; ++n) {
            nodes[n] = static_cast<int32_t>(document.activeNodes[n]);
        }
        const std::optional<MeshNodeFlags> chosen =
            frame.GetUi().AskMeshNodes(MeshNodesRequestFor(nodes));
        if (!chosen) {
            return;
        }
        uint32_t flags[NUM_MESH_NODES];
        for (int n = 0; n < NUM_MESH_NODES; ++n) {
            flags[n] = (*chosen)[n] != 0 ? 1u : 0u;
        }
        SetActiveNodes(document, flags);
        for (JointPart& joint : document.joints) {
            RedrawPart(joint);
        }
        for (BonePart& bone : document.bones) {
            RedrawPart(bone);
        }
    }

    static void RedrawPart(MeshPart& part) {
        part.Show(part.visible);
        part.ShowSolid(part.solid);
        part.SetDisplayMode(part.displayMode);
    }

    // "default.spz" beside the program (or installed) gives the default pose; a file of one
    // pose gives that pose whatever its name.
    void ReadDefaultPose() {
        std::string path = frame.ProgramFile(DEFAULT_POSE_FILE);
        if (!FileExists(path)) {
            return;
        }
        std::string name;
        PoseRecord record;
        if (Succeeded(frame.GetUi(),
                      files.LoadPose(path, std::string(DEFAULT_POSE_NAME), name, record))) {
            Document().defaultPose = record;
            Document().hasDefaultPose = 1;
        }
    }

    void PutSkeletonInScene() {
        C3dScene* scene = frame.Scene();
        if (scene == nullptr) {
            return;
        }
        ModelDocument& document = Document();
        BuildSkeleton(frame.Posing());
        LinkSkeleton(document, *scene);
        frame.Posing().Apply(document.defaultPose);
    }

    void TakeSkeletonOutOfScene() {
        ModelDocument& document = Document();
        const C3dShape* selected = frame.Selection().Shape();
        if (selected != nullptr &&
            (document.JointByShape(selected) != nullptr || document.BoneByShape(selected))) {
            frame.Selection().Select(nullptr);
        }
        UnlinkSkeleton(document);
    }

    CMainFrame& frame;
    FramePrompts prompts;
    SkeletonFiles files;
};

void BindRun(CommandRouter& router, int id, std::function<void()> run) {
    CommandHandler handler;
    handler.run = std::move(run);
    router.Bind(id, std::move(handler));
}

void BindDisabled(CommandRouter& router, int id) {
    CommandHandler handler;
    handler.run = [] {};
    handler.isEnabled = [] { return false; };
    router.Bind(id, std::move(handler));
}

}  // namespace

void RegisterSkeletonCommands(CMainFrame& frame, CommandRouter& router) {
    auto area = std::make_shared<SkeletonArea>(frame);
    BindAreaCommand(router, ID_FILE_LOAD_POSE, area, &SkeletonArea::LoadPose);
    BindAreaCommand(router, ID_FILE_SAVE_POSE, area, &SkeletonArea::SavePose);
    BindAreaCommand(router, ID_FILE_LOAD_BONES, area, &SkeletonArea::LoadBones);
    BindAreaCommand(router, ID_FILE_SAVE_BONES, area, &SkeletonArea::SaveBones);
    BindAreaCommand(router, ID_SKELETON_MESH_NODES, area, &SkeletonArea::ChooseMeshNodes);

    ModelDocument& document = frame.Document();
    BindFlagToggle(router, ID_SKELETON_RIGID_BONES, document.rigidBones);
    BindFlagToggle(router, ID_SKELETON_NORMALIZE_POSES, document.normalizePoses);
    BindFlagToggle(router, ID_SKELETON_SCALE_TO_GROUND, document.scaleToGround);
    BindRun(router, ID_SKELETON_HIPS_TO_ORIGIN, [&frame] {
        frame.Selection().Select(nullptr);
        HipsToOrigin(frame.Document());
    });
    BindRun(router, ID_SKELETON_RESTORE_DEFAULTS, [&frame] { frame.Posing().RestoreDefaults(); });
    // The skeleton has no wing joints: the wing entries stay disabled.
    for (int wings : {ID_SKELETON_ANGEL_WINGS, ID_SKELETON_DEMON_WINGS, ID_SKELETON_INSECT_WINGS}) {
        BindDisabled(router, wings);
    }

    FrameHooks& hooks = frame.Hooks();
    hooks.afterSettingsRead.push_back([area] { area->ReadDefaultPose(); });
    hooks.populateScene.push_back([area] { area->PutSkeletonInScene(); });
    hooks.depopulateScene.push_back([area] { area->TakeSkeletonOutOfScene(); });
    hooks.makeController = [&frame]() -> std::unique_ptr<C3dController> {
        return std::make_unique<CSkeletonController>(frame, frame.GetJoystickBackend(),
                                                     &frame.Settings());
    };
}

}  // namespace editor::shell
