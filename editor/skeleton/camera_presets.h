#pragma once

#include "scene/forward.h"

namespace editor::skeleton {

using namespace ::scene;

constexpr int NUM_CAMERA_PRESETS = 6;

// A camera 100 units from the origin looking at it.
struct CameraPreset {
    const char* menuText;
    float position[3];
    float direction[3];
    float up[3];
};

// Front, rear, left, right, top, bottom.
extern const CameraPreset cameraPresets[NUM_CAMERA_PRESETS];

// The preset actually used for an index: anything outside 1..5 is the front view.
int EffectiveCameraPreset(int index);
// Places the scene's camera at the preset; false without a scene.
bool PlaceCameraAtPreset(C3dScene* scene, int index);

}  // namespace editor::skeleton
