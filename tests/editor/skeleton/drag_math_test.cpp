#include "editor/skeleton/drag_math.h"

#include <gtest/gtest.h>

using namespace ::editor::skeleton;

TEST(MapDeviceToScene, EachPresetTurnsTheDeviceAxes) {
    DeviceDemands d{1, 2, 3, 4, 5, 6};  // move (dx,dy,dz) = (3,1,2), turn = (6,4,5)
    struct Case {
        int view;
        SceneMotion expected;
    } cases[] = {
        {0, {3, 1, 2, 6, 4, 5}},   {6, {3, 1, 2, 6, 4, 5}},   {1, {-3, -1, 2, -6, -4, 5}},
        {2, {-1, 3, 2, -4, 6, 5}}, {3, {1, -3, 2, 4, -6, 5}}, {4, {2, 1, -3, 5, 4, -6}},
        {5, {-2, 1, 3, -5, 4, 6}},
    };
    for (const Case& c : cases) {
        SceneMotion m = MapDeviceToScene(d, c.view);
        EXPECT_EQ(m.dx, c.expected.dx) << c.view;
        EXPECT_EQ(m.dy, c.expected.dy) << c.view;
        EXPECT_EQ(m.dz, c.expected.dz) << c.view;
        EXPECT_EQ(m.rx, c.expected.rx) << c.view;
        EXPECT_EQ(m.ry, c.expected.ry) << c.view;
        EXPECT_EQ(m.rz, c.expected.rz) << c.view;
    }
}

TEST(RigidDragPosition, KeepsTheBoneLengthAndStaysPutOnTheParent) {
    PoseVec parent{1, 2, 3};
    PoseVec current{1, 2, -11.62};
    PoseVec moved = RigidDragPosition({30, 2, 3}, parent, 14.62, current);
    EXPECT_NEAR(Length(moved - parent), 14.62, 1e-12);
    EXPECT_NEAR(moved.x, 15.62, 1e-12);
    EXPECT_EQ(RigidDragPosition(parent, parent, 14.62, current), current);
}

TEST(DragRotation, ThreeDegreesPerUnitInTheNegativeSense) {
    SceneMotion m;
    m.rz = 30.0;  // -90 degrees about Z
    PoseVec turned = DragRotation(m) * PoseVec{1, 0, 0};
    EXPECT_NEAR(turned.x, 0.0, 1e-9);
    EXPECT_NEAR(turned.y, 1.0, 1e-9);  // Rz(a) . (1, 0, 0) = (cos a, -sin a, 0)
}

TEST(RayPlanePoint, MeetsThePlaneOrNothingWhenParallel) {
    const PoseRay ray{{0, 0, 0}, {2, 1, 0}};
    std::optional<PoseVec> hit = RayPlanePoint(ray, {10, 7, 3}, {1, 0, 0});
    ASSERT_TRUE(hit.has_value());
    EXPECT_NEAR(hit->x, 10, 1e-12);
    EXPECT_NEAR(hit->y, 5, 1e-12);
    EXPECT_FALSE(RayPlanePoint(ray, {10, 7, 3}, {0, 0, 1}).has_value());
}

TEST(RaySpherePoint, TakesTheCrossingNearerTheJointOrTheNearestPointWhenMissed) {
    // A sphere of radius 5 around (20, 0, 0); the ray along +x crosses it at x = 15 and 25.
    const PoseVec centre{20, 0, 0};
    const PoseRay ray{{0, 0, 0}, {1, 0, 0}};
    const struct {
        PoseVec near;
        double x;
    } crossings[] = {{{14, 1, 0}, 15}, {{26, 0, 1}, 25}};
    for (const auto& c : crossings) {
        const PoseVec p = RaySpherePoint(ray, centre, 5, c.near);
        EXPECT_NEAR(p.x, c.x, 1e-12);
        EXPECT_NEAR(Length(p - centre), 5, 1e-12);
    }
    // Passing 8 above the centre: the sphere's top, straight below the ray.
    const PoseVec top = RaySpherePoint({{0, 0, 8}, {3, 0, 0}}, centre, 5, {20, 0, -5});
    EXPECT_NEAR(top.x, 20, 1e-12);
    EXPECT_NEAR(top.z, 5, 1e-12);
}

TEST(KeyboardStep, APressStepsOnceThenHoldingAcceleratesToABoundedSpeed) {
    const double ramp = 0.02;
    const struct {
        double raw, previous, step;
    } cases[] = {
        {0.0, 0.0, 0.0},                         // idle
        {ramp, 0.0, KEY_TAP_STEP},               // the press: one step at once
        {-ramp, 0.0, -KEY_TAP_STEP},             // either way
        {ramp, ramp, 0.0},                       // held, not yet repeating
        {3 * ramp, 2 * ramp, 2 * ramp},          // repeating: faster
        {100 * ramp, 99 * ramp, KEY_TOP_SPEED},  // but never faster than this
        {-5 * ramp, -4 * ramp, -4 * ramp},       // backwards alike
        {ramp, -3 * ramp, KEY_TAP_STEP},         // a press against the motion
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(KeyboardStep(c.raw, c.previous, ramp), c.step, 1e-12)
            << c.raw << " after " << c.previous;
    }
}
