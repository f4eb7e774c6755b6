#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "editor/groups/bone_guess.h"
#include "editor/io/import_mesh.h"
#include "editor/model/mesh_data.h"
#include "scene/shape.h"
#include "tests/editor/groups/character_mesh.h"
#include "tests/editor/groups/guess_reference.h"
#include "tests/editor/model/sample_meshes.h"

using namespace ::editor::groups;
using namespace ::editor::model;

namespace {

std::string Describe(const TriangleSet& set) {
    std::string text;
    set.ForEachSet([&text](int t) { text += std::to_string(t) + " "; });
    return text;
}

// Runs both guesses from the same bindings and compares every bone and every status line.
void ExpectSameGuess(const MeshData& mesh, const GuessSkeleton& skeleton,
                     const TriangleSet& assignable, const BoneBindings& before) {
    BoneBindings fast = before;
    std::vector<int> fastStatus;
    GuessBindings(mesh, skeleton, assignable, fast,
                  [&fastStatus](int bone) { fastStatus.push_back(bone); });
    BoneBindings reference = before;
    std::vector<int> referenceStatus;
    GuessBindingsReference(mesh, skeleton, assignable, reference, referenceStatus);
    int bound = 0;
    for (int b = 0; b < NUM_BONES; ++b) {
        EXPECT_TRUE(fast[b].Equals(reference[b]))
            << "bone " << b << "\n fast:      " << Describe(fast[b])
            << "\n reference: " << Describe(reference[b]);
        bound += fast[b].Count();
    }
    EXPECT_EQ(fastStatus, referenceStatus);
    // A guess that binds nothing proves little.
    EXPECT_GT(bound, 0);
}

class GuessEquality : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { skeleton_ = StartUpSkeleton(); }
    std::unique_ptr<MeshData> mesh_ = std::make_unique<MeshData>();
    static GuessSkeleton skeleton_;
};
GuessSkeleton GuessEquality::skeleton_;

TEST_F(GuessEquality, CharacterAroundTheStartUpSkeleton) {
    AddCharacterMesh(*mesh_, skeleton_, 7);
    ASSERT_EQ(mesh_->TriangleCount(), 2048);
    ExpectSameGuess(*mesh_, skeleton_, AllTriangles(*mesh_), BoneBindings());
}

TEST_F(GuessEquality, PartOfTheMeshAssignableAndBonesLeftOut) {
    AddCharacterMesh(*mesh_, skeleton_, 11);
    GuessSkeleton skeleton = skeleton_;
    // Bones left out keep what they had, and their triangles steer the growth.
    BoneBindings before;
    for (int b : {2, 9, 17, 26}) {
        skeleton.eligible[b] = false;
        before[b].SetRange(b * 54, 40);
    }
    TriangleSet assignable = AllTriangles(*mesh_);
    assignable.ClearRange(300, 1000);
    ExpectSameGuess(*mesh_, skeleton, assignable, before);
}

TEST_F(GuessEquality, RealCharacterOverTheSkeleton) {
    const std::string path = "/usr/share/assimp/models/MD2/sydney.md2";
    scene::C3dShape shape;
    if (!editor::io::ImportMesh(shape, *mesh_, path, nullptr)) {
        GTEST_SKIP() << path << " is not installed (assimp-testmodels)";
    }
    FitOverSkeleton(*mesh_, skeleton_);
    ExpectSameGuess(*mesh_, skeleton_, AllTriangles(*mesh_), BoneBindings());
}

// Random triangles of every size and shape around the skeleton, some sharing corners, some
// slivers and some degenerate.
void AddSoupAroundSkeleton(MeshData& mesh, int count, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> place(-1.0, 1.0);
    std::uniform_real_distribution<double> size(0.2, 12.0);
    auto near = [&](const Vector& centre, double spread) {
        return Vector(centre.x + spread * place(random), centre.y + spread * place(random),
                      centre.z + spread * place(random));
    };
    for (int i = 0; i < count; ++i) {
        const Vector centre = Vector(30 * place(random), 30 * place(random), 35 * place(random));
        const double spread = size(random);
        int a = mesh.AddVertex(near(centre, spread));
        if (a < 0) {
            break;  // the mesh is full
        }
        // Every third triangle reuses an earlier corner, so some triangles share edges.
        int b = (i % 3 == 0 && a > 10) ? a - 1 - static_cast<int>(random() % 10)
                                       : mesh.AddVertex(near(centre, spread));
        if (b < 0) {
            break;
        }
        int c = mesh.AddVertex(
            i % 17 == 0 ? Vector::Scaled(Vector::Add(mesh.vertices[a], mesh.vertices[b]), 0.5)
                        : near(centre, spread));
        mesh.AddTriangle(a, b, c, 0, 0, 0);
    }
}

TEST_F(GuessEquality, RandomTriangleSoups) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        mesh_->Clear();
        AddSoupAroundSkeleton(*mesh_, 1500, seed);
        AddDegenerateTriangles(*mesh_, seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        ExpectSameGuess(*mesh_, skeleton_, AllTriangles(*mesh_), BoneBindings());
    }
}

TEST(EdgeNeighbours, MatchTheWalkOverEveryEdge) {
    auto mesh = std::make_unique<MeshData>();
    AddSphere(*mesh, 0, 0, 0, 10, 6, 8, 0.2, 3);
    AddDegenerateTriangles(*mesh, 5);
    // A fan of seven triangles on one edge: only five neighbours are kept.
    const int a = mesh->AddVertex(Vector(50, 0, 0));
    const int b = mesh->AddVertex(Vector(50, 0, 10));
    for (int k = 0; k < 7; ++k) {
        const int c = mesh->AddVertex(Vector(55 + k, k, 5));
        mesh->AddTriangle(k % 2 ? a : b, k % 2 ? b : a, c, 0, 0, 0);
    }
    for (int t = 0; t < mesh->TriangleCount(); ++t) {
        int fast[MAX_EDGE_NEIGHBOURS], reference[MAX_EDGE_NEIGHBOURS];
        const int n = EdgeNeighbours(*mesh, t, fast);
        ASSERT_EQ(n, EdgeNeighboursReference(*mesh, t, reference)) << "triangle " << t;
        EXPECT_EQ(std::vector<int>(fast, fast + n), std::vector<int>(reference, reference + n));
    }
}

TEST(CuttingPlanes, ABoneWithoutEligibleChildIsCappedPastItsEnd) {
    GuessSkeleton skeleton;
    skeleton.joints[0] = Vector(0, 0, 0);   // left pelvis runs from joint 0 to joint 1
    skeleton.joints[1] = Vector(0, 0, 10);  // left thigh from joint 1 to joint 2
    skeleton.joints[2] = Vector(0, 10, 10);
    skeleton.eligible[0] = true;
    BonePlanes capped = BoneCuttingPlanes(skeleton, 0);
    ASSERT_EQ(capped.count, 1);
    EXPECT_FLOAT_EQ(capped.planes[0].point.z, 13.3f);
    EXPECT_FLOAT_EQ(capped.planes[0].normal.z, 1.0f);
    EXPECT_LT(capped.planes[0].side, 0.0);

    skeleton.eligible[1] = true;  // now the thigh bisects the angle at joint 1
    BonePlanes bisected = BoneCuttingPlanes(skeleton, 0);
    ASSERT_GE(bisected.count, 1);
    EXPECT_FLOAT_EQ(bisected.planes[0].point.z, 10.0f);
    EXPECT_NEAR(bisected.planes[0].normal.y, -std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(bisected.planes[0].normal.z, -std::sqrt(0.5), 1e-6);
}

}  // namespace
