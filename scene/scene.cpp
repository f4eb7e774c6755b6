#include "scene/scene.h"

#include <algorithm>

#include "scene/image.h"
#include "scene/stage.h"

namespace scene {

C3dScene::C3dScene() {
    Create();
}

C3dScene::~C3dScene() {
    if (stage_) {
        stage_->SetScene(nullptr);
    }
    // Owned lights unlink themselves as they go; other children are only let go.
    lights_.clear();
    RemoveAllChildren();
}

bool C3dScene::Create() {
    C3dFrame* stageFrame = GetParent();
    C3dFrame::Create(stageFrame);
    ambient_.Create(C3dLightKind::Ambient, 0.5, 0.5, 0.5);
    AddChild(&ambient_);
    for (const auto& light : lights_) {
        AddChild(light.get());
    }
    return Succeed();
}

bool C3dScene::AddLight(C3dLight* light) {
    if (!light || light == &ambient_) {
        return Fail(C3D_E_BADVALUE);
    }
    for (const auto& owned : lights_) {
        if (owned.get() == light) {
            return Succeed();
        }
    }
    if (!AddChild(light)) {
        return Fail(C3D_E_BADVALUE);
    }
    lights_.emplace_back(light);
    return Succeed();
}

bool C3dScene::RemoveLight(C3dLight* light) {
    auto it = std::find_if(lights_.begin(), lights_.end(),
                           [light](const auto& owned) { return owned.get() == light; });
    if (it == lights_.end()) {
        return Fail(C3D_E_NOTFOUND);
    }
    lights_.erase(it);
    return Succeed();
}

bool C3dScene::AddImage(C3dImage* image) {
    if (!image) {
        return Fail(C3D_E_BADVALUE);
    }
    for (const auto& owned : images_) {
        if (owned.get() == image) {
            return Succeed();
        }
    }
    images_.emplace_back(image);
    return Succeed();
}

bool C3dScene::RemoveImage(C3dImage* image) {
    auto it = std::find_if(images_.begin(), images_.end(),
                           [image](const auto& owned) { return owned.get() == image; });
    if (it == images_.end()) {
        return Fail(C3D_E_NOTFOUND);
    }
    if (backgroundImage_ == image) {
        backgroundImage_ = nullptr;
    }
    images_.erase(it);
    return Succeed();
}

bool C3dScene::SetBackgroundColor(double r, double g, double b) {
    background_ = C3dColor{static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
    return Succeed();
}

bool C3dScene::SetBackgroundImage(const C3dImage* image) {
    backgroundImage_ = image;
    return Succeed();
}

bool C3dScene::SetCameraPosition(const Vector& position) {
    cameraPosition_ = position;
    return ApplyCamera();
}

bool C3dScene::SetCameraDirection(const Vector& direction, const Vector& up) {
    cameraDirection_ = direction;
    cameraUp_ = up;
    return ApplyCamera();
}

bool C3dScene::ApplyCamera() {
    if (!stage_) {
        return Succeed();
    }
    C3dCamera& camera = stage_->GetCamera();
    camera.SetPosition(cameraPosition_, this);
    if (!camera.SetOrientation(cameraDirection_, cameraUp_, this)) {
        return Fail(C3D_E_BADVALUE);
    }
    return Succeed();
}

}  // namespace scene
