#include <gtest/gtest.h>

#include <memory>

#include "editor/model/connected_triangles.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_record.h"
#include "editor/model/winding.h"
#include "sample_meshes.h"
#include "winding_reference.h"

using namespace ::editor::model;

namespace {

std::array<int, 3> Corners(const MeshData& mesh, int t) {
    std::array<int, 3> c{};
    mesh.GetTriangle(t, c[0], c[1], c[2]);
    return c;
}

std::unique_ptr<MeshData> FourPoints() {
    auto mesh = std::make_unique<MeshData>();
    mesh->AddVertex(Vector(0, 0, 0));
    mesh->AddVertex(Vector(1, 0, 0));
    mesh->AddVertex(Vector(0, 1, 0));
    mesh->AddVertex(Vector(0, 0, 1));
    return mesh;
}

TEST(Winding, MatchWindingReversesATriangleRunningASharedEdgeTheSameWay) {
    auto mesh = FourPoints();
    mesh->AddTriangle(0, 1, 2, 0, 1, 2);
    mesh->AddTriangle(0, 1, 3, 4, 5, 6);
    EXPECT_EQ(MatchWinding(*mesh, 1, 0, nullptr), 1);
    EXPECT_EQ(Corners(*mesh, 1), (std::array<int, 3>{3, 1, 0}));
    int ta, tb, tc;
    mesh->GetTexTriangle(1, ta, tb, tc);
    EXPECT_EQ((std::array<int, 3>{ta, tb, tc}), (std::array<int, 3>{6, 5, 4}));
    EXPECT_EQ(MatchWinding(*mesh, 1, 0, nullptr), 0) << "now they agree";
}

TEST(Winding, ReversingKeepsTheRecordInStep) {
    auto mesh = FourPoints();
    mesh->AddTriangle(0, 1, 2, 0, 0, 0);
    auto records = BuildTriangleRecords(*mesh);
    EXPECT_FLOAT_EQ(records[0].normal.z, 1.0f);
    ReverseWinding(*mesh, 0, &records[0]);
    EXPECT_FLOAT_EQ(records[0].normal.z, -1.0f);
    ReverseAllTriangles(*mesh);
    EXPECT_EQ(Corners(*mesh, 0), (std::array<int, 3>{0, 1, 2}));
}

TEST(Winding, RayHitsOnlyInsideTheTriangleAndInFrontOfTheOrigin) {
    const TriangleRecord record =
        MakeTriangleRecord(Vector(0, 0, 0), Vector(4, 0, 0), Vector(0, 4, 0));
    Vector hit;
    EXPECT_TRUE(RayHitsTriangle(record, Vector(1, 1, 5), Vector(0, 0, -1), hit));
    EXPECT_EQ(hit, Vector(1, 1, 0));
    EXPECT_TRUE(RayHitsTriangle(record, Vector(0, 0, -5), Vector(0, 0, 1), hit)) << "a corner";
    EXPECT_FALSE(RayHitsTriangle(record, Vector(3, 3, 5), Vector(0, 0, -1), hit));
    EXPECT_FALSE(RayHitsTriangle(record, Vector(1, 1, 5), Vector(0, 0, 1), hit)) << "behind";
    EXPECT_FALSE(RayHitsTriangle(record, Vector(1, 1, 5), Vector(1, 0, 0), hit)) << "parallel";
}

TEST(Winding, TriangleNeighboursListsEachSharedEdgeAndCountsBeyondTheCapacity) {
    auto mesh = FourPoints();
    mesh->AddTriangle(0, 1, 2, 0, 0, 0);
    mesh->AddTriangle(1, 0, 3, 0, 0, 0);
    mesh->AddTriangle(2, 1, 3, 0, 0, 0);
    mesh->AddTriangle(0, 2, 3, 0, 0, 0);
    mesh->AddVertex(Vector(5, 5, 5));
    mesh->AddVertex(Vector(6, 5, 5));
    mesh->AddVertex(Vector(5, 6, 5));
    mesh->AddTriangle(4, 5, 6, 0, 0, 0);
    int list[2] = {-1, -1};
    EXPECT_EQ(TriangleNeighbours(*mesh, 0, list, 2), 3);
    EXPECT_EQ(list[0], 1);
    EXPECT_EQ(list[1], 2);
    EXPECT_EQ(TriangleNeighbours(*mesh, 4, list, 2), 0);
}

TEST(Winding, OrientNeighboursAgreesWithThePlainWalk) {
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        auto fast = std::make_unique<MeshData>();
        auto plain = std::make_unique<MeshData>();
        for (MeshData* m : {fast.get(), plain.get()}) {
            AddSphere(*m, 0, 0, 0, 10, 7, 9, 0.2, seed);
            AddTorus(*m, 30, 0, 0, 8, 3, 8, 5);
            AddGrid(*m, 5, 10, 20);
            ScrambleWinding(*m, seed);
        }
        TriangleSet candidatesFast, candidatesPlain;
        candidatesFast.SetRange(0, fast->faceCount);
        candidatesFast.ClearRange(seed * 7, 5);
        candidatesPlain.CopyFrom(candidatesFast);
        const int seedTriangle = static_cast<int>(seed * 11);
        EXPECT_EQ(OrientNeighbours(*fast, seedTriangle, candidatesFast, nullptr),
                  ReferenceOrientNeighbours(*plain, seedTriangle, candidatesPlain, nullptr));
        EXPECT_TRUE(candidatesFast.Equals(candidatesPlain));
        EXPECT_EQ(std::memcmp(fast->faces, plain->faces, sizeof fast->faces), 0);
        for (int t = 0; t < fast->faceCount; t += 13) {
            int a[8], b[8];
            const int found = TriangleNeighbours(*fast, t, a, 8);
            ASSERT_EQ(found, ReferenceTriangleNeighbours(*plain, t, b, 8));
            for (int i = 0; i < std::min(found, 8); ++i) {
                EXPECT_EQ(a[i], b[i]);
            }
        }
    }
}

