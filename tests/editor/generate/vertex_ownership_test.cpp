#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "editor/generate/body_parts.h"
#include "editor/groups/bone_guess.h"
#include "editor/model/model_document.h"
#include "tests/editor/generate/bound_meshes.h"
#include "tests/editor/generate/ownership_reference.h"
#include "tests/editor/groups/character_mesh.h"

using namespace ::editor::generate;
using namespace ::editor::groups;
using namespace ::editor::model;

namespace {

std::string Describe(const BitSet& set) {
    std::string text;
    set.ForEachSet([&text](int i) { text += std::to_string(i) + " "; });
    return text;
}

TriangleSet Triangles(std::initializer_list<int> list) {
    TriangleSet set;
    for (int t : list) {
        set.SetBit(t);
    }
    return set;
}

struct Binding {
    int bone;
    std::vector<int> triangles;
};

struct OwnershipCase {
    const char* name;
    std::vector<std::array<int, 3>> triangles;
    std::vector<Binding> bindings;
    int result;
    std::vector<int> highlight;
    // Expected vertex sets of the bones named (checked only on success).
    std::vector<std::pair<int, std::vector<int>>> owned;
};

// The bones of the left leg: thigh 1 and calf 2.
constexpr int THIGH = 1;
constexpr int CALF = 2;

const OwnershipCase OWNERSHIP_CASES[] = {
    {"every triangle bound once",
     {{0, 1, 2}, {1, 3, 2}},
     {{THIGH, {0}}, {CALF, {1}}},
     GENERATION_DONE,
     {},
     {{THIGH, {0, 1, 2}}, {CALF, {3}}}},
    {"seam stays with the lower bone whatever the triangle order",
     {{0, 1, 2}, {1, 3, 2}},
     {{CALF, {0}}, {THIGH, {1}}},
     GENERATION_DONE,
     {},
     {{THIGH, {1, 2, 3}}, {CALF, {0}}}},
    {"triangle bound twice",
     {{0, 1, 2}, {1, 3, 2}, {3, 4, 2}},
     {{THIGH, {0, 1}}, {CALF, {1, 2}}},
     GENERATION_SHARED_TRIANGLES,
     {1},
     {}},
    {"unbound triangle off every bone edge",
     {{0, 1, 2}, {2, 3, 4}, {1, 3, 5}},
     {{THIGH, {0, 1}}, {CALF, {}}},
     GENERATION_UNASSIGNED_TRIANGLES,
     {2},
     {}},
    {"unbound triangle on a bone edge with its third corner owned",
     {{0, 1, 2}, {1, 3, 2}, {3, 4, 5}},
     {{THIGH, {0}}, {CALF, {2}}},
     GENERATION_DONE,
     {},
     {{THIGH, {0, 1, 2}}, {CALF, {3, 4, 5}}}},
    {"unbound triangle on a bone edge with its third corner unowned",
     {{0, 1, 2}, {1, 3, 2}, {4, 5, 6}},
     {{THIGH, {0}}, {CALF, {2}}},
     GENERATION_UNOWNED_VERTICES,
     {1},
     {}},
    {"vertex of three bones goes to the lowest",
     {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}},
     {{5, {0}}, {3, {1}}, {4, {2}}},
     GENERATION_DONE,
     {},
     {{3, {0, 2, 3}}, {4, {4}}, {5, {1}}}},
};

class OwnershipCases : public ::testing::TestWithParam<OwnershipCase> {};

TEST_P(OwnershipCases, ResultHighlightAndOwners) {
    const OwnershipCase& c = GetParam();
    auto document = std::make_unique<ModelDocument>();
    auto mesh = std::make_unique<MeshData>();
    int corners = 0;
    for (const auto& t : c.triangles) {
        corners = std::max({corners, t[0] + 1, t[1] + 1, t[2] + 1});
    }
    for (int v = 0; v < corners; ++v) {
        mesh->AddVertex(Vector(v, v * v % 5, 0));
    }
    for (const auto& t : c.triangles) {
        mesh->AddTriangle(t[0], t[1], t[2], 0, 0, 0);
    }
    BoundTriangles bound;
    for (const Binding& binding : c.bindings) {
        for (int t : binding.triangles) {
            bound[binding.bone].SetBit(t);
        }
    }
    InstallModel(*document, *mesh, bound);
    ReferenceOwnership reference;
    AssignBoneVerticesReference(*document, reference);
    TriangleSet highlight;
    const int result = AssignBoneVertices(*document, highlight, nullptr);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(reference.result, c.result);
    if (result != GENERATION_DONE) {
        TriangleSet expected;
        for (int t : c.highlight) {
            expected.SetBit(t);
        }
        EXPECT_EQ(Describe(highlight), Describe(expected));
    }
    for (const auto& [bone, vertices] : c.owned) {
        VertexSet expected;
        for (int v : vertices) {
            expected.SetBit(v);
        }
        EXPECT_EQ(Describe(document->bones[bone].boundVertices), Describe(expected))
            << "bone " << bone;
    }
}

INSTANTIATE_TEST_SUITE_P(Generation, OwnershipCases, ::testing::ValuesIn(OWNERSHIP_CASES),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             }
                             return name;
                         });

