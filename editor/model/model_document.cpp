#include "editor/model/model_document.h"

#include <algorithm>
#include <memory>

#include "editor/model/triangle_group_table.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::model {

using namespace ::scene;

ModelDocument::ModelDocument() {
    model.mesh.groupTable = std::make_unique<TriangleGroupTable>();
    prop.mesh.groupTable = std::make_unique<TriangleGroupTable>();
    if (faceColours.Create()) {
        UseFaceColourTextures(&faceColours);
    }
    Reset();
}

ModelDocument::~ModelDocument() = default;

void ModelDocument::ResetFlags() {
    exporting = 0;
    armLegBeef = 0;
    rigidBones = 1;
    normalizePoses = 0;
    hasDefaultPose = 0;
    dividingPlaneVisible = 0;
    viewGenerated = 0;
    scaleToGround = 0;
}

void ModelDocument::ResetSkeleton() {
    for (int j = 0; j < NUM_JOINTS; ++j) {
        joints[j].Reset();
        joints[j].kind = PART_JOINT;
        joints[j].jointIndex = static_cast<uint32_t>(j);
    }
    for (int b = 0; b < NUM_BONES; ++b) {
        BonePart& bone = bones[b];
        bone.Reset();
        bone.kind = PART_BONE;
        bone.boneIndex = static_cast<uint32_t>(b);
        bone.boundVertices.ClearAll();
        bone.boundTriangles.ClearAll();
        int start = NO_JOINT;
        int end = NO_JOINT;
        BoneJointIndices(b, start, end);
        bone.startJoint = (start >= 0 && start < NUM_JOINTS) ? &joints[start] : nullptr;
        bone.endJoint = (end >= 0 && end < NUM_JOINTS) ? &joints[end] : nullptr;
        bone.length = DefaultBoneLength(b);
        bone.rest = RestFrame{};
    }
    std::fill(std::begin(activeNodes), std::end(activeNodes), 1u);
    defaultPose = PoseRecord();
    scratchPose = PoseRecord();
    for (auto& points : refSkeleton) {
        std::fill(std::begin(points), std::end(points), Vector(0.0, 0.0, 0.0));
    }
}

void ModelDocument::Reset() {
    ResetFlags();
    ResetSkeleton();
    model.ClearMesh();
    dividingPlane.ClearMesh();
    prop.ClearMesh();
    generatedModel.ClearMesh();
    jointBlend.ClearWeights();
    generationSettings[0] = generationSettings[1] = 1.0;
    generationFlag = 0;
    usedTexels.ClearAll();
    mergedPropCount = 0;
    for (MergedProp& merged : mergedProps) {
        merged.Reset();
    }
}

void ModelDocument::SetScene(C3dScene* newScene) {
    scene = newScene;
    for (BonePart& bone : bones) {
        bone.scene = newScene;
    }
    for (JointPart& joint : joints) {
        joint.scene = newScene;
    }
    model.scene = newScene;
    dividingPlane.scene = newScene;
    prop.scene = newScene;
    generatedModel.scene = newScene;
}

JointPart* ModelDocument::JointByShape(const C3dFrame* object) {
    if (object == nullptr) {
        return nullptr;
    }
    for (JointPart& joint : joints) {
        if (joint.Shape() == object) {
            return &joint;
        }
    }
    return nullptr;
}

BonePart* ModelDocument::BoneByShape(const C3dFrame* object) {
    if (object == nullptr) {
        return nullptr;
    }
    for (BonePart& bone : bones) {
        if (bone.Shape() == object) {
            return &bone;
        }
    }
    return nullptr;
}

}  // namespace editor::model
