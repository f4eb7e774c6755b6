#include "editor/skeleton/camera_presets.h"

#include "scene/scene.h"

namespace editor::skeleton {

using namespace ::scene;

const CameraPreset cameraPresets[NUM_CAMERA_PRESETS] = {
    {"&Front View", {-100, 0, 0}, {1, 0, 0}, {0, 0, 1}},
    {"&Rear View", {100, 0, 0}, {-1, 0, 0}, {0, 0, 1}},
    {"&Left View", {0, -100, 0}, {0, 1, 0}, {0, 0, 1}},
    {"Ri&ght View", {0, 100, 0}, {0, -1, 0}, {0, 0, 1}},
    {"&Top View", {0, 0, 100}, {0, 0, -1}, {1, 0, 0}},
    {"&Bottom View", {0, 0, -100}, {0, 0, 1}, {-1, 0, 0}},
};

int EffectiveCameraPreset(int index) {
    return (index >= 1 && index <= 5) ? index : 0;
}

bool PlaceCameraAtPreset(C3dScene* scene, int index) {
    if (scene == nullptr) {
        return false;
    }
    const CameraPreset& preset = cameraPresets[EffectiveCameraPreset(index)];
    bool placed = scene->SetCameraPosition(Vector(preset.position));
    return scene->SetCameraDirection(Vector(preset.direction), Vector(preset.up)) && placed;
}

}  // namespace editor::skeleton
