#include "editor/shell/rig_takeover.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <vector>

#include "editor/groups/model_bindings.h"
#include "editor/groups/weight_bindings.h"
#include "editor/mocap/rig_mapping.h"
#include "editor/model/mesh_data.h"
#include "editor/model/model_document.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/rig_steps.h"
#include "editor/shell/ui.h"
#include "editor/skeleton/model_skeleton_fit.h"

namespace editor::shell {

using namespace ::editor::groups;
using namespace ::editor::io;
using namespace ::editor::mocap;
using namespace ::editor::model;
using namespace ::editor::skeleton;

namespace {

// The body joints a character's skeleton is matched at (equipment joints never are).
constexpr int kBodyJointCount = 22;

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::vector<RigBone> RigBones(const SourceRig& rig) {
    std::vector<RigBone> bones;
    for (const SourceBone& bone : rig.bones) {
        bones.push_back({bone.name, bone.parent,
                         PoseVec{bone.position[0], bone.position[1], bone.position[2]}});
    }
    return bones;
}

// The automatic fit where it finds a body, the skeleton as it stands elsewhere; then every
// joint the file's skeleton matches stands at its bone.
JointPositions TakenOverJoints(ModelDocument& document, const SourceRig& rig,
                               const RigMapping& mapping) {
    JointPositions joints = CurrentJointPositions(document);
    std::vector<Triangle3> triangles;
    if (ModelTrianglesForFit(document, triangles)) {
        const SkeletonFit fit = FitSkeleton(triangles, joints);
        if (fit.failure == SkeletonFitFailure::None) {
            joints = fit.joints;
        }
    }
    for (int j = 0; j < NUM_JOINTS; ++j) {
        const int source = mapping.sourceAtJoint[static_cast<std::size_t>(j)];
        if (source >= 0) {
            const auto& p = rig.bones[static_cast<std::size_t>(source)].position;
            joints[static_cast<std::size_t>(j)] = Point3{p[0], p[1], p[2]};
        }
    }
    return joints;
}

// The file's vertex at the same place as each of the model's, by exact position first (the
// import copies them), else the nearest.
std::vector<int> MatchVertices(const MeshData& mesh, const ImportReport& report) {
    std::map<std::array<float, 3>, int> byPlace;
    for (std::size_t i = 0; i < report.rigPositions.size(); ++i) {
        byPlace.emplace(report.rigPositions[i], static_cast<int>(i));
    }
    std::vector<int> match(static_cast<std::size_t>(mesh.vertexCount), -1);
    for (int v = 0; v < mesh.vertexCount; ++v) {
        const Vector& p = mesh.vertices[v];
        if (auto found = byPlace.find({p.x, p.y, p.z}); found != byPlace.end()) {
            match[static_cast<std::size_t>(v)] = found->second;
            continue;
        }
        double best = std::numeric_limits<double>::max();
        for (std::size_t i = 0; i < report.rigPositions.size(); ++i) {
            const auto& q = report.rigPositions[i];
            const double d =
                std::pow(p.x - q[0], 2) + std::pow(p.y - q[1], 2) + std::pow(p.z - q[2], 2);
            if (d < best) {
                best = d;
                match[static_cast<std::size_t>(v)] = static_cast<int>(i);
            }
        }
    }
    return match;
}

VertexBoneWeights PlayerWeights(const MeshData& mesh, const ImportReport& report,
                                const RigMapping& mapping) {
    const std::vector<int> match = MatchVertices(mesh, report);
    VertexBoneWeights weights(match.size());
    for (std::size_t v = 0; v < match.size(); ++v) {
        if (match[v] < 0 || static_cast<std::size_t>(match[v]) >= report.rig.influences.size()) {
            continue;
        }
        for (const SkinInfluence& influence :
             report.rig.influences[static_cast<std::size_t>(match[v])]) {
            const int bone = mapping.playerBoneOf[static_cast<std::size_t>(influence.bone)];
            if (bone != NO_BONE) {
                weights[v].push_back({bone, influence.weight});
            }
        }
    }
    return weights;
}

}  // namespace

std::string RigTakeoverQuestion(const std::string& path, std::size_t bones) {
    return "'" + FileName(path) + "' has its own skeleton of " + std::to_string(bones) +
           " bones. Fit the player skeleton to it and bind the mesh from its weights?";
}

bool OfferRigTakeover(CMainFrame& frame, const std::string& path, const ImportReport& report) {
    if (!report.rig.HasSkin() || frame.Document().model.Shape() == nullptr ||
        !frame.GetUi().AskYesNo(RigTakeoverQuestion(path, report.rig.bones.size()))) {
        return false;
    }
    RigMapping mapping;
    if (Status mapped = MapRig(RigBones(report.rig), mapping); !mapped) {
        frame.GetUi().ShowMessage("The skeleton of '" + FileName(path) +
                                  "' was not taken over: " + mapped.Reason() + ".");
        return false;
    }
    ModelDocument& document = frame.Document();
    PlaceSkeleton(frame.Posing(), TakenOverJoints(document, report.rig, mapping));
    BoneBindings bindings;
    const int bound = BindByWeights(document.model.mesh,
                                    PlayerWeights(document.model.mesh, report, mapping), bindings);
    SetBindings(document, bindings);
    frame.RequestRedraw();
    const bool poseable = BindUnboundTrianglesStep(frame) && frame.MakePoseable();
    if (poseable) {
        frame.SetStatus(
            "Took over the skeleton of '%s' (%s names): %d of %d body joints placed at its "
            "joints, %d of %d triangles bound from its weights.",
            FileName(path).c_str(), mapping.convention.c_str(), mapping.MatchedJoints(),
            kBodyJointCount, bound, document.model.mesh.TriangleCount());
    }
    return poseable;
}

}  // namespace editor::shell
