#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "scene/frame.h"

using namespace ::scene;

namespace {

void ExpectNear(const Vector& actual, const Vector& expected, double tolerance = 1e-4) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectSameTransform(const C3dMatrix& a, const C3dMatrix& b, double tolerance = 1e-4) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(a.m[r][c], b.m[r][c], tolerance) << "element " << r << "," << c;
        }
    }
}

void Place(C3dFrame& frame, const Vector& position, const Vector& direction, const Vector& up) {
    ASSERT_TRUE(frame.SetPosition(position));
    ASSERT_TRUE(frame.SetOrientation(direction, up));
}

// root -> a -> b -> c, each turned and moved differently, plus an unrelated frame.
class FrameTreeTest : public testing::Test {
  protected:
    void SetUp() override {
        Place(root, Vector(5, -2, 1), Vector(1, 0, 0), Vector(0, 0, 1));
        ASSERT_TRUE(root.AddChild(&a));
        Place(a, Vector(1, 2, 3), Vector(0, 1, 1), Vector(1, 0, 0));
        ASSERT_TRUE(a.AddChild(&b));
        Place(b, Vector(-4, 0, 2), Vector(1, 1, 0), Vector(0, 0, 1));
        ASSERT_TRUE(b.AddChild(&c));
        Place(c, Vector(0.5, 0.5, 0.5), Vector(0, 0, -1), Vector(0, 1, 0));
        Place(other, Vector(7, 7, 7), Vector(0, -1, 0), Vector(1, 1, 0));
    }

    C3dFrame root, a, b, c, other;
};

TEST_F(FrameTreeTest, PlacementRoundTripsThroughEveryReferenceFrame) {
    C3dFrame* frames[] = {&a, &b, &c};
    const C3dFrame* refs[] = {nullptr, &root, &a, &b, &c, &other};
    for (C3dFrame* frame : frames) {
        for (const C3dFrame* ref : refs) {
            C3dMatrix before = frame->GetWorldTransform();
            Vector position = frame->GetPosition(ref);
            Vector direction, up;
            ASSERT_TRUE(frame->GetOrientation(ref, direction, up));
            ASSERT_TRUE(frame->SetPosition(position, ref));
            ASSERT_TRUE(frame->SetOrientation(direction, up, ref));
            ExpectSameTransform(frame->GetWorldTransform(), before);
        }
    }
}

TEST_F(FrameTreeTest, ReferenceFramesGiveWorldAnswers) {
    // Setting c's position in other's coordinates puts it where other's point is in the world.
    ASSERT_TRUE(c.SetPosition(Vector(1, 2, 3), &other));
    ExpectNear(c.LocalToWorld(Vector(0, 0, 0)), other.LocalToWorld(Vector(1, 2, 3)));
    ExpectNear(c.GetPosition(&other), Vector(1, 2, 3));
    // Orientation in root's coordinates: c's z axis is root's x axis in the world.
    ASSERT_TRUE(c.SetOrientation(Vector(1, 0, 0), Vector(0, 1, 0), &root));
    Vector worldZ =
        Vector::Subtract(c.LocalToWorld(Vector(0, 0, 1)), c.LocalToWorld(Vector(0, 0, 0)));
    Vector rootX =
        Vector::Subtract(root.LocalToWorld(Vector(1, 0, 0)), root.LocalToWorld(Vector(0, 0, 0)));
    ExpectNear(worldZ, rootX);
}

TEST_F(FrameTreeTest, LocalToWorldMatchesTheMatrixProduct) {
    Vector p(0.25, -3, 8);
    C3dMatrix product =
        root.GetTransform() * a.GetTransform() * b.GetTransform() * c.GetTransform();
    ExpectNear(c.LocalToWorld(p), product.Transform(p));
    ExpectNear(c.WorldToLocal(c.LocalToWorld(p)), p);
}

