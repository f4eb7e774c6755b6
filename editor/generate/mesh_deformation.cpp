#include "editor/generate/mesh_deformation.h"

#include <vector>

#include "editor/generate/local_coordinates.h"
#include "editor/generate/quaternion.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/skeleton/bone_stepping.h"
#include "editor/skeleton/pose_math.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::generate {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

// The skeleton's true start positions, not the normalised ones.
PoseRecord CaptureTruePose(const ModelDocument& document) {
    PoseRecord record;
    ReadPose(document, record);
    return record;
}

// The model's geometry under the generated model's own group table, which is left holding one
// empty group called "default".
void CopyModelGeometry(ModelDocument& document) {
    MeshData& generated = document.generatedModel.mesh;
    generated.CopyGeometryFrom(document.model.mesh);
    if (generated.groupTable != nullptr) {
        generated.groupTable->ClearGroups();
        generated.groupTable->SaveGroup("default", nullptr);
    }
}

// Poses the bone's stored vertices into the generated model (display space); true when it
// moved any.
bool PoseBoneVertices(ModelDocument& document, int b, const Rotation3& rotation,
                      const PoseVec& start) {
    const BonePart& bone = document.bones[b];
    if (!HasLocalCoordinates(document, b)) {
        return false;
    }
    VertexSet posed = bone.boundVertices;
    posed.And(bone.mesh.usedVertices);
    bool moved = false;
    posed.ForEachSet([&](int i) {
        const Vector& local = bone.mesh.vertices[i];
        PoseVec l{local.x, local.y, local.z};
        document.generatedModel.mesh.vertices[i] = DisplayFromPose(rotation * l + start);
        moved = true;
    });
    return moved;
}

// Each bone's motion from where it stood at generation to where the record puts it:
// p -> turn * p + shift, and the turn as a quaternion for blending.
struct BoneMotion {
    Rotation3 turn;
    PoseVec shift;
    Quaternion rotation;

    PoseVec Apply(const PoseVec& p) const { return turn * p + shift; }
};

std::vector<BoneMotion> MotionsFromRest(const ModelDocument& document, const PoseRecord& record) {
    std::vector<BoneMotion> motions(NUM_BONES);
    for (int b = 0; b < NUM_BONES; ++b) {
        const RestFrame& rest = document.bones[b].rest;
        BoneMotion& motion = motions[b];
        motion.turn = PoseRotation(record.angles[b]) * Transposed(rest.rotation);
        motion.shift = record.startPositions[b] - motion.turn * rest.start;
        motion.rotation = Quaternion::FromRotation(motion.turn);
    }
    return motions;
}

// The vertex at rest moved by its blend: turned by the blend of the bones' rotations about each
// joint, each joint carried where the blend of the bones' motions puts it. At a bent joint the
// vertex swings round the joint instead of cutting the corner, and where a pose stretches a bone
// away from its neighbour the gap is spread over the blend zone.
PoseVec BlendedPosition(const ModelDocument& document, const std::vector<BoneMotion>& motions,
                        int owner, const VertexBlend& blend, const PoseVec& atRest) {
    double own = 1.0;
    double neighbours = 0.0;
    PoseVec ownAnchor{0.0, 0.0, 0.0};
    for (int k = 0; k < blend.count; ++k) {
        own -= blend.weights[k];
        neighbours += blend.weights[k];
        ownAnchor = ownAnchor + document.bones[blend.anchors[k]].rest.start * blend.weights[k];
    }
    if (neighbours > 0.0) {
        ownAnchor = ownAnchor * (1.0 / neighbours);
    }
    Quaternion rotation = Quaternion::Zero();
    rotation.AddWeighted(motions[owner].rotation, own);
    for (int k = 0; k < blend.count; ++k) {
        rotation.AddWeighted(motions[blend.bones[k]].rotation, blend.weights[k]);
    }
    const Rotation3 turn = rotation.ToRotation();
    PoseVec moved = turn * atRest + (motions[owner].Apply(ownAnchor) - turn * ownAnchor) * own;
    for (int k = 0; k < blend.count; ++k) {
        const PoseVec& anchor = document.bones[blend.anchors[k]].rest.start;
        moved = moved + (motions[blend.bones[k]].Apply(anchor) - turn * anchor) * blend.weights[k];
    }
    return moved;
}

