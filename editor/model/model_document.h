#pragma once

#include <cstdint>

#include "editor/model/bone_part.h"
#include "editor/model/capacities.h"
#include "editor/model/face_colours.h"
#include "editor/model/fixed_bit_sets.h"
#include "editor/model/generated_part.h"
#include "editor/model/joint_blend.h"
#include "editor/model/joint_part.h"
#include "editor/model/mesh_part.h"
#include "editor/model/pose_record.h"
#include "editor/model/skeleton_tables.h"
#include "editor/model/skin_region.h"
#include "scene/vector.h"

#include "scene/forward.h"

namespace editor::model {

using namespace ::scene;

constexpr int REF_POINTS_PER_BONE = 3;

// Everything the editor edits, in one fixed block (about 9 MB): the skeleton's joints and bones,
// the editable model, the dividing plane, the prop, the generated model, the skin's texel map and
// the merged-prop records. Nothing is allocated per element while editing, and the block is
// never re-allocated: "New" resets it in place. Allocate it once on the heap
// (std::make_unique<ModelDocument>()), never on the stack.
class ModelDocument {
  public:
    // Creates the model's and the prop's group tables and the face-colour textures (installed for
    // every part from then on), then resets.
    ModelDocument();
    ~ModelDocument();
    ModelDocument(const ModelDocument&) = delete;
    ModelDocument& operator=(const ModelDocument&) = delete;

    // Back to the empty document: flags, skeleton defaults (numbered and linked joints and bones,
    // shapes released), every node active, the four other meshes emptied (their shapes stay for
    // the caller to refresh or take out), texel map and merged props cleared.
    void Reset();
    // Stores the scene in the document and in every part.
    void SetScene(C3dScene* newScene);
    // The joint or bone drawn by object, first in index order; null when none (or object null).
    JointPart* JointByShape(const C3dFrame* object);
    BonePart* BoneByShape(const C3dFrame* object);

    // Mode flags of the operations that use them.
    uint32_t exporting = 0;       // an export is running
    uint32_t armLegBeef = 0;      // the "Arm/Leg Beef" toggle; nothing reads it yet
    uint32_t rigidBones = 1;      // joint drags keep bone lengths
    uint32_t normalizePoses = 0;  // poses use the current bone lengths
    uint32_t hasDefaultPose = 0;  // defaultPose holds a pose
    uint32_t dividingPlaneVisible = 0;
    uint32_t viewGenerated = 0;  // the generated model is shown instead of the editable one
    uint32_t scaleToGround = 0;

    C3dScene* scene = nullptr;
    // Made before the parts so that the textures outlive every shape that shows them.
    FaceColourTextures faceColours;
    JointPart joints[NUM_JOINTS];
    BonePart bones[NUM_BONES];
    // Nonzero: the mesh node is active.
    uint32_t activeNodes[NUM_MESH_NODES] = {};
    MeshPart model;
    MeshPart dividingPlane;
    MeshPart prop;
    GeneratedPart generatedModel;
    // Smooth joints: the user's choices and the weights of the last generation.
    JointBlend jointBlend;
    // Read by body-part generation and the export; 1.0, 1.0 and 0 after a reset.
    double generationSettings[2] = {1.0, 1.0};
    uint32_t generationFlag = 0;
    // One bit per texel of the 256 x 256 skin that a merged mesh occupies.
    TexelSet usedTexels;
    int32_t mergedPropCount = 0;
    MergedProp mergedProps[MAX_MERGED_PROPS];

    PoseRecord defaultPose;
    // Three reference points per bone (origin, direction point, up point), bone order.
    Vector refSkeleton[NUM_BONES][REF_POINTS_PER_BONE];
    // The current pose while bone lengths change.
    PoseRecord scratchPose;

  private:
    void ResetSkeleton();
    void ResetFlags();
};

}  // namespace editor::model