TEST_F(FrameTreeTest, MovingTheParentCarriesTheChildren) {
    Vector local(1, 1, 1);
    Vector before = c.LocalToWorld(local);
    Vector positionInParent = c.GetPosition();
    ASSERT_TRUE(root.SetPosition(Vector(15, -2, 1)));
    ExpectNear(c.LocalToWorld(local), Vector::Add(before, Vector(10, 0, 0)));
    ExpectNear(c.GetPosition(), positionInParent);
    // A turn of the parent turns the child about the parent's origin.
    ASSERT_TRUE(a.SetOrientation(Vector(0, 0, 1), Vector(0, 1, 0)));
    Vector inA = Vector(a.WorldToLocal(c.LocalToWorld(local)));
    ExpectNear(inA, (b.GetTransform() * c.GetTransform()).Transform(local));
}

TEST_F(FrameTreeTest, ChildrenKeepTheirTransformUnderANewParent) {
    C3dMatrix local = b.GetTransform();
    ASSERT_TRUE(other.AddChild(&b));
    EXPECT_EQ(b.GetParent(), &other);
    EXPECT_TRUE(a.GetChildren().empty());
    ExpectSameTransform(b.GetTransform(), local);
    ExpectSameTransform(b.GetWorldTransform(), other.GetTransform() * local);
}

TEST_F(FrameTreeTest, LoopsAreRefused) {
    EXPECT_FALSE(c.AddChild(&root));
    EXPECT_FALSE(b.AddChild(&b));
    EXPECT_FALSE(b.AddChild(nullptr));
    EXPECT_EQ(root.GetParent(), nullptr);
    EXPECT_EQ(c.GetParent(), &b);
}

TEST_F(FrameTreeTest, DeletedFramesUnlinkThemselves) {
    {
        C3dFrame temporary;
        ASSERT_TRUE(c.AddChild(&temporary));
        C3dFrame grandChild;
        ASSERT_TRUE(temporary.AddChild(&grandChild));
        EXPECT_EQ(c.GetChildren().size(), 1u);
    }
    EXPECT_TRUE(c.GetChildren().empty());
    b.RemoveAllChildren();
    EXPECT_EQ(c.GetParent(), nullptr);
    EXPECT_FALSE(b.RemoveChild(&c));
}

TEST(FrameTest, OrientationBuildsALeftHandedFrame) {
    C3dFrame frame;
    // The front camera preset: looking along +x with +z up puts local x on world +y.
    ASSERT_TRUE(frame.SetOrientation(Vector(1, 0, 0), Vector(0, 0, 1)));
    Vector direction, up;
    frame.GetOrientation(nullptr, direction, up);
    ExpectNear(direction, Vector(1, 0, 0));
    ExpectNear(up, Vector(0, 0, 1));
    ExpectNear(frame.GetTransform().Column(0), Vector(0, 1, 0));
    // Up need not be square to the direction; only its square part counts.
    ASSERT_TRUE(frame.SetOrientation(Vector(0, 0, 2), Vector(0, 3, 3)));
    frame.GetOrientation(nullptr, direction, up);
    ExpectNear(up, Vector(0, 1, 0));
}

TEST(FrameTest, BadOrientationsLeaveTheFrameUnchanged) {
    C3dFrame frame;
    ASSERT_TRUE(frame.SetOrientation(Vector(1, 0, 0), Vector(0, 1, 0)));
    C3dMatrix before = frame.GetTransform();
    EXPECT_FALSE(frame.SetOrientation(Vector(0, 0, 0), Vector(0, 1, 0)));
    EXPECT_FALSE(frame.SetOrientation(Vector(0, 2, 0), Vector(0, 1, 0)));
    EXPECT_FALSE(frame.SetOrientation(Vector(0, 0, 1), Vector(0, 0, 0)));
    ExpectSameTransform(frame.GetTransform(), before, 0.0);
}

