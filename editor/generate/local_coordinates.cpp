#include "editor/generate/local_coordinates.h"

#include "editor/model/model_document.h"
#include "editor/prompts/questions.h"
#include "editor/skeleton/bone_stepping.h"
#include "editor/skeleton/pose_math.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"

namespace editor::generate {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::editor::prompts;

bool HasLocalCoordinates(const ModelDocument& document, int bone) {
    return bone >= 0 && bone < NUM_BONES && document.bones[bone].mesh.vertexCount != 0;
}

bool LocalCoordinateStore::MayOverwrite(const std::string& boneName) const {
    if (questions_ == nullptr) {
        return true;
    }
    if (answerForAll_) {
        return *answerForAll_;
    }
    switch (questions_->AskYesNoToAll(OverwriteQuestion(boneName))) {
        case ManyReply::YesToAll:
            answerForAll_ = true;
            return true;
        case ManyReply::NoToAll:
            answerForAll_ = false;
            return false;
        case ManyReply::Yes:
            return true;
        case ManyReply::No:
            break;
    }
    return false;
}

void LocalCoordinateStore::StoreEveryBone(ModelDocument& document) const {
    PoseRecord record;
    ReadPose(document, record);
    answerForAll_.reset();
    for (int b = 0; b < NUM_BONES; ++b) {
        if (document.bones[b].Shape() != nullptr) {
            StoreBone(document, b, record.startPositions[b], InversePoseRotation(record.angles[b]));
        }
    }
    answerForAll_.reset();
}

void LocalCoordinateStore::StoreBone(ModelDocument& document, int b, const PoseVec& start,
                                     const Rotation3& toBone) const {
    if (!IsEligibleBone(document, b)) {
        return;
    }
    BonePart& bone = document.bones[b];
    if (HasLocalCoordinates(document, b) && !MayOverwrite(BoneTableName(b))) {
        return;
    }
    bone.rest = RestFrame{start, Transposed(toBone)};
    MeshData& local = bone.mesh;
    local.vertexCount = 0;
    local.faceCount = 0;
    local.texVertexCount = 0;
    local.usedVertices.ClearAll();
    const MeshData& model = document.model.mesh;
    const VertexSet& bound = bone.boundVertices;
    bound.ForEachSet([&](int i) {
        PoseVec p = toBone * (PoseFromDisplay(model.vertices[i]) - start);
        local.vertices[i] = Vector(p.x, p.y, p.z);
        local.usedVertices.SetBit(i);
        ++local.vertexCount;
    });
}

}  // namespace editor::generate
