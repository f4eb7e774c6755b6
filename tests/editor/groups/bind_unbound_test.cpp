// Completing the bindings of the test character: unbound triangles take the bone of their bound
// neighbours across the surface, a loose piece the nearest bone, a doubly bound triangle the
// nearer of its bones; a jagged seam across a limb, freed and bound again, runs around it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "editor/groups/bind_unbound.h"
#include "editor/model/mesh_data.h"
#include "tests/editor/groups/character_mesh.h"

using namespace ::editor::groups;
using namespace ::editor::model;

namespace {

constexpr int kLeftCalf = 2;
constexpr int kLeftUpperArm = 11;
constexpr int kLeftLowerArm = 12;
constexpr int kRightCalf = 6;
constexpr int kRightLowerArm = 18;
constexpr int kHead = 27;

int BoneOf(const BoneBindings& bindings, int t) {
    int found = -1;
    for (int b = 0; b < NUM_BONES; ++b) {
        if (bindings[b].Test(t)) {
            if (found >= 0) {
                return -2;  // bound twice
            }
            found = b;
        }
    }
    return found;
}

}  // namespace

TEST(BindUnbound, EveryTriangleEndsWithOneBoneMostlyTheGuessedOne) {
    const GuessSkeleton skeleton = StartUpSkeleton();
    auto character = std::make_unique<MeshData>();
    AddCharacterMesh(*character, skeleton, 7);
    // The character but its last triangle, to make room for a loose one beside the middle of
    // the right forearm.
    auto mesh = std::make_unique<MeshData>();
    for (int v = 0; v < character->vertexCount; ++v) {
        mesh->AddVertex(character->vertices[v]);
    }
    int corner[3];
    for (int t = 0; t + 1 < character->TriangleCount(); ++t) {
        character->GetTriangle(t, corner[0], corner[1], corner[2]);
        mesh->AddTriangle(corner[0], corner[1], corner[2], 0, 0, 0);
    }
    const Vector& wrist = skeleton.joints[boneTable[kRightLowerArm].endJoint];
    const Vector& elbow = skeleton.joints[boneTable[kRightLowerArm].startJoint];
    const Vector middle = Vector::Scaled(Vector::Add(wrist, elbow), 0.5);
    const int loose = mesh->TriangleCount();
    const int a = mesh->AddVertex(Vector::Add(middle, Vector(0, 0, 1)));
    const int b = mesh->AddVertex(Vector::Add(middle, Vector(0.5, 0, 1.5)));
    const int c = mesh->AddVertex(Vector::Add(middle, Vector(0, 0.5, 1.5)));
    ASSERT_EQ(mesh->AddTriangle(a, b, c, 0, 0, 0), loose);
    const int count = mesh->TriangleCount();

    BoneBindings guessed;
    TriangleSet all;
    all.SetRange(0, loose);
    GuessBindings(*mesh, skeleton, all, guessed, {});
    // Every third triangle forgotten, one calf triangle bound to the head as well.
    BoneBindings bindings = guessed;
    int forgotten = 0;
    for (int t = 0; t < loose; t += 3) {
        const int bone = BoneOf(guessed, t);
        if (bone >= 0) {
            bindings[bone].ClearBit(t);
            ++forgotten;
        }
    }
    int doubled = -1;
    for (int t = 1; t < loose && doubled < 0; t += 3) {
        if (BoneOf(bindings, t) == kLeftCalf) {
            doubled = t;
            bindings[kHead].SetBit(t);
        }
    }
    ASSERT_GE(doubled, 0);
    int unbound = 0;
    for (int t = 0; t < count; ++t) {
        unbound += BoneOf(bindings, t) == -1 ? 1 : 0;
    }

    const BindUnboundCounts counts = BindUnboundTriangles(*mesh, skeleton, bindings);
    EXPECT_EQ(counts.bound, unbound);
    EXPECT_EQ(counts.settled, 1);
    int same = 0;
    for (int t = 0; t < count; ++t) {
        ASSERT_GE(BoneOf(bindings, t), 0) << "triangle " << t;
        same += t < loose && t % 3 == 0 && BoneOf(bindings, t) == BoneOf(guessed, t) ? 1 : 0;
    }
    EXPECT_GE(same * 10, forgotten * 9);
    EXPECT_EQ(BoneOf(bindings, doubled), kLeftCalf);
    EXPECT_EQ(BoneOf(bindings, loose), kRightLowerArm);
}

TEST(BindUnbound, WithoutAnEligibleBoneNothingChanges) {
    auto mesh = std::make_unique<MeshData>();
    GuessSkeleton skeleton = StartUpSkeleton();
    AddCharacterMesh(*mesh, skeleton, 3);
    for (bool& eligible : skeleton.eligible) {
        eligible = false;
    }
    BoneBindings bindings;
    const BindUnboundCounts counts = BindUnboundTriangles(*mesh, skeleton, bindings);
    EXPECT_EQ(counts.bound, 0);
    for (const TriangleSet& bound : bindings) {
        EXPECT_FALSE(bound.Any());
    }
}