TEST(Ownership, NoModelShapeIsNoMesh) {
    auto document = std::make_unique<ModelDocument>();
    document->bones[0].boundTriangles.SetBit(0);
    TriangleSet highlight = Triangles({5});
    EXPECT_EQ(AssignBoneVertices(*document, highlight, nullptr), GENERATION_NO_MESH);
}

// The looser reading takes a bone triangle touching either vertex as "having" the edge; it would
// let through an unbound triangle that bridges two separate triangles of one bone.
TEST(Ownership, ABoneHasAnEdgeOnlyWhenOneOfItsTrianglesHasBothEnds) {
    auto document = std::make_unique<ModelDocument>();
    auto mesh = std::make_unique<MeshData>();
    for (int v = 0; v < 6; ++v) {
        mesh->AddVertex(Vector(v, v % 2, 0));
    }
    mesh->AddTriangle(0, 1, 2, 0, 0, 0);
    mesh->AddTriangle(3, 4, 5, 0, 0, 0);
    mesh->AddTriangle(1, 3, 5, 0, 0, 0);  // unbound, between the two
    BoundTriangles bound;
    bound[THIGH] = Triangles({0, 1});
    InstallModel(*document, *mesh, bound);
    auto looser = [&](int va, int vb) {
        int p, q, r;
        for (int t = 0; t < 2; ++t) {
            document->model.mesh.GetTriangle(t, p, q, r);
            if (p == va || q == va || (r == va && p == vb) || q == vb || r == vb) {
                return t;
            }
        }
        return -1;
    };
    EXPECT_EQ(looser(1, 3), 0);
    EXPECT_EQ(BoneHasTriangleAt(*document, THIGH, 1, 3), -1);
    EXPECT_EQ(BoneHasTriangleAt(*document, THIGH, 2, 1), 0);
    EXPECT_EQ(BoneHasTriangleAt(*document, THIGH, 5, 3), 1);
    EXPECT_EQ(BoneHasTriangleAt(*document, CALF, 0, 1), -1);
    TriangleSet highlight;
    EXPECT_EQ(AssignBoneVertices(*document, highlight, nullptr), GENERATION_UNASSIGNED_TRIANGLES);
    EXPECT_TRUE(highlight.Equals(Triangles({2})));
}

// The fast assignment against the plain walk: same result, highlight, vertex sets and status
// lines, on meshes with seams everywhere and with every kind of fault.
class OwnershipEquality : public ::testing::Test {
  protected:
    void ExpectSame(const MeshData& mesh, const BoundTriangles& bound) {
        auto document = std::make_unique<ModelDocument>();
        InstallModel(*document, mesh, bound);
        ReferenceOwnership reference;
        AssignBoneVerticesReference(*document, reference);
        TriangleSet highlight;
        int seamLines = 0;
        const int result =
            AssignBoneVertices(*document, highlight, [&seamLines](const std::string& line) {
                seamLines += line.rfind("Checking edges common to '", 0) == 0 ? 1 : 0;
            });
        ASSERT_EQ(result, reference.result);
        EXPECT_EQ(seamLines, reference.statusLines);
        EXPECT_EQ(Describe(highlight), Describe(reference.highlight));
        // Before the vertex sets are built there is nothing more to compare.
        if (result == GENERATION_NO_MESH || result == GENERATION_SHARED_TRIANGLES) {
            return;
        }
        for (int b = 0; b < NUM_BONES; ++b) {
            EXPECT_EQ(Describe(document->bones[b].boundVertices), Describe(reference.vertices[b]))
                << "bone " << b;
        }
        ++compared_;
    }
    int compared_ = 0;
};

TEST_F(OwnershipEquality, SeamsBetweenEveryPairOfNeighbouringBones) {
    auto mesh = std::make_unique<MeshData>();
    BoundTriangles bound;
    AddNeighbourSeams(*mesh, bound);
    ExpectSame(*mesh, bound);
    EXPECT_EQ(compared_, 1);
}

TEST_F(OwnershipEquality, PatchGridsWithAndWithoutFaults) {
    struct Faults {
        int unbound, twice;
    };
    for (uint32_t seed : {1u, 2u, 3u}) {
        for (Faults faults : {Faults{0, 0}, Faults{3, 0}, Faults{40, 0}, Faults{0, 2}}) {
            auto mesh = std::make_unique<MeshData>();
            BoundTriangles bound;
            AddPatchGrid(*mesh, bound, seed, faults.unbound, faults.twice);
            SCOPED_TRACE("seed " + std::to_string(seed) + " unbound " +
                         std::to_string(faults.unbound) + " twice " + std::to_string(faults.twice));
            ExpectSame(*mesh, bound);
        }
    }
    EXPECT_GE(compared_, 3);
}

TEST_F(OwnershipEquality, CharacterBoundByTubesAndByTheGuess) {
    const GuessSkeleton skeleton = StartUpSkeleton();
    auto mesh = std::make_unique<MeshData>();
    AddCharacterMesh(*mesh, skeleton, 11);
    BoundTriangles tubes;
    BindCharacterTubes(*mesh, tubes);
    ExpectSame(*mesh, tubes);

    BoneBindings guessed;
    GuessBindings(*mesh, skeleton, AllTriangles(*mesh), guessed, [](int) {});
    BoundTriangles bound;
    for (int b = 0; b < NUM_BONES; ++b) {
        bound[b] = guessed[b];
    }
    ExpectSame(*mesh, bound);
}

}  // namespace
