#include <gtest/gtest.h>

#include <vector>

#include "editor/skeleton/skeleton_activation.h"
#include "editor/skeleton/skeleton_walk.h"

using namespace ::editor::skeleton;

namespace {
SkeletonActivation OnlyNode(int node) {
    uint32_t nodes[NUM_MESH_NODES] = {};
    nodes[node] = 1;
    return ComputeActivation(nodes);
}

std::vector<int> JointsIn(const SkeletonActivation& s, ActivationState state) {
    std::vector<int> joints;
    for (int j = 0; j < NUM_JOINTS; ++j) {
        if (s.joints[j] == state) {
            joints.push_back(j);
        }
    }
    return joints;
}

std::vector<int> BonesIn(const SkeletonActivation& s, ActivationState state) {
    std::vector<int> bones;
    for (int b = 0; b < NUM_BONES; ++b) {
        if (s.bones[b] == state) {
            bones.push_back(b);
        }
    }
    return bones;
}
}  // namespace

TEST(Activation, HeadOnlyConnectsThroughTheTorso) {
    SkeletonActivation s = OnlyNode(15);
    EXPECT_EQ(BonesIn(s, ACTIVATION_LISTED), (std::vector<int>{26, 27}));
    EXPECT_EQ(JointsIn(s, ACTIVATION_LISTED), (std::vector<int>{26, 27, 28}));
    EXPECT_EQ(BonesIn(s, ACTIVATION_CONNECTING), (std::vector<int>{8, 9, 25}));
    EXPECT_EQ(JointsIn(s, ACTIVATION_CONNECTING), (std::vector<int>{0, 9, 10}));
}

TEST(Activation, LeftPalmChainsBackToTheHipAnchor) {
    SkeletonActivation s = OnlyNode(11);
    EXPECT_EQ(BonesIn(s, ACTIVATION_LISTED), (std::vector<int>{13}));
    EXPECT_EQ(BonesIn(s, ACTIVATION_CONNECTING), (std::vector<int>{8, 9, 10, 11, 12}));
    EXPECT_EQ(JointsIn(s, ACTIVATION_LISTED), (std::vector<int>{13, 14}));
    EXPECT_EQ(JointsIn(s, ACTIVATION_CONNECTING), (std::vector<int>{0, 9, 10, 11, 12}));
}

TEST(Activation, AllNodesDemoteOnlyTheAnchorBones) {
    uint32_t all[NUM_MESH_NODES];
    for (uint32_t& flag : all) {
        flag = 7;  // any nonzero value is active
    }
    SkeletonActivation s = ComputeActivation(all);
    EXPECT_EQ(BonesIn(s, ACTIVATION_CONNECTING), (std::vector<int>{28, 30, 35}));
    EXPECT_EQ(JointsIn(s, ACTIVATION_LISTED).size(), static_cast<size_t>(NUM_JOINTS));
    uint32_t none[NUM_MESH_NODES] = {};
    SkeletonActivation off = ComputeActivation(none);
    EXPECT_EQ(JointsIn(off, ACTIVATION_OFF).size(), static_cast<size_t>(NUM_JOINTS));
    EXPECT_EQ(BonesIn(off, ACTIVATION_OFF).size(), static_cast<size_t>(NUM_BONES));
}

TEST(SkeletonWalk, ForwardAndBackwardVisitEveryJointThenReset) {
    int cursor = -1, joint = 0, parent = 0;
    std::vector<int> forward;
    while (NextJoint(joint, parent, true, cursor)) {
        forward.push_back(joint);
    }
    EXPECT_EQ(joint, NO_JOINT);
    EXPECT_EQ(parent, NO_JOINT);
    EXPECT_EQ(cursor, -1);
    ASSERT_EQ(forward.size(), static_cast<size_t>(NUM_JOINTS));
    EXPECT_EQ(forward[1], 1);
    EXPECT_EQ(forward[2], 5);
    EXPECT_EQ(forward.back(), 25);

    std::vector<int> backward;
    while (NextJoint(joint, parent, false, cursor)) {
        backward.push_back(joint);
    }
    EXPECT_EQ(std::vector<int>(backward.rbegin(), backward.rend()), forward);

    int bone = 0;
    std::vector<int> bones;
    while (NextBone(bone, true, cursor)) {
        bones.push_back(bone);
    }
    EXPECT_EQ(bone, NO_BONE);
    EXPECT_EQ(cursor, -1);
    ASSERT_EQ(bones.size(), static_cast<size_t>(NUM_BONES));
    EXPECT_EQ(bones[0], 0);  // ends at left hip
    EXPECT_EQ(bones[1], 4);  // ends at right hip
    EXPECT_EQ(bones.back(), 24);
    std::vector<int> bonesBack;
    while (NextBone(bone, false, cursor)) {
        bonesBack.push_back(bone);
    }
    EXPECT_EQ(std::vector<int>(bonesBack.rbegin(), bonesBack.rend()), bones);
}
