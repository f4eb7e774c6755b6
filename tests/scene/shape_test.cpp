#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "scene/shape.h"
#include "scene/texture.h"

using namespace ::scene;

namespace {

void ExpectNear(const Vector& actual, const Vector& expected, double tolerance = 1e-4) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A square in the x = 0 plane as two triangles in the editor's face layout.
const Vector SQUARE[] = {Vector(0, -10, -10), Vector(0, 10, -10), Vector(0, 10, 10),
                         Vector(0, -10, 10)};
const int32_t SQUARE_FACES[] = {3, 0, 1, 2, 3, 0, 2, 3, 0};

bool MakeSquare(C3dShape& shape) {
    return shape.CreateFromFaces(SQUARE, 4, nullptr, 0, SQUARE_FACES, std::size(SQUARE_FACES));
}

// Every edge of a closed surface is used once in each direction.
bool IsClosedAndConsistent(const C3dMesh& mesh) {
    std::map<std::pair<int, int>, int> edges;
    for (int f = 0; f < mesh.GetFaceCount(); ++f) {
        std::span<const int> corners = mesh.FaceVertices(f);
        for (size_t k = 0; k < corners.size(); ++k) {
            ++edges[{corners[k], corners[(k + 1) % corners.size()]}];
        }
    }
    for (const auto& [edge, count] : edges) {
        if (count != 1 || edges.count({edge.second, edge.first}) != 1) {
            return false;
        }
    }
    return !edges.empty();
}

// Every face's normal points away from the axis (or the centre for a sphere).
bool FacesPointOutwards(const C3dMesh& mesh, bool fromCentre) {
    for (int f = 0; f < mesh.GetFaceCount(); ++f) {
        Vector centroid(0, 0, 0);
        for (int v : mesh.FaceVertices(f)) {
            centroid.AddInPlace(mesh.Vertices()[v]);
        }
        Vector out = fromCentre ? centroid : Vector(centroid.x, centroid.y, 0);
        Vector normal = mesh.FaceNormal(f);
        bool isCap = std::abs(normal.z) > 0.99 && !fromCentre;
        if (!isCap && normal.Dot(out) <= 0.0) {
            return false;
        }
    }
    return true;
}

TEST(ShapeTest, CreateFromFacesTakesTheEditorLayout) {
    C3dShape shape;
    EXPECT_EQ(shape.GetName(), "3D Shape");
    ASSERT_TRUE(MakeSquare(shape));
    EXPECT_EQ(shape.GetFaceCount(), 2);
    EXPECT_EQ(shape.GetVisual(), &shape.Mesh());
    EXPECT_TRUE(shape.Mesh().GetPerspective());
    // Clockwise from the front: (b - a) x (c - a) points along +x here.
    ExpectNear(shape.GetFaceNormal(0), Vector(1, 0, 0));
    ExpectNear(shape.GetFaceNormal(5), Vector(0, 0, 1));
    ExpectNear(shape.GetFaceNormal(-1), Vector(0, 0, 1));
    // Generated normals: one per vertex, all along the plane's normal.
    ASSERT_EQ(shape.Mesh().Normals().size(), 4u);
    for (int n : shape.Mesh().FaceNormals(1)) {
        ExpectNear(shape.Mesh().Normals()[n], Vector(1, 0, 0));
    }
    // Seven words per triangle in the vertex/normal pair layout, plus the end.
    EXPECT_EQ(shape.Mesh().GetFaceDataSize(), 2 * 7 + 1);
    Vector min, max;
    ASSERT_TRUE(shape.GetBox(min, max));
    ExpectNear(min, Vector(0, -10, -10));
    ExpectNear(max, Vector(0, 10, 10));
}

TEST(ShapeTest, FacesAddedLaterKeepTheirOwnVertices) {
    C3dShape shape;
    ASSERT_TRUE(MakeSquare(shape));
    const Vector triangle[] = {Vector(5, 0, 0), Vector(5, 1, 0), Vector(5, 0, 1)};
    const uint32_t oneFace[] = {3, 0, 1, 2, 0};
    ASSERT_TRUE(shape.CreateFromFaces(triangle, 3, nullptr, 0, oneFace, 5, false));
    EXPECT_EQ(shape.GetFaceCount(), 3);
    std::span<const int> corners = shape.Mesh().FaceVertices(2);
    ASSERT_EQ(corners.size(), 3u);
    EXPECT_EQ(corners[0], 4);
    ExpectNear(shape.Mesh().Vertices()[corners[2]], Vector(5, 0, 1));
    // Without generated normals the new face's corners carry its face normal.
    ExpectNear(shape.Mesh().Normals()[shape.Mesh().FaceNormals(2)[0]], Vector(1, 0, 0));
}

TEST(ShapeTest, FaceListsWithNormalsUsePairs) {
    C3dShape shape;
    const Vector normals[] = {Vector(0, 0, -1)};
    const uint32_t faces[] = {3, 0, 0, 1, 0, 2, 0, 0};
    ASSERT_TRUE(shape.CreateFromFaces(SQUARE, 4, normals, 1, faces, std::size(faces)));
    EXPECT_EQ(shape.GetFaceCount(), 1);
    ASSERT_EQ(shape.Mesh().Normals().size(), 1u);
    ExpectNear(shape.Mesh().Normals()[0], Vector(0, 0, -1));
}

TEST(ShapeTest, BadFaceListsAreRefusedWithoutChange) {
    C3dShape shape;
    ASSERT_TRUE(MakeSquare(shape));
    uint64_t revision = shape.Mesh().GetRevision();
    const int32_t indexTooLarge[] = {3, 0, 1, 4, 0};
    const int32_t negativeIndex[] = {3, 0, -1, 2, 0};
    const int32_t tooFewCorners[] = {2, 0, 1, 0};
    const int32_t negativeCount[] = {-3, 0, 1, 2, 0};
    const int32_t noEnd[] = {3, 0, 1, 2};
    const int32_t countPastEnd[] = {3000000, 0, 1, 2, 0};
    const int32_t* lists[] = {indexTooLarge, negativeIndex, tooFewCorners,
                              negativeCount, noEnd,         countPastEnd};
    const size_t sizes[] = {5, 5, 4, 5, 4, 5};
    for (size_t i = 0; i < std::size(lists); ++i) {
        EXPECT_FALSE(shape.CreateFromFaces(SQUARE, 4, nullptr, 0, lists[i], sizes[i])) << i;
    }
    const Vector normals[] = {Vector(0, 0, 1)};
    const uint32_t badNormal[] = {3, 0, 0, 1, 1, 2, 0, 0};
    EXPECT_FALSE(shape.CreateFromFaces(SQUARE, 4, normals, 1, badNormal, 8));
    EXPECT_FALSE(shape.CreateFromFaces(SQUARE, -1, nullptr, 0, SQUARE_FACES, 9));
    EXPECT_FALSE(shape.CreateFromFaces(nullptr, 4, nullptr, 0, SQUARE_FACES, 9));
    EXPECT_EQ(shape.GetResult(), C3D_E_BADVALUE);
    EXPECT_EQ(shape.GetFaceCount(), 2);
    EXPECT_EQ(shape.Mesh().GetVertexCount(), 4);
    EXPECT_EQ(shape.Mesh().GetRevision(), revision);
}

TEST(ShapeTest, ColoursAndTexturesPerFace) {
    C3dShape shape;
    ASSERT_TRUE(MakeSquare(shape));
    ASSERT_TRUE(shape.SetColor(1, 1, 1));
    ASSERT_TRUE(shape.SetFaceColor(1, 1, 0, 0));
    EXPECT_FALSE(shape.SetFaceColor(2, 0, 1, 0));
    EXPECT_FALSE(shape.SetFaceColor(-1, 0, 1, 0));
    EXPECT_EQ(shape.Mesh().Faces()[0].color, (C3dColor{1, 1, 1}));
    EXPECT_EQ(shape.Mesh().Faces()[1].color, (C3dColor{1, 0, 0}));

    C3dTexture white, blue;
    ASSERT_TRUE(white.Create(C3D_RESOURCE_WHITE));
    ASSERT_TRUE(blue.Create(C3D_RESOURCE_BLUE));
    ASSERT_TRUE(shape.SetTexture(&white));
    ASSERT_TRUE(shape.SetFaceTexture(1, 1, &blue));
    EXPECT_EQ(shape.Mesh().Faces()[0].texture, &white);
    EXPECT_EQ(shape.Mesh().Faces()[1].texture, &blue);
    // Runs reaching outside the faces are refused whole.
    for (auto [first, count] : {std::pair{1, 5}, {2, 1}, {0, 0}, {-1, 2}, {1, 0x7fffffff}}) {
        EXPECT_FALSE(shape.SetFaceTexture(first, count, &blue)) << first << "+" << count;
    }
    EXPECT_EQ(shape.Mesh().Faces()[0].texture, &white);
}

TEST(ShapeTest, QualityPresetsAndReset) {
    C3dShape shape;
    ASSERT_TRUE(MakeSquare(shape));
    EXPECT_EQ(shape.GetQuality(), C3D_QUALITY_SOLID);
    ASSERT_TRUE(shape.SetQuality(C3D_QUALITY_WIREFRAME));
    EXPECT_EQ(shape.GetQuality(), 64);
    EXPECT_FALSE(shape.SetQuality(3));
    EXPECT_EQ(shape.GetQuality(), 64);

    C3dFrame child;
    shape.AddChild(&child);
    shape.SetName("model");
    shape.SetPosition(Vector(1, 2, 3));
    shape.SetOrientation(Vector(1, 0, 0), Vector(0, 0, 1));
    shape.SetRotation(Vector(0, 1, 0), 0.5);
    shape.Reset();
    EXPECT_EQ(shape.GetVisual(), nullptr);
    EXPECT_EQ(shape.GetFaceCount(), 0);
    EXPECT_TRUE(shape.GetChildren().empty());
    EXPECT_EQ(shape.GetName(), "3D Shape");
    EXPECT_EQ(shape.GetSpinAngle(), 0.0);
    Vector direction, up;
    shape.GetOrientation(nullptr, direction, up);
    ExpectNear(direction, Vector(0, 0, 1));
    ExpectNear(up, Vector(0, 1, 0));
    ExpectNear(shape.GetPosition(), Vector(0, 0, 0));
    Vector min, max;
    EXPECT_FALSE(shape.GetBox(min, max));
}

TEST(ShapeTest, PrimitivesAreClosedNamedAndFaceOutwards) {
    C3dShape shape;
    ASSERT_TRUE(shape.CreateSphere(2.0, 8));
    EXPECT_EQ(shape.GetName(), "Sphere");
    EXPECT_EQ(shape.GetFaceCount(), 2 * 8 + 2 * 8 * 6);
    EXPECT_TRUE(IsClosedAndConsistent(shape.Mesh()));
    EXPECT_TRUE(FacesPointOutwards(shape.Mesh(), true));
    Vector min, max;
    shape.GetBox(min, max);
    EXPECT_NEAR(min.z, -2.0, 1e-6);
    EXPECT_NEAR(max.z, 2.0, 1e-6);

    ASSERT_TRUE(shape.CreateTube(0.3, 0.3, 1.0, 8));
    EXPECT_EQ(shape.GetName(), "Tube");
    EXPECT_TRUE(IsClosedAndConsistent(shape.Mesh()));
    EXPECT_TRUE(FacesPointOutwards(shape.Mesh(), false));
    shape.GetBox(min, max);
    EXPECT_NEAR(min.x, -0.3, 1e-6);
    EXPECT_NEAR(min.z, 0.0, 1e-6);
    EXPECT_NEAR(max.z, 1.0, 1e-6);

    ASSERT_TRUE(shape.CreateTube(0.45, 0.0, 2.0, 8));
    EXPECT_EQ(shape.GetName(), "Cone");
    EXPECT_TRUE(IsClosedAndConsistent(shape.Mesh()));
    EXPECT_TRUE(FacesPointOutwards(shape.Mesh(), false));

    const Vector profile[] = {Vector(0, 0, -1), Vector(1, 0, 0), Vector(0.5, 0, 2)};
    ASSERT_TRUE(shape.CreateSolidOfRevolution(profile, 6));
    EXPECT_EQ(shape.GetName(), "Solid of revolution");
    EXPECT_TRUE(IsClosedAndConsistent(shape.Mesh()));
}

TEST(ShapeTest, TubeBetweenTwoPoints) {
    C3dShape shape;
    ASSERT_TRUE(shape.CreateTube(Vector(1, 1, 1), 0.15, Vector(1, 6, 1), 0.15, 8));
    EXPECT_EQ(shape.GetName(), "Tube");
    EXPECT_TRUE(IsClosedAndConsistent(shape.Mesh()));
    Vector min, max;
    shape.GetBox(min, max);
    EXPECT_NEAR(min.y, 1.0, 1e-5);
    EXPECT_NEAR(max.y, 6.0, 1e-5);
    EXPECT_NEAR(max.x, 1.15, 1e-5);
    // Outward: each side face's normal points away from the bar's axis.
    for (int f = 0; f < shape.GetFaceCount(); ++f) {
        Vector n = shape.GetFaceNormal(f);
        if (std::abs(n.y) > 0.99) {
            continue;
        }
        Vector corner = shape.Mesh().Vertices()[shape.Mesh().FaceVertices(f)[0]];
        EXPECT_GT(n.Dot(Vector(corner.x - 1, 0, corner.z - 1)), 0.0);
    }
}

TEST(ShapeTest, PrimitivesRefuseBadSizes) {
    C3dShape shape;
    ASSERT_TRUE(shape.CreateSphere(1.0, 3));
    EXPECT_FALSE(shape.CreateSphere(1.0, 2));
    EXPECT_FALSE(shape.CreateSphere(0.0, 8));
    EXPECT_FALSE(shape.CreateTube(0.0, 0.0, 1.0, 8));
    EXPECT_FALSE(shape.CreateTube(1.0, 1.0, 1.0, 1 << 20));
    EXPECT_FALSE(shape.CreateTube(Vector(1, 1, 1), 1.0, Vector(1, 1, 1), 1.0, 8));
    EXPECT_FALSE(shape.CreateSolidOfRevolution(std::span<const Vector>(), 8));
    // A refused build leaves the previous mesh.
    EXPECT_EQ(shape.GetName(), "Sphere");
    EXPECT_EQ(shape.GetFaceCount(), 2 * 3 + 2 * 3 * 1);
}

}  // namespace
