#include <gtest/gtest.h>

#include <vector>

#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/view.h"

using namespace ::scene;

namespace {

void ExpectNear(const Vector& actual, const Vector& expected, double tolerance = 1e-3) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A square of side 20 about (x, 0, 0) in a plane square to the x axis, as two triangles:
// face 0 is the half below the diagonal from (-10, -10) to (10, 10) in (y, z), face 1 above.
void AddSquareAt(C3dShape& shape, double x) {
    const Vector vertices[] = {Vector(x, -10, -10), Vector(x, 10, -10), Vector(x, 10, 10),
                               Vector(x, -10, 10)};
    const uint32_t faces[] = {3, 0, 1, 2, 3, 0, 2, 3, 0};
    ASSERT_TRUE(shape.CreateFromFaces(vertices, 4, nullptr, 0, faces, std::size(faces)));
}

// The front camera preset: the camera at (-100, 0, 0) looking along +x with +z up. In a
// 400 x 300 view with the default field 0.5, a unit at distance 100 is 3 pixels, world +y runs
// to the right and +z up, and (0, 0, 0) is at pixel (200, 150).
class FrontViewTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(view.Create(400, 300));
        ASSERT_TRUE(view.SetScene(&scene));
        ASSERT_TRUE(scene.SetCameraPosition(Vector(-100, 0, 0)));
        ASSERT_TRUE(scene.SetCameraDirection(Vector(1, 0, 0), Vector(0, 0, 1)));
    }

    const C3dViewport& Viewport() { return *view.GetViewport(); }
    static double PixelX(double y) { return 200 + 3 * y; }
    static double PixelY(double z) { return 150 - 3 * z; }

    C3dScene scene;
    C3dView view;
};

TEST_F(FrontViewTest, ProjectionPlacesTheWorldAsThePresetShowsIt) {
    C3dVector4 p = Viewport().Transform(Vector(0, 10, 5));
    EXPECT_NEAR(p.x / p.w, PixelX(10), 1e-6);
    EXPECT_NEAR(p.y / p.w, PixelY(5), 1e-6);
    EXPECT_NEAR(p.w, 100.0, 1e-6);
    // Depth runs from 0 at the front plane to 1 at the back plane.
    C3dVector4 front = Viewport().Transform(Vector(-100 + Viewport().GetFront(), 0, 0));
    C3dVector4 back = Viewport().Transform(Vector(-100 + Viewport().GetBack(), 0, 0));
    EXPECT_NEAR(front.z / front.w, 0.0, 1e-9);
    EXPECT_NEAR(back.z / back.w, 1.0, 1e-9);
    Vector world;
    ASSERT_TRUE(Viewport().InverseTransform(p.x / p.w, p.y / p.w, p.z / p.w, world));
    ExpectNear(world, Vector(0, 10, 5));
}

TEST_F(FrontViewTest, RendererClipSpaceAgreesWithTheViewPositions) {
    const Vector points[] = {Vector(0, 10, 5), Vector(30, -7, 12), Vector(-50, 3, -20)};
    C3dMatrix clip = Viewport().GetClipMatrix() * Viewport().GetViewMatrix();
    for (const Vector& point : points) {
        C3dVector4 c = clip.TransformHomogeneous(point.x, point.y, point.z);
        C3dVector4 p = Viewport().Transform(point);
        EXPECT_NEAR((c.x / c.w + 1) / 2 * 400, p.x / p.w, 1e-6);
        EXPECT_NEAR((1 - c.y / c.w) / 2 * 300, p.y / p.w, 1e-6);
        // The ray through the view position passes through the point.
        C3dRay ray = Viewport().GetRay(p.x / p.w, p.y / p.w);
        Vector toPoint = Vector::Subtract(point, ray.origin);
        Vector across = Vector::Cross(toPoint, ray.direction);
        EXPECT_NEAR(across.Length(), 0.0, 1e-3);
    }
}

TEST_F(FrontViewTest, HitTestFindsTheFaceUnderThePosition) {
    C3dShape shape;
    AddSquareAt(shape, 0);
    scene.AddChild(&shape);
    int face = -2;
    Vector point;
    ASSERT_TRUE(shape.HitTest(PixelX(5), PixelY(-5), Viewport(), &face, &point));
    EXPECT_EQ(face, 0);
    ExpectNear(point, Vector(0, 5, -5));
    ASSERT_TRUE(shape.HitTest(PixelX(-5), PixelY(5), Viewport(), &face, &point));
    EXPECT_EQ(face, 1);
    ExpectNear(point, Vector(0, -5, 5));
}