// Re-poses the vertices near joints with their blend of the neighbouring bones' motions; the
// others keep the rigid positions already in the generated model.
void BlendJointVertices(ModelDocument& document, const PoseRecord& record) {
    const std::vector<BoneMotion> motions = MotionsFromRest(document, record);
    const VertexBlend* blends = document.jointBlend.vertices;
    for (int a = 0; a < NUM_BONES; ++a) {
        if (!HasLocalCoordinates(document, a)) {
            continue;
        }
        const BonePart& bone = document.bones[a];
        VertexSet posed = bone.boundVertices;
        posed.And(bone.mesh.usedVertices);
        posed.ForEachSet([&](int i) {
            if (blends[i].count == 0) {
                return;
            }
            const Vector& local = bone.mesh.vertices[i];
            const PoseVec atRest =
                bone.rest.rotation * PoseVec{local.x, local.y, local.z} + bone.rest.start;
            document.generatedModel.mesh.vertices[i] =
                DisplayFromPose(BlendedPosition(document, motions, a, blends[i], atRest));
        });
    }
}

void PoseReferencePoints(ModelDocument& document, int b, const Rotation3& rotation,
                         const PoseVec& start) {
    for (Vector& point : document.refSkeleton[b]) {
        PoseVec p = rotation * PoseVec{point.x, point.y, point.z} + start;
        point = Vector(p.x, p.y, p.z);
    }
}

}  // namespace

void MeshDeformation::FollowPose(ModelDocument& document) {
    const PoseRecord record = CaptureTruePose(document);
    CopyModelGeometry(document);
    bool moved = false;
    for (int b = 0; b < NUM_BONES; ++b) {
        const Rotation3 rotation = PoseRotation(record.angles[b]);
        const PoseVec& start = record.startPositions[b];
        moved = PoseBoneVertices(document, b, rotation, start) || moved;
        PoseReferencePoints(document, b, rotation, start);
    }
    if (document.jointBlend.smooth != 0) {
        BlendJointVertices(document, record);
    }
    if (!moved || (document.exporting != 0 && document.viewGenerated == 0)) {
        return;
    }
    ReplaceGeneratedShape(document);
    document.generatedModel.Show(document.viewGenerated);
}

void MeshDeformation::ReplaceGeneratedShape(ModelDocument& document) {
    GeneratedPart& generated = document.generatedModel;
    C3dShape* old = generated.Shape();
    if (old != nullptr) {
        if (host_.releasingShape) {
            host_.releasingShape(*old);
        }
        if (old->GetParent() != nullptr) {
            old->GetParent()->RemoveChild(old);
        }
    }
    // A failed build keeps the old shape, which goes back into the scene.
    generated.RebuildShape();
    C3dShape* fresh = generated.Shape();
    if (fresh == nullptr) {
        return;
    }
    fresh->SetName(GENERATED_MODEL_NAME);
    if (document.scene != nullptr) {
        document.scene->AddChild(fresh);
    }
    if (host_.shapeReplaced) {
        host_.shapeReplaced(*fresh);
    }
}

void ScaleToGround(ModelDocument& document) {
    if (document.scaleToGround != 1) {
        return;
    }
    BoneLengths scaled;
    const double ratio = LegHeightRatio(document, scaled);
    SetBoneLengths(document, scaled);
    for (int b = 0; b < NUM_BONES; ++b) {
        if (!IsEligibleBone(document, b)) {
            continue;
        }
        // The rest frames scale with the coordinates, so a blend still starts from where the
        // vertex stood.
        BonePart& bone = document.bones[b];
        bone.rest.start = bone.rest.start * ratio;
        MeshData& local = bone.mesh;
        local.usedVertices.ForEachSet(
            [&](int i) { local.vertices[i] = Vector::Scaled(local.vertices[i], ratio); });
    }
}

}  // namespace editor::generate
