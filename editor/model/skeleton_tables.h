#pragma once

#include <cstdint>

#include "flexmodel/records.h"

namespace editor::model {

// The fixed player skeleton: 38 joints, 37 bones, 16 mesh nodes. Nothing here changes at run
// time; posing and bone lengths live in the document.

constexpr int NUM_JOINTS = 38;  // joint indices 0..37; 38 means "no joint"
constexpr int NUM_BONES = 37;   // bone indices 0..36; 37 means "no bone"
constexpr int NUM_MESH_NODES = ::flexmodel::FLEX_MAX_MESH_NODES;
constexpr int MAX_BONES_PER_MESH_NODE = 15;

constexpr int NO_JOINT = NUM_JOINTS;
constexpr int NO_BONE = NUM_BONES;
constexpr int ROOT_JOINT = 0;
// Joints the sizing and fitting of a model measure by.
constexpr int LEFT_TOES_JOINT = 4;
constexpr int RIGHT_TOES_JOINT = 8;
constexpr int TOP_OF_HEAD_JOINT = 28;

// A vector in table axes: a = character's left, b = up, c = backward.
struct TableVector {
    float a;
    float b;
    float c;
};

struct JointTableEntry {
    const char* name;
    int parent;                 // -1 for the root
    int boneEndingHere;         // NO_BONE for the root
    TableVector defaultOffset;  // from the parent joint, table axes
};

struct BoneTableEntry {
    const char* name;
    int startJoint;
    int endJoint;
    double defaultLength;
    TableVector defaultRollVector;  // table axes, not normalised
};

struct JointOrderEntry {
    int joint;
    int parent;  // -1 for the root
};

struct MeshNodeEntry {
    const char* label;  // label in the active-node dialog; nodes 0 and 1 share "Torso"
    int boneCount;
    int bones[MAX_BONES_PER_MESH_NODE];
};

extern const JointTableEntry jointTable[NUM_JOINTS];
extern const BoneTableEntry boneTable[NUM_BONES];
// Parent-before-child order of every walk over the skeleton.
extern const JointOrderEntry jointOrder[NUM_JOINTS];
// boneEndingAt[j] is the bone whose end joint is j; NO_BONE for the root.
extern const int boneEndingAt[NUM_JOINTS];
extern const MeshNodeEntry meshNodeBones[NUM_MESH_NODES];

// Anchor bones that only connect equipment to the body; activation never lists them.
constexpr int ANCHOR_BONES[3] = {28, 30, 35};
constexpr int CENTER_PELVIS_BONE = 8;  // starts at the root joint

// Checked accessors; out-of-range indices give the "none" values.
const char* JointTableName(int joint);  // "" outside 0..37
const char* BoneTableName(int bone);    // "" outside 0..36
double DefaultBoneLength(int bone);     // 0.0 outside 0..36
TableVector DefaultJointOffset(int joint);
TableVector DefaultRollVector(int bone);
int BoneEndingAt(int joint);                            // NO_BONE for the root and outside 0..37
bool BoneJointIndices(int bone, int& start, int& end);  // false, outputs untouched, outside 0..36

}  // namespace editor::model
