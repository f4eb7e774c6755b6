#include "scene/view.h"

#include "scene/scene.h"
#include "scene/shape.h"

namespace scene {

C3dView::C3dView() = default;

C3dView::~C3dView() = default;

bool C3dView::Create(int width, int height) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    C3dScene* scene = GetScene() ? GetScene() : pendingScene_;
    stage_.reset();
    auto stage = std::make_unique<C3dStage>();
    if (!stage->Create(width, height)) {
        return false;
    }
    stage_ = std::move(stage);
    if (scene) {
        stage_->SetScene(scene);
    }
    return true;
}

bool C3dView::Resize(int width, int height) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    return stage_ ? stage_->SetSize(width, height) : Create(width, height);
}

bool C3dView::SetScene(C3dScene* scene) {
    pendingScene_ = scene;
    return stage_ ? stage_->SetScene(scene) : true;
}

bool C3dView::Update(double delta) {
    if (!stage_) {
        return false;
    }
    if (C3dScene* scene = stage_->GetScene()) {
        scene->Move(delta);
    }
    return renderer_ ? renderer_->Render(*stage_) : false;
}

void C3dView::SetPickCallback(C3dPickCallback callback, void* argument, bool enabled) {
    pickCallback_ = callback;
    pickArgument_ = argument;
    pickEnabled_ = enabled;
}

void C3dView::OnLeftButtonDown(int x, int y) {
    if (!pickEnabled_ || !pickCallback_) {
        return;
    }
    pickCallback_(Pick(x, y), x, y, pickArgument_);
}

C3dShape* C3dView::Pick(int x, int y) const {
    return stage_ ? stage_->GetViewport().Pick(x, y) : nullptr;
}

std::vector<C3dPickHit> C3dView::PickAll(int x, int y) const {
    return stage_ ? stage_->GetViewport().PickAll(x, y) : std::vector<C3dPickHit>();
}

bool C3dView::RouteMessage(uint32_t message, uint64_t wParam, int64_t lParam) {
    if (!listener_) {
        return false;
    }
    listener_->OnViewMessage(message, wParam, lParam);
    return true;
}

}  // namespace scene
