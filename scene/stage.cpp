#include "scene/stage.h"

#include "scene/scene.h"

namespace scene {

C3dStage::C3dStage() {
    AddChild(&camera_);
    viewport_.SetCamera(&camera_);
}

C3dStage::~C3dStage() {
    SetScene(nullptr);
}

bool C3dStage::Create(int width, int height) {
    if (!viewport_.Create(width, height)) {
        return Fail(C3D_E_BADVALUE);
    }
    return Succeed();
}

bool C3dStage::SetSize(int width, int height) {
    if (!viewport_.SetSize(width, height)) {
        return Fail(C3D_E_BADVALUE);
    }
    return Succeed();
}

bool C3dStage::SetScene(C3dScene* scene) {
    if (scene_ == scene) {
        return Succeed();
    }
    if (scene_) {
        RemoveChild(scene_);
        scene_->stage_ = nullptr;
    }
    scene_ = scene;
    viewport_.SetPickRoot(scene);
    if (!scene) {
        return Succeed();
    }
    if (scene->stage_) {
        scene->stage_->SetScene(nullptr);
    }
    AddChild(scene);
    scene->stage_ = this;
    scene->ApplyCamera();
    return Succeed();
}

}  // namespace scene