TEST(FrameTest, SpinsAdvanceWithEachUpdateStep) {
    C3dFrame parent, frame;
    parent.AddChild(&frame);
    frame.SetPosition(Vector(3, 4, 5));
    ASSERT_TRUE(frame.SetRotation(Vector(0, 1, 0), std::numbers::pi / 8));
    for (int step = 0; step < 4; ++step) {
        parent.Move(1.0);
    }
    // Four eighths of pi about y: a quarter turn; the origin stays put.
    Vector direction, up;
    frame.GetOrientation(nullptr, direction, up);
    ExpectNear(direction, Vector(1, 0, 0));
    ExpectNear(up, Vector(0, 1, 0));
    ExpectNear(frame.GetPosition(), Vector(3, 4, 5));
    // A half step turns half as far; angle 0 stops the spin.
    parent.Move(0.5);
    frame.GetOrientation(nullptr, direction, up);
    ExpectNear(direction,
               Vector(std::cos(std::numbers::pi / 16), 0, -std::sin(std::numbers::pi / 16)));
    ASSERT_TRUE(frame.SetRotation(Vector(0, 1, 0), 0.0));
    C3dMatrix stopped = frame.GetTransform();
    parent.Move(3.0);
    ExpectSameTransform(frame.GetTransform(), stopped, 0.0);
}

TEST(FrameTest, SpinAxisIsTakenInTheReferenceFrame) {
    C3dFrame ref, frame;
    ref.SetOrientation(Vector(0, 1, 0), Vector(1, 0, 0));  // ref's z is world y
    ASSERT_TRUE(frame.SetRotation(Vector(0, 0, 1), std::numbers::pi / 2, &ref));
    frame.Move(1.0);
    Vector direction, up;
    frame.GetOrientation(nullptr, direction, up);
    ExpectNear(direction, Vector(1, 0, 0));
}

TEST(FrameTest, CombiningTransforms) {
    C3dFrame frame;
    frame.SetPosition(Vector(10, 0, 0));
    C3dMatrix scale;
    scale.Scale(2, 2, 2);
    // Before: in the frame's own coordinates, so the origin stays.
    ASSERT_TRUE(frame.SetTransform(scale, C3dCombine::Before));
    ExpectNear(frame.LocalToWorld(Vector(1, 0, 0)), Vector(12, 0, 0));
    // After: in the parent's coordinates, so the origin scales too.
    ASSERT_TRUE(frame.SetTransform(scale, C3dCombine::After));
    ExpectNear(frame.LocalToWorld(Vector(0, 0, 0)), Vector(20, 0, 0));
    ExpectNear(frame.LocalToWorld(Vector(1, 0, 0)), Vector(24, 0, 0));
    ASSERT_TRUE(frame.SetTransform(C3dMatrix(), C3dCombine::Replace));
    ExpectNear(frame.LocalToWorld(Vector(1, 2, 3)), Vector(1, 2, 3));

    // A quarter turn about z before the transform turns about the frame's own origin.
    frame.SetPosition(Vector(5, 0, 0));
    ASSERT_TRUE(frame.AddRotation(C3dCombine::Before, Vector(0, 0, 1), std::numbers::pi / 2));
    ExpectNear(frame.LocalToWorld(Vector(1, 0, 0)), Vector(5, 1, 0));
    ASSERT_TRUE(frame.AddRotation(C3dCombine::After, Vector(0, 0, 1), std::numbers::pi / 2));
    ExpectNear(frame.GetPosition(), Vector(0, 5, 0));
    EXPECT_FALSE(frame.AddRotation(C3dCombine::After, Vector(0, 0, 0), 1.0));
}

TEST(FrameTest, OrientationKeepsAScaleAndRoundTrips) {
    C3dFrame frame;
    C3dMatrix scale;
    scale.Scale(1, 2, 3);
    frame.SetTransform(scale);
    Vector direction, up;
    frame.GetOrientation(nullptr, direction, up);
    C3dMatrix before = frame.GetTransform();
    ASSERT_TRUE(frame.SetOrientation(direction, up));
    ExpectSameTransform(frame.GetTransform(), before);
}

TEST(FrameTest, CreateRelinksAndResets) {
    C3dFrame parent, frame;
    frame.SetPosition(Vector(1, 2, 3));
    ASSERT_TRUE(frame.Create(&parent));
    EXPECT_EQ(frame.GetParent(), &parent);
    ExpectNear(frame.GetPosition(), Vector(0, 0, 0));
    ASSERT_TRUE(frame.Create());
    EXPECT_EQ(frame.GetParent(), nullptr);
    EXPECT_TRUE(parent.GetChildren().empty());
    EXPECT_EQ(frame.GetName(), "3D Frame");
}

}  // namespace