TEST_F(FrontViewTest, HitTestBesideTheShapeFindsNothing) {
    C3dShape shape;
    AddSquareAt(shape, 0);
    scene.AddChild(&shape);
    int face = 7;
    EXPECT_FALSE(shape.HitTest(PixelX(20), PixelY(0), Viewport(), &face));
    EXPECT_EQ(face, -1);
    // A shape without faces fails too.
    C3dShape empty;
    scene.AddChild(&empty);
    EXPECT_FALSE(empty.HitTest(PixelX(0), PixelY(0), Viewport(), &face));
}

TEST_F(FrontViewTest, HitTestTakesTheNearestOfOverlappingFaces) {
    // The far square first, so the nearer one does not win by coming first.
    C3dShape shape;
    AddSquareAt(shape, 0);
    AddSquareAt(shape, -5);
    // Moved and turned, so the point must come back in the shape's own coordinates.
    scene.AddChild(&shape);
    shape.SetPosition(Vector(10, 0, 0));
    shape.SetOrientation(Vector(0, 0, 1), Vector(0, 1, 0));
    ASSERT_TRUE(
        shape.SetTransform(C3dMatrix::AxisRotation(Vector(0, 1, 0), 0.3), C3dCombine::Before));
    Vector onNear = shape.LocalToWorld(Vector(-5, 3, -4));
    C3dVector4 p = Viewport().Transform(onNear);
    int face = -1;
    Vector point;
    ASSERT_TRUE(shape.HitTest(p.x / p.w, p.y / p.w, Viewport(), &face, &point));
    EXPECT_EQ(face, 2);
    ExpectNear(point, Vector(-5, 3, -4));
}

TEST_F(FrontViewTest, PickReturnsTheFrontmostShape) {
    C3dShape back, front;
    AddSquareAt(back, 0);
    AddSquareAt(front, -20);
    scene.AddChild(&back);
    scene.AddChild(&front);
    EXPECT_EQ(view.Pick(200, 150), &front);
    std::vector<C3dPickHit> hits = view.PickAll(200, 150);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].shape, &front);
    EXPECT_EQ(hits[1].shape, &back);
    EXPECT_NEAR(hits[0].distance, 80.0, 1e-6);
    ExpectNear(hits[1].point, Vector(0, 0, 0));
    // The shape behind still answers a hit test: the editor uses it when the front one cannot
    // be selected.
    int face = -1;
    EXPECT_TRUE(back.HitTest(200 + 3, 150 + 3, Viewport(), &face));
    EXPECT_EQ(face, 0);
    // Hidden frames are neither drawn nor picked.
    front.SetVisible(false);
    EXPECT_EQ(view.Pick(200, 150), &back);
    EXPECT_EQ(view.Pick(5, 5), nullptr);
}

TEST_F(FrontViewTest, PickSeesOnlyBetweenTheClippingPlanes) {
    C3dShape behind, beyond, child;
    AddSquareAt(behind, -150);
    AddSquareAt(beyond, -100 + Viewport().GetBack() + 10);
    scene.AddChild(&behind);
    scene.AddChild(&beyond);
    EXPECT_EQ(view.Pick(200, 150), nullptr);
    // Shapes deeper in the tree are found, through their parents' transforms.
    AddSquareAt(child, 0);
    behind.AddChild(&child);
    behind.SetPosition(Vector(150, 0, 0));
    EXPECT_EQ(view.Pick(200, 150), &behind);
    behind.SetVisible(false);
    EXPECT_EQ(view.Pick(200, 150), nullptr);
}

TEST_F(FrontViewTest, ClickCallsThePickCallbackWhileEnabled) {
    struct Click {
        C3dShape* shape = nullptr;
        int x = -1, y = -1, count = 0;
    } click;
    auto record = [](C3dShape* shape, int x, int y, void* argument) {
        auto* c = static_cast<Click*>(argument);
        c->shape = shape;
        c->x = x;
        c->y = y;
        ++c->count;
    };
    C3dShape shape;
    AddSquareAt(shape, 0);
    scene.AddChild(&shape);
    view.SetPickCallback(record, &click, true);
    view.OnLeftButtonDown(210, 140);
    EXPECT_EQ(click.shape, &shape);
    EXPECT_EQ(click.x, 210);
    EXPECT_EQ(click.y, 140);
    view.OnLeftButtonDown(1, 1);
    EXPECT_EQ(click.shape, nullptr);
    view.EnablePick(false);
    view.OnLeftButtonDown(210, 140);
    EXPECT_EQ(click.count, 2);
}

}  // namespace
