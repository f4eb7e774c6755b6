#pragma once

#include <memory>
#include <vector>

#include "scene/color.h"
#include "scene/frame.h"
#include "scene/light.h"

namespace scene {

class C3dImage;
class C3dStage;

// The root frame of everything drawn. It owns the lights and images added to it, an ambient
// light of its own, the background, and the camera placement it asks its stage to use.
// Shapes are linked in with AddChild and stay owned by whoever created them.
class C3dScene : public C3dFrame {
  public:
    C3dScene();
    ~C3dScene() override;

    // Creates the root frame and the ambient light of (0.5, 0.5, 0.5).
    bool Create();

    // The scene takes ownership and links the light into its tree.
    bool AddLight(C3dLight* light);
    bool RemoveLight(C3dLight* light);
    const std::vector<std::unique_ptr<C3dLight>>& GetLights() const { return lights_; }
    C3dAmbLight& GetAmbientLight() { return ambient_; }
    const C3dAmbLight& GetAmbientLight() const { return ambient_; }

    // The scene takes ownership of the image.
    bool AddImage(C3dImage* image);
    bool RemoveImage(C3dImage* image);

    bool SetBackgroundColor(double r, double g, double b);
    C3dColor GetBackgroundColor() const { return background_; }
    // Not owned; none clears it.
    bool SetBackgroundImage(const C3dImage* image);
    const C3dImage* GetBackgroundImage() const { return backgroundImage_; }

    // Kept here and applied at once to the camera of the stage showing the scene, relative to
    // the scene.
    bool SetCameraPosition(const Vector& position);
    bool SetCameraDirection(const Vector& direction, const Vector& up);
    Vector GetCameraPosition() const { return cameraPosition_; }
    Vector GetCameraDirection() const { return cameraDirection_; }
    Vector GetCameraUp() const { return cameraUp_; }
    // Places the stage's camera from the stored settings.
    bool ApplyCamera();

    C3dStage* GetStage() const { return stage_; }

  private:
    friend class C3dStage;

    std::vector<std::unique_ptr<C3dLight>> lights_;
    std::vector<std::unique_ptr<C3dImage>> images_;
    Vector cameraPosition_{0.0, 0.0, -10.0};
    Vector cameraDirection_{0.0, 0.0, 1.0};
    Vector cameraUp_{0.0, 1.0, 0.0};
    C3dAmbLight ambient_;
    C3dColor background_{0.0f, 0.0f, 0.0f};
    const C3dImage* backgroundImage_ = nullptr;
    C3dStage* stage_ = nullptr;
};

}  // namespace scene
