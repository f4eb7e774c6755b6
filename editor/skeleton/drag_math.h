#pragma once

#include <optional>

#include "editor/model/pose_vector.h"

namespace editor::skeleton {

using namespace ::editor::model;

// A device's demands in its own terms (the input record's x, y, z, rx, ry, rz).
struct DeviceDemands {
    double x = 0, y = 0, z = 0, rx = 0, ry = 0, rz = 0;
};

// A move (dx, dy, dz) and a turn (rx, ry, rz, degrees) in display space.
struct SceneMotion {
    double dx = 0, dy = 0, dz = 0, rx = 0, ry = 0, rz = 0;
};

// Turns the device's demands so that "right" on the device is right on the screen for the
// camera preset (0 front, 1 rear, 2 left, 3 right, 4 top, 5 bottom; any other value, such as
// 6 for the camera itself under control, as front).
SceneMotion MapDeviceToScene(const DeviceDemands& demands, int cameraView);

// The keyboard device's demand for one axis as the editor moves by it in one step. `raw` ramps
// by `ramp` with each press and repeat of a held key; `previousRaw` is its value at the step
// before. The step that first sees a press moves KEY_TAP_STEP at once, so that a short press
// moves a small visible step; nothing more moves until the key repeats, and then by the ramped
// demand less its first press, up to KEY_TOP_SPEED per step.
constexpr double KEY_TAP_STEP = 0.5;
constexpr double KEY_TOP_SPEED = 0.4;
double KeyboardStep(double raw, double previousRaw, double ramp);

// Where a joint dragged to `wanted` ends up when its bone must keep `length` around the
// parent joint at `parent`. A drag exactly onto the parent has no direction: the joint stays
// at `current`.
PoseVec RigidDragPosition(const PoseVec& wanted, const PoseVec& parent, double length,
                          const PoseVec& current);

// A line from `origin` along `direction` (not necessarily of unit length).
struct PoseRay {
    PoseVec origin;
    PoseVec direction;
};

// Where the ray meets the plane through `point` with normal `normal`; nothing when it runs
// parallel to the plane.
std::optional<PoseVec> RayPlanePoint(const PoseRay& ray, const PoseVec& point,
                                     const PoseVec& normal);

// The point of the sphere around `centre` that lies under the ray: of the two where the ray
// meets it the one nearer to `near` (so that a joint dragged round its parent does not jump to
// the far side); where the ray passes the sphere by, the sphere's point nearest to the ray.
PoseVec RaySpherePoint(const PoseRay& ray, const PoseVec& centre, double radius,
                       const PoseVec& near);

// Rx(-3 rx) . Ry(-3 ry) . Rz(-3 rz), device angles in degrees.
Rotation3 DragRotation(const SceneMotion& motion);

}  // namespace editor::skeleton
