#pragma once

#include "scene/camera.h"
#include "scene/frame.h"
#include "scene/viewport.h"

namespace scene {

class C3dScene;

// What a view renders: a camera and a viewport looking at one scene. The scene and the camera
// are both linked under the stage's frame, so the camera is placed relative to the scene.
class C3dStage : public C3dFrame {
  public:
    C3dStage();
    ~C3dStage() override;

    bool Create(int width, int height);
    bool SetSize(int width, int height);
    // Shows the scene (none: nothing) and places the camera from its settings.
    bool SetScene(C3dScene* scene);
    C3dScene* GetScene() const { return scene_; }
    C3dCamera& GetCamera() { return camera_; }
    const C3dCamera& GetCamera() const { return camera_; }
    C3dViewport& GetViewport() { return viewport_; }
    const C3dViewport& GetViewport() const { return viewport_; }

  private:
    C3dCamera camera_;
    C3dViewport viewport_;
    C3dScene* scene_ = nullptr;
};

}  // namespace scene
