#include "editor/model/skeleton_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace ::editor::model;

// The tables are typed in by hand; these checks catch a mistyped index.
TEST(SkeletonTables, JointTreeAndBonesAgree) {
    for (int j = 1; j < NUM_JOINTS; ++j) {
        int bone = boneEndingAt[j];
        ASSERT_EQ(bone, j - 1);
        EXPECT_EQ(boneTable[bone].endJoint, j);
        EXPECT_EQ(boneTable[bone].startJoint, jointTable[j].parent);
        EXPECT_EQ(jointTable[j].boneEndingHere, bone);
    }
    EXPECT_EQ(boneEndingAt[0], NO_BONE);
    EXPECT_EQ(jointTable[0].parent, -1);
}

TEST(SkeletonTables, JointOrderVisitsParentsFirst) {
    std::set<int> seen;
    for (const JointOrderEntry& entry : jointOrder) {
        if (entry.parent >= 0) {
            EXPECT_TRUE(seen.count(entry.parent)) << entry.joint;
            EXPECT_EQ(entry.parent, jointTable[entry.joint].parent);
        }
        EXPECT_TRUE(seen.insert(entry.joint).second);
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(NUM_JOINTS));
    EXPECT_EQ(jointOrder[0].joint, ROOT_JOINT);
}

TEST(SkeletonTables, MeshNodesListEveryBoneOnce) {
    int listed[NUM_BONES] = {};
    for (int n = 1; n < NUM_MESH_NODES; ++n) {
        for (int k = 0; k < meshNodeBones[n].boneCount; ++k) {
            ++listed[meshNodeBones[n].bones[k]];
        }
    }
    for (int b = 0; b < NUM_BONES; ++b) {
        EXPECT_EQ(listed[b], 1) << b;
    }
    EXPECT_EQ(std::string(meshNodeBones[0].label), "Torso");
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(meshNodeBones[0].bones[k], meshNodeBones[1].bones[k]);
    }
}

TEST(SkeletonTables, CheckedAccessorsRejectOutOfRange) {
    EXPECT_STREQ(BoneTableName(37), "");
    EXPECT_STREQ(JointTableName(-1), "");
    EXPECT_STREQ(JointTableName(4), "left toes");
    EXPECT_STREQ(BoneTableName(10), "left chest");
    EXPECT_DOUBLE_EQ(DefaultBoneLength(37), 0.0);
    EXPECT_DOUBLE_EQ(DefaultBoneLength(3), 7.79);
    int start = -5, end = -6;
    EXPECT_FALSE(BoneJointIndices(37, start, end));
    EXPECT_EQ(start, -5);
    EXPECT_EQ(end, -6);
    EXPECT_TRUE(BoneJointIndices(20, start, end));
    EXPECT_EQ(start, 19);
    EXPECT_EQ(end, 21);
    EXPECT_EQ(BoneEndingAt(0), NO_BONE);
    EXPECT_EQ(BoneEndingAt(38), NO_BONE);
}