TEST(Winding, OrientByNormalsTurnsTrianglesToTheirCornersNormals) {
    auto mesh = FourPoints();
    mesh->AddTriangle(0, 1, 2, 0, 0, 0);  // faces +z
    mesh->AddTriangle(0, 2, 1, 0, 0, 0);  // faces -z
    ASSERT_TRUE(mesh->AllocNormalIndices());
    // Entry 2 of the normal table points mostly along +z.
    for (int v = 0; v < 4; ++v) {
        mesh->normalIndices[v] = 2;
    }
    OrientByNormals(*mesh, 0);
    OrientByNormals(*mesh, 1);
    EXPECT_EQ(Corners(*mesh, 0), (std::array<int, 3>{0, 1, 2}));
    EXPECT_EQ(Corners(*mesh, 1), (std::array<int, 3>{1, 2, 0}));
    // Indices past the table's end count for nothing instead of reading beyond it.
    mesh->normalIndices[0] = mesh->normalIndices[1] = mesh->normalIndices[2] = 200;
    OrientByNormals(*mesh, 0);
    EXPECT_EQ(Corners(*mesh, 0), (std::array<int, 3>{0, 1, 2}));
}

TEST(ConnectedTriangles, CollectsAroundTheSeedOrThroughSharedCornersWithinTheAllowedSet) {
    auto mesh = std::make_unique<MeshData>();
    AddGrid(*mesh, 3, 3, 0);  // 9 cells, 18 triangles, vertices 0..15
    AddGrid(*mesh, 1, 1, 5);  // apart: vertices 16..19
    TriangleSet allowed, result;
    allowed.SetRange(0, mesh->faceCount);
    EXPECT_EQ(CollectConnectedTriangles(*mesh, result, allowed, 0, false), 2);
    EXPECT_EQ(CollectConnectedTriangles(*mesh, result, allowed, 0, true), 18);
    EXPECT_FALSE(result.Test(18));
    // Without the middle row the walk cannot cross it.
    allowed.ClearRange(6, 6);
    EXPECT_EQ(CollectConnectedTriangles(*mesh, result, allowed, 0, true), 6);
    EXPECT_EQ(CollectConnectedTriangles(*mesh, result, allowed, 17, true), 2);
    EXPECT_EQ(CollectConnectedTriangles(*mesh, result, allowed, 9999, true), 0);
}

}  // namespace
