#include "editor/model/skeleton_tables.h"

namespace editor::model {

const JointTableEntry jointTable[NUM_JOINTS] = {
    {"hip anchor", -1, NO_BONE, {0.0f, 0.0f, 0.0f}},
    {"left hip", 0, 0, {1.9314f, -3.996f, 0.0f}},
    {"left knee", 1, 1, {0.0f, -14.62f, 0.0f}},
    {"left ankle", 2, 2, {0.0f, -15.74f, 0.0f}},
    {"left toes", 3, 3, {0.0f, -3.38865f, -7.011f}},
    {"right hip", 0, 4, {-1.76175f, -3.645f, 0.0f}},
    {"right knee", 5, 5, {0.0f, -14.66f, 0.0f}},
    {"right ankle", 6, 6, {0.0f, -15.62f, 0.0f}},
    {"right toes", 7, 7, {0.0f, -3.3756f, -6.984f}},
    {"lower back", 0, 8, {0.0f, 1.89f, 0.0f}},
    {"upper back", 9, 9, {0.0f, 2.68f, 0.0f}},
    {"left shoulder", 10, 10, {6.15636f, 8.38647f, 0.0f}},
    {"left elbow", 11, 11, {9.64f, 0.0f, 0.0f}},
    {"left wrist", 12, 12, {9.97f, 0.0f, 0.0f}},
    {"left fingertips", 13, 13, {5.1f, 0.0f, 0.0f}},
    {"left grip", 13, 14, {3.1f, 0.0f, 0.0f}},
    {"bottom of bow", 15, 15, {0.0f, -8.37f, 0.0f}},
    {"right shoulder", 10, 16, {-6.2622f, 8.53065f, 0.0f}},
    {"right elbow", 17, 17, {-9.54f, 0.0f, 0.0f}},
    {"right wrist", 18, 18, {-9.96f, 0.0f, 0.0f}},
    {"right fingertips", 19, 19, {-5.2f, 0.0f, 0.0f}},
    {"right grip", 19, 20, {-3.59f, 0.0f, 0.0f}},
    {"bottom of staff", 21, 21, {0.0f, -26.77f, 0.0f}},
    {"tip of staff", 21, 22, {0.0f, 27.02f, 0.0f}},
    {"bottom of hellstaff", 21, 23, {0.0f, -11.53f, 0.0f}},
    {"head of hellstaff", 21, 24, {0.0f, 24.08f, 0.0f}},
    {"collar", 10, 25, {0.0f, 11.69f, 0.0f}},
    {"base of skull", 26, 26, {0.0f, 2.35f, 0.0f}},
    {"top of head", 27, 27, {0.0f, 5.08f, 0.0f}},
    {"middle of stored bow", 10, 28, {0.0f, 5.19645f, 5.19645f}},
    {"bottom of stored bow", 29, 29, {7.07f, -7.07f, 0.0f}},
    {"armor mid-back", 10, 30, {0.0f, 7.695f, 3.71925f}},
    {"left shoulder armor", 31, 31, {4.51066f, 4.51066f, 0.0f}},
    {"left shoulder armor tip", 32, 32, {5.55f, 0.0f, 0.0f}},
    {"right shoulder armor", 31, 33, {-3.71882f, 3.71882f, 0.0f}},
    {"right shoulder armor tip", 34, 34, {-5.39f, 0.0f, 0.0f}},
    {"top of stored staff", 0, 35, {-4.63f, 0.0f, 0.0f}},
    {"bottom of stored staff", 36, 36, {0.0f, -8.0f, 0.0f}},
};

const BoneTableEntry boneTable[NUM_BONES] = {
    {"left pelvis", 0, 1, 4.44, {0.707f, 0.707f, 0.0f}},
    {"left thigh", 1, 2, 14.62, {1.0f, 0.0f, 0.0f}},
    {"left calf", 2, 3, 15.74, {1.0f, 0.0f, 0.0f}},
    {"left foot", 3, 4, 7.79, {1.0f, 0.0f, 0.0f}},
    {"right pelvis", 0, 5, 4.05, {0.707f, -0.707f, 0.0f}},
    {"right thigh", 5, 6, 14.66, {1.0f, 0.0f, 0.0f}},
    {"right calf", 6, 7, 15.62, {1.0f, 0.0f, 0.0f}},
    {"right foot", 7, 8, 7.76, {1.0f, 0.0f, 0.0f}},
    {"center pelvis", 0, 9, 1.89, {-1.0f, 0.0f, 0.0f}},
    {"lower torso", 9, 10, 2.68, {-1.0f, 0.0f, 0.0f}},
    {"left chest", 10, 11, 10.47, {-0.707f, 0.707f, 0.0f}},
    {"left upper arm", 11, 12, 9.64, {0.0f, 1.0f, 0.0f}},
    {"left lower arm", 12, 13, 9.97, {0.0f, 1.0f, 0.0f}},
    {"left hand open", 13, 14, 5.1, {0.0f, 1.0f, 0.0f}},
    {"left hand closed", 13, 15, 3.1, {0.0f, 1.0f, 0.0f}},
    {"bow in use", 15, 16, 8.37, {1.0f, 0.0f, 0.0f}},
    {"right chest", 10, 17, 10.65, {-0.707f, -0.707f, 0.0f}},
    {"right upper arm", 17, 18, 9.54, {0.0f, -1.0f, 0.0f}},
    {"right lower arm", 18, 19, 9.96, {0.0f, -1.0f, 0.0f}},
    {"right hand open", 19, 20, 5.2, {0.0f, -1.0f, 0.0f}},
    {"right hand closed", 19, 21, 3.59, {0.0f, -1.0f, 0.0f}},
    {"bottom half of staff", 21, 22, 26.77, {1.0f, 0.0f, 0.0f}},
    {"top half of staff", 21, 23, 27.02, {-1.0f, 0.0f, 0.0f}},
    {"bottom half hellstaff", 21, 24, 11.53, {1.0f, 0.0f, 0.0f}},
    {"top half hellstaff", 21, 25, 24.08, {-1.0f, 0.0f, 0.0f}},
    {"upper torso", 10, 26, 11.69, {-1.0f, 0.0f, 0.0f}},
    {"neck", 26, 27, 2.35, {-1.0f, 0.0f, 0.0f}},
    {"head", 27, 28, 5.08, {-1.0f, 0.0f, 0.0f}},
    {"bow anchor on back", 10, 29, 7.35, {-1.0f, 0.0f, 0.0f}},
    {"stored bow", 29, 30, 10.0, {0.0f, 0.0f, 1.0f}},
    {"armor anchor on back", 10, 31, 8.55, {-1.0f, 0.0f, 0.0f}},
    {"left armor", 31, 32, 6.38, {-0.707f, 0.707f, 0.0f}},
    {"left armor shoulder", 32, 33, 5.55, {0.0f, 1.0f, 0.0f}},
    {"right armor", 31, 34, 5.26, {-0.707f, -0.707f, 0.0f}},
    {"right armor shoulder", 34, 35, 5.39, {0.0f, -1.0f, 0.0f}},
    {"staff anchor on hip", 0, 36, 4.63, {0.0f, -1.0f, 0.0f}},
    {"stored staff", 36, 37, 8.0, {1.0f, 0.0f, 0.0f}},
};

const JointOrderEntry jointOrder[NUM_JOINTS] = {
    {0, -1},  {1, 0},   {5, 0},   {9, 0},   {36, 0},  {2, 1},   {6, 5},   {10, 9},
    {37, 36}, {3, 2},   {7, 6},   {26, 10}, {11, 10}, {17, 10}, {29, 10}, {31, 10},
    {4, 3},   {8, 7},   {12, 11}, {18, 17}, {27, 26}, {30, 29}, {32, 31}, {34, 31},
    {13, 12}, {19, 18}, {28, 27}, {33, 32}, {35, 34}, {14, 13}, {15, 13}, {20, 19},
    {21, 19}, {16, 15}, {22, 21}, {23, 21}, {24, 21}, {25, 21},
};

const int boneEndingAt[NUM_JOINTS] = {
    NO_BONE, 0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
    18,      19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36,
};

const MeshNodeEntry meshNodeBones[NUM_MESH_NODES] = {
    {"Torso", 10, {0, 4, 35, 9, 25, 8, 10, 16, 28, 30}},
    {"Torso", 10, {0, 4, 35, 9, 25, 8, 10, 16, 28, 30}},
    {"Stored Staff", 1, {36}},
    {"Stored Bow", 1, {29}},
    {"Armor", 4, {31, 33, 34, 32}},
    {"Right Arm", 2, {17, 18}},
    {"Right Palm", 1, {19}},
    {"Right Grip", 1, {20}},
    {"Blade Staff", 2, {21, 22}},
    {"Hellstaff", 2, {23, 24}},
    {"Left Arm", 2, {11, 12}},
    {"Left Palm", 1, {13}},
    {"Left Bow/Grip", 2, {14, 15}},
    {"Right Leg", 3, {5, 6, 7}},
    {"Left Leg", 3, {1, 2, 3}},
    {"Head", 2, {26, 27}},
};

namespace {
bool IsJoint(int joint) {
    return joint >= 0 && joint < NUM_JOINTS;
}
bool IsBone(int bone) {
    return bone >= 0 && bone < NUM_BONES;
}
}  // namespace

const char* JointTableName(int joint) {
    return IsJoint(joint) ? jointTable[joint].name : "";
}

const char* BoneTableName(int bone) {
    return IsBone(bone) ? boneTable[bone].name : "";
}

double DefaultBoneLength(int bone) {
    return IsBone(bone) ? boneTable[bone].defaultLength : 0.0;
}

TableVector DefaultJointOffset(int joint) {
    return IsJoint(joint) ? jointTable[joint].defaultOffset : TableVector{0.0f, 0.0f, 0.0f};
}

TableVector DefaultRollVector(int bone) {
    return IsBone(bone) ? boneTable[bone].defaultRollVector : TableVector{0.0f, 0.0f, 0.0f};
}

int BoneEndingAt(int joint) {
    return IsJoint(joint) ? boneEndingAt[joint] : NO_BONE;
}

bool BoneJointIndices(int bone, int& start, int& end) {
    if (!IsBone(bone)) {
        return false;
    }
    start = boneTable[bone].startJoint;
    end = boneTable[bone].endJoint;
    return true;
}

}  // namespace editor::model
