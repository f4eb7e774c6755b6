#include "editor/skeleton/model_skeleton_fit.h"

#include <cmath>

#include "editor/model/model_document.h"
#include "editor/model/read_back_geometry.h"
#include "editor/skeleton/bone_stepping.h"
#include "editor/skeleton/pose_math.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::skeleton {

using namespace ::editor::model;
using namespace ::scene;

namespace {

// Bones shorter than this would have no direction to keep.
constexpr double kShortestBone = 0.01;

// Triangles bound only to bones of switched-off mesh nodes belong to equipment.
bool TakesPart(const ModelDocument& document, int triangle) {
    bool bound = false;
    for (int b = 0; b < NUM_BONES; ++b) {
        if (document.bones[b].boundTriangles.Test(triangle)) {
            if (IsEligibleBone(document, b)) {
                return true;
            }
            bound = true;
        }
    }
    return !bound;
}

PoseVec PoseOf(const Point3& display) {
    return PoseFromDisplay(ToVector(display));
}

// The rotation of from onto to (both unit) applied to v.
PoseVec Turned(const PoseVec& from, const PoseVec& to, const PoseVec& v) {
    const PoseVec axis{from.y * to.z - from.z * to.y, from.z * to.x - from.x * to.z,
                       from.x * to.y - from.y * to.x};
    const double sine = Length(axis);
    const double cosine = from.x * to.x + from.y * to.y + from.z * to.z;
    if (sine < 1e-9) {
        return cosine > 0.0 ? v : v * -1.0;
    }
    const PoseVec k = axis * (1.0 / sine);
    const PoseVec kv{k.y * v.z - k.z * v.y, k.z * v.x - k.x * v.z, k.x * v.y - k.y * v.x};
    const double kDotV = k.x * v.x + k.y * v.y + k.z * v.z;
    return v * cosine + kv * sine + k * (kDotV * (1.0 - cosine));
}

// The roll vector a bone turned from its present direction to the new one keeps.
PoseVec TurnedRoll(const ModelDocument& document, int b, const PoseVec& newDirection) {
    const BonePart& bone = document.bones[b];
    Vector direction(1.0, 0.0, 0.0);
    Vector up(0.0, 1.0, 0.0);
    if (bone.Shape() != nullptr) {
        bone.Shape()->GetOrientation(document.scene, direction, up);
    }
    const PoseVec oldDirection = Normalized(PoseFromDisplay(direction));
    PoseVec roll = Turned(oldDirection, newDirection, PoseFromDisplay(up));
    // Square to the bone again after rounding.
    const double along =
        roll.x * newDirection.x + roll.y * newDirection.y + roll.z * newDirection.z;
    roll = roll - newDirection * along;
    return Length(roll) > 1e-9 ? Normalized(roll) : BuiltInRollVector(b);
}

}  // namespace

FitSkeletonOutcome OutcomeOf(SkeletonFitFailure failure) {
    switch (failure) {
        case SkeletonFitFailure::NoSurface:
            return FitSkeletonOutcome::NoSurface;
        case SkeletonFitFailure::LyingDown:
            return FitSkeletonOutcome::LyingDown;
        case SkeletonFitFailure::NoLegs:
            return FitSkeletonOutcome::NoLegs;
        case SkeletonFitFailure::None:
            break;
    }
    return FitSkeletonOutcome::Fitted;
}

bool ModelTrianglesForFit(ModelDocument& document, std::vector<Triangle3>& triangles) {
    MeshPart& model = document.model;
    if (model.Shape() == nullptr ||
        !ReadBackGeometry(*model.Shape(), model.mesh, document.scene, false)) {
        return false;
    }
    const MeshData& mesh = model.mesh;
    int a = 0;
    int b = 0;
    int c = 0;
    triangles.clear();
    for (int t = 0; mesh.GetTriangle(t, a, b, c); ++t) {
        if (TakesPart(document, t)) {
            triangles.push_back(
                {ToPoint(mesh.vertices[a]), ToPoint(mesh.vertices[b]), ToPoint(mesh.vertices[c])});
        }
    }
    return true;
}

JointPositions CurrentJointPositions(const ModelDocument& document) {
    JointPositions joints{};
    for (int j = 0; j < NUM_JOINTS; ++j) {
        joints[j] = ToPoint(JointScenePosition(document, &document.joints[j]));
    }
    return joints;
}

void PlaceSkeleton(Posing& posing, const JointPositions& joints) {
    ModelDocument& document = posing.Document();
    PoseRecord record = document.defaultPose;
    BoneLengths lengths;
    for (int b = 0; b < NUM_BONES; ++b) {
        const PoseVec start = PoseOf(joints[boneTable[b].startJoint]);
        PoseVec end = PoseOf(joints[boneTable[b].endJoint]);
        PoseVec along = end - start;
        if (Length(along) < kShortestBone) {
            along = PoseVec{0.0, 0.0, kShortestBone};
            end = start + along;
        }
        lengths[b] = Length(along);
        CaptureBone(record, b, start, end, TurnedRoll(document, b, Normalized(along)));
    }
    // The pose is laid out at exactly these lengths, whatever "Normalize Poses" says.
    const uint32_t normalize = document.normalizePoses;
    document.normalizePoses = 1;
    SetBoneLengths(document, lengths);
    posing.Apply(record);
    document.normalizePoses = normalize;
}

FitSkeletonOutcome FitSkeletonToModel(Posing& posing) {
    ModelDocument& document = posing.Document();
    if (document.model.Shape() == nullptr) {
        return FitSkeletonOutcome::NoModel;
    }
    std::vector<Triangle3> triangles;
    if (!ModelTrianglesForFit(document, triangles)) {
        return FitSkeletonOutcome::ReadBackFailed;
    }
    const SkeletonFit fit = FitSkeleton(triangles, CurrentJointPositions(document));
    if (fit.failure != SkeletonFitFailure::None) {
        return OutcomeOf(fit.failure);
    }
    PlaceSkeleton(posing, fit.joints);
    return FitSkeletonOutcome::Fitted;
}

}  // namespace editor::skeleton
