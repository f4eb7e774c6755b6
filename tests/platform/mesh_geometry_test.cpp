#include "platform/mesh_geometry.h"

#include <gtest/gtest.h>

#include "scene/mesh.h"
#include "scene/texture.h"

using namespace ::platform;
using namespace ::scene;

namespace {

struct Corner {
    float x, y, z, nx, ny, nz, r, g, b, u, v;
};

Corner At(const std::vector<float>& data, int vertex) {
    const float* p = data.data() + vertex * kFloatsPerVertex;
    return {p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9], p[10]};
}

// A quad and a triangle beside it.
C3dMesh QuadAndTriangle() {
    const std::vector<Vector> vertices = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {2, 0, 0}};
    const std::vector<uint32_t> faces = {4, 0, 1, 2, 3, 3, 3, 2, 4, 0};
    C3dMesh mesh;
    EXPECT_TRUE(mesh.AddFaces(vertices, {}, faces));
    return mesh;
}

}  // namespace

TEST(MeshGeometry, FansFacesIntoTrianglesWithTheirOwnColours) {
    C3dMesh mesh = QuadAndTriangle();
    mesh.SetFaceColor(0, C3dColor{1, 0, 0});
    mesh.SetFaceColor(1, C3dColor{0, 0, 1});
    const MeshGeometry geometry = BuildMeshGeometry(mesh);
    ASSERT_EQ(geometry.TriangleVertexCount(), 9);
    ASSERT_EQ(geometry.batches.size(), 1u);
    EXPECT_EQ(geometry.batches[0].texture, nullptr);
    EXPECT_EQ(geometry.batches[0].vertexCount, 9);
    // The quad's fan: (0, 1, 2), (0, 2, 3), all red; then the blue triangle.
    const int expected[] = {0, 1, 2, 0, 2, 3};
    const std::vector<Vector>& vertices = mesh.Vertices();
    for (int i = 0; i < 6; ++i) {
        const Corner corner = At(geometry.triangles, i);
        EXPECT_EQ(corner.x, vertices[expected[i]].x) << i;
        EXPECT_EQ(corner.y, vertices[expected[i]].y) << i;
        EXPECT_EQ(corner.r, 1.0f);
        EXPECT_EQ(corner.b, 0.0f);
    }
    EXPECT_EQ(At(geometry.triangles, 6).b, 1.0f);
    EXPECT_EQ(At(geometry.triangles, 6).r, 0.0f);
}

TEST(MeshGeometry, OutlinesEveryEdgeOfEveryFace) {
    const MeshGeometry geometry = BuildMeshGeometry(QuadAndTriangle());
    // 4 + 3 edges, two ends each.
    EXPECT_EQ(geometry.LineVertexCount(), 14);
    const Corner closingStart = At(geometry.lines, 6);
    const Corner closingEnd = At(geometry.lines, 7);
    EXPECT_EQ(closingStart.x, 1.0f);  // vertex 3 back to vertex 0
    EXPECT_EQ(closingEnd.x, 0.0f);
    EXPECT_EQ(closingEnd.y, 0.0f);
}

TEST(MeshGeometry, GroupsFacesByTextureAndFlipsSkinRows) {
    C3dMesh mesh = QuadAndTriangle();
    mesh.SetTexCoord(4, 0.25f, 0.25f);
    C3dTexture texture;
    mesh.SetFaceTexture(1, 1, &texture);
    const MeshGeometry geometry = BuildMeshGeometry(mesh);
    ASSERT_EQ(geometry.batches.size(), 2u);
    int textured = geometry.batches[0].texture == &texture ? 0 : 1;
    EXPECT_EQ(geometry.batches[textured].vertexCount, 3);
    EXPECT_EQ(geometry.batches[1 - textured].vertexCount, 6);
    // The triangle's last corner is vertex 4.
    const Corner corner = At(geometry.triangles, geometry.batches[textured].firstVertex + 2);
    EXPECT_FLOAT_EQ(corner.u, 0.25f);
    EXPECT_FLOAT_EQ(corner.v, 0.75f);
}

TEST(MeshGeometry, CornersUseGivenNormalsElseTheFaceNormal) {
    C3dMesh plain = QuadAndTriangle();
    const Vector faceNormal = plain.FaceNormal(0);
    const Corner first = At(BuildMeshGeometry(plain).triangles, 0);
    EXPECT_FLOAT_EQ(first.nx, faceNormal.x);
    EXPECT_FLOAT_EQ(first.ny, faceNormal.y);
    EXPECT_FLOAT_EQ(first.nz, faceNormal.z);

    const std::vector<Vector> vertices = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}};
    const std::vector<Vector> normals = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const std::vector<uint32_t> faces = {3, 0, 2, 1, 1, 2, 0, 0};
    C3dMesh withNormals;
    ASSERT_TRUE(withNormals.AddFaces(vertices, normals, faces));
    const MeshGeometry geometry = BuildMeshGeometry(withNormals);
    EXPECT_EQ(At(geometry.triangles, 0).nz, 1.0f);
    EXPECT_EQ(At(geometry.triangles, 1).ny, 1.0f);
    EXPECT_EQ(At(geometry.triangles, 2).nx, 1.0f);
}

TEST(MeshGeometry, EmptyMeshGivesNothingToDraw) {
    const MeshGeometry geometry = BuildMeshGeometry(C3dMesh());
    EXPECT_EQ(geometry.TriangleVertexCount(), 0);
    EXPECT_EQ(geometry.LineVertexCount(), 0);
    EXPECT_TRUE(geometry.batches.empty());
}
