#pragma once

#include "editor/skeleton/pose_vector.h"

// Camera presets as the controller sees them; CAMERA_UNDER_CONTROL marks the camera itself
// as the dragged object.
enum CameraView : int {
    CAMERA_FRONT = 0,
    CAMERA_REAR = 1,
    CAMERA_LEFT = 2,
    CAMERA_RIGHT = 3,
    CAMERA_TOP = 4,
    CAMERA_BOTTOM = 5,
    CAMERA_UNDER_CONTROL = 6,
};

// A device's demands in its own terms (the input record's x, y, z, rx, ry, rz).
struct DeviceDemands {
    double x = 0, y = 0, z = 0, rx = 0, ry = 0, rz = 0;
};

// A move (dx, dy, dz) and a turn (rx, ry, rz, degrees) in display space.
struct SceneMotion {
    double dx = 0, dy = 0, dz = 0, rx = 0, ry = 0, rz = 0;
};

// Turns the device's demands so that "right" on the device is right on the screen for the
// current camera preset.
SceneMotion MapDeviceToScene(const DeviceDemands& demands, int cameraView);

// Where a joint dragged to `wanted` ends up when its bone must keep `length` around the
// parent joint at `parent`. A drag exactly onto the parent has no direction: the joint stays
// at `current`.
PoseVec RigidDragPosition(const PoseVec& wanted, const PoseVec& parent, double length,
                          const PoseVec& current);

// Rx(-3 rx) . Ry(-3 ry) . Rz(-3 rz), device angles in degrees.
Rotation3 DragRotation(const SceneMotion& motion);