TEST(BindUnbound, TrianglesBoundFarFromTheirBoneGoToTheNearestOne) {
    const GuessSkeleton skeleton = StartUpSkeleton();
    auto mesh = std::make_unique<MeshData>();
    AddCharacterMesh(*mesh, skeleton, 7);
    const int count = mesh->TriangleCount();
    BoneBindings guessed;
    TriangleSet all;
    all.SetRange(0, count);
    GuessBindings(*mesh, skeleton, all, guessed, {});
    // A calf triangle handed to the head, far above it; an unbound one stays unbound.
    BoneBindings bindings = guessed;
    int moved = -1;
    int unbound = -1;
    for (int t = 0; t < count; ++t) {
        if (moved < 0 && BoneOf(bindings, t) == kLeftCalf) {
            moved = t;
            bindings[kLeftCalf].ClearBit(t);
            bindings[kHead].SetBit(t);
        } else if (unbound < 0 && BoneOf(bindings, t) >= 0) {
            unbound = t;
            bindings[BoneOf(bindings, t)].ClearBit(t);
        }
    }
    ASSERT_GE(moved, 0);
    const BoneBindings before = bindings;
    const int changed = RebindFarTriangles(*mesh, skeleton, bindings);
    // Back to a calf (the test character's legs stand close: the inner side may be nearer the
    // other one).
    EXPECT_TRUE(BoneOf(bindings, moved) == kLeftCalf || BoneOf(bindings, moved) == kRightCalf)
        << BoneOf(bindings, moved);
    EXPECT_EQ(BoneOf(bindings, unbound), -1);
    // The guess on the test character is mostly right: few of its triangles move.
    EXPECT_GE(changed, 1);
    EXPECT_LE(changed * 10, count);
    // Without an eligible bone nothing moves.
    GuessSkeleton none = skeleton;
    for (bool& eligible : none.eligible) {
        eligible = false;
    }
    BoneBindings untouched = before;
    EXPECT_EQ(RebindFarTriangles(*mesh, none, untouched), 0);
    for (int b = 0; b < NUM_BONES; ++b) {
        EXPECT_TRUE(untouched[b].Equals(before[b]));
    }
}

// A straight arm as a tube of radius 1 along +X, the elbow at x = 10, bound with a seam that
// zigzags 0.75 either side of the elbow: the triangles about as near both bones are freed and
// bound again across the surface, and every ring of the tube then moves with one bone, the
// upper arm's up to the elbow and the forearm's past it.
TEST(BindUnbound, AJaggedSeamAcrossALimbSettlesAroundIt) {
    constexpr int kSides = 8;
    constexpr int kRings = 41;  // every half unit from the shoulder to the wrist
    constexpr double kStep = 0.5;
    GuessSkeleton skeleton;
    for (Vector& joint : skeleton.joints) {
        joint = Vector(0, 0, 100);
    }
    skeleton.joints[boneTable[kLeftUpperArm].startJoint] = Vector(0, 0, 0);
    skeleton.joints[boneTable[kLeftUpperArm].endJoint] = Vector(10, 0, 0);
    skeleton.joints[boneTable[kLeftLowerArm].endJoint] = Vector(20, 0, 0);
    skeleton.eligible[kLeftUpperArm] = skeleton.eligible[kLeftLowerArm] = true;
    auto mesh = std::make_unique<MeshData>();
    for (int ring = 0; ring < kRings; ++ring) {
        for (int side = 0; side < kSides; ++side) {
            const double angle = 2.0 * std::numbers::pi * side / kSides;
            mesh->AddVertex(Vector(ring * kStep, std::cos(angle), std::sin(angle)));
        }
    }
    BoneBindings bindings;
    for (int ring = 0; ring + 1 < kRings; ++ring) {
        for (int side = 0; side < kSides; ++side) {
            const int a = ring * kSides + side;
            const int b = ring * kSides + (side + 1) % kSides;
            const double middle = (ring + 0.5) * kStep;
            const int bone =
                middle > 10.0 + (side % 2 ? 0.75 : -0.75) ? kLeftLowerArm : kLeftUpperArm;
            bindings[bone].SetBit(mesh->AddTriangle(a, b, b + kSides, 0, 0, 0));
            bindings[bone].SetBit(mesh->AddTriangle(a, b + kSides, a + kSides, 0, 0, 0));
        }
    }

    const int freed = FreeLimbSeams(*mesh, skeleton, bindings);
    EXPECT_GT(freed, 0);
    EXPECT_EQ(BindUnboundTriangles(*mesh, skeleton, bindings).bound, freed);
    for (int ring = 0; ring + 1 < kRings; ++ring) {
        const double middle = (ring + 0.5) * kStep;
        // The two rings beside the elbow may go either way, each whole.
        const int expected = std::fabs(middle - 10.0) < kStep ? BoneOf(bindings, ring * 2 * kSides)
                             : middle < 10.0                  ? kLeftUpperArm
                                                              : kLeftLowerArm;
        for (int t = ring * 2 * kSides; t < (ring + 1) * 2 * kSides; ++t) {
            EXPECT_EQ(BoneOf(bindings, t), expected) << "ring at " << middle;
        }
    }
}
