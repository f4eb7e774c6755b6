#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "editor/model/mesh_data.h"
#include "editor/model/visibility_pass.h"
#include "editor/model/winding.h"
#include "sample_meshes.h"
#include "winding_reference.h"

using namespace ::editor::model;

namespace {

using MeshMaker = std::function<void(MeshData&)>;

std::unique_ptr<MeshData> Make(const MeshMaker& make) {
    auto mesh = std::make_unique<MeshData>();
    make(*mesh);
    return mesh;
}

void ExpectSameTriangles(const MeshData& fast, const MeshData& reference) {
    ASSERT_EQ(fast.faceCount, reference.faceCount);
    const std::size_t words = static_cast<std::size_t>(fast.faceCount) * 4 + 1;
    EXPECT_EQ(std::memcmp(fast.faces, reference.faces, words * sizeof(int32_t)), 0);
    EXPECT_EQ(std::memcmp(fast.texFaces, reference.texFaces, words * sizeof(int32_t)), 0);
}

// The whole pass and its first step on their own, against the plain versions.
void ExpectPassMatchesReference(const MeshMaker& make) {
    auto fast = Make(make);
    auto reference = Make(make);
    ASSERT_TRUE(OrientByVisibility(*fast));
    ASSERT_TRUE(ReferenceOrientByVisibility(*reference));
    ExpectSameTriangles(*fast, *reference);

    for (bool onlyRemaining : {false, true}) {
        auto one = Make(make);
        auto two = Make(make);
        auto recordsOne = BuildTriangleRecords(*one);
        auto recordsTwo = BuildTriangleRecords(*two);
        TriangleSet remainingOne, remainingTwo;
        remainingOne.SetRange(0, one->faceCount);
        remainingTwo.SetRange(0, two->faceCount);
        const Vector viewpoint = VISIBILITY_VIEWPOINTS[3];
        EXPECT_EQ(
            OrientVisibleTriangles(*one, viewpoint, recordsOne.get(), remainingOne, onlyRemaining),
            ReferenceOrientVisibleTriangles(*two, viewpoint, recordsTwo.get(), remainingTwo,
                                            onlyRemaining));
        EXPECT_TRUE(remainingOne.Equals(remainingTwo));
        ExpectSameTriangles(*one, *two);
    }
}

TEST(VisibilityPass, MatchesThePlainPassOnClosedMeshes) {
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(seed);
        ExpectPassMatchesReference([seed](MeshData& m) {
            AddSphere(m, 0, 0, 0, 30, 10, 14, 0.3, seed);
            AddSphere(m, 50, 10, -5, 12, 6, 8, 0.5, seed + 100);
            // A sphere inside another: seen only through the outer one.
            AddSphere(m, 0, 0, 0, 8, 5, 6, 0.1, seed + 200);
            AddTorus(m, -40, 30, 20, 15, 5, 10, 6);
            ScrambleWinding(m, seed);
        });
    }
}

TEST(VisibilityPass, MatchesThePlainPassOnOpenMeshesSoupsAndDegenerateTriangles) {
    for (uint32_t seed = 1; seed <= 3; ++seed) {
        SCOPED_TRACE(seed);
        ExpectPassMatchesReference([seed](MeshData& m) {
            AddGrid(m, 8, 40, -10);
            AddTriangleSoup(m, 60, 30, seed);
            AddDegenerateTriangles(m, seed);
            AddSphere(m, 10, 0, 30, 10, 5, 7, 0.4, seed);
            // Half a sphere: drop its last triangles.
            m.faceCount -= 20;
            m.faces[m.faceCount * 4] = 0;
            m.texFaces[m.faceCount * 4] = 0;
            ScrambleWinding(m, seed + 7);
        });
    }
}

// Viewpoints inside a mesh this large cannot project it; the pass must still agree.
TEST(VisibilityPass, MatchesThePlainPassWhenTheViewpointsLieInsideTheMesh) {
    ExpectPassMatchesReference([](MeshData& m) {
        AddSphere(m, 0, 0, 0, 30000, 6, 8, 0.2, 9);
        AddTriangleSoup(m, 20, 15000, 5);
        ScrambleWinding(m, 3);
    });
}

TEST(VisibilityPass, AHalfInvertedClosedCubeEndsWithEveryNormalOutwards) {
    auto mesh = std::make_unique<MeshData>();
    const double corners[8][3] = {{-10, -10, -10}, {-10, -10, 10}, {10, -10, 10}, {10, -10, -10},
                                  {-10, 10, -10},  {-10, 10, 10},  {10, 10, 10},  {10, 10, -10}};
    for (const auto& c : corners) {
        mesh->AddVertex(Vector(c[0], c[1], c[2]));
    }
    const int triangles[12][3] = {{0, 3, 2}, {0, 2, 1}, {3, 7, 6}, {3, 6, 2}, {4, 5, 6}, {4, 6, 7},
                                  {0, 1, 5}, {0, 5, 4}, {0, 4, 7}, {0, 7, 3}, {2, 6, 5}, {2, 5, 1}};
    for (int t = 0; t < 12; ++t) {
        const int* c = triangles[t];
        // Every other triangle wound inwards.
        if (t % 2) {
            mesh->AddTriangle(c[2], c[1], c[0], 0, 0, 0);
        } else {
            mesh->AddTriangle(c[0], c[1], c[2], 0, 0, 0);
        }
    }
    ASSERT_TRUE(OrientByVisibility(*mesh));
    auto records = BuildTriangleRecords(*mesh);
    for (int t = 0; t < 12; ++t) {
        EXPECT_GT(records[t].normal.Dot(records[t].centre), 0.0) << t;
    }
}

TEST(VisibilityPass, ATriangleSeenEdgeOnStaysRemaining) {
    auto mesh = std::make_unique<MeshData>();
    // The plane x = y contains the first viewpoint's direction.
    mesh->AddVertex(Vector(0, 0, 0));
    mesh->AddVertex(Vector(5, 5, 0));
    mesh->AddVertex(Vector(0, 0, 5));
    mesh->AddTriangle(0, 1, 2, 0, 0, 0);
    auto records = BuildTriangleRecords(*mesh);
    TriangleSet remaining;
    remaining.SetBit(0);
    EXPECT_EQ(OrientVisibleTriangles(*mesh, Vector(-10000, -10000, -10000), records.get(),
                                     remaining, false),
              1);
    EXPECT_EQ(
        OrientVisibleTriangles(*mesh, Vector(10000, -10000, 0), records.get(), remaining, false),
        0);
}

}  // namespace
