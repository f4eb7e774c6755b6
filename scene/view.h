#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "scene/stage.h"

namespace scene {

class C3dScene;
class C3dShape;

// Draws a stage; the window's OpenGL renderer implements it.
class C3dRenderer {
  public:
    virtual ~C3dRenderer() = default;
    // Clears, draws the stage's scene through its viewport and shows the result.
    virtual bool Render(const C3dStage& stage) = 0;
};

// Receives the view's key and mouse messages before the window handles them (the input
// controller registers here).
class C3dViewListener {
  public:
    virtual ~C3dViewListener() = default;
    virtual void OnViewMessage(uint32_t message, uint64_t wParam, int64_t lParam) = 0;
};

// Called on a left-button press with the frontmost shape (or none), the view position and the
// registered argument.
using C3dPickCallback = void (*)(C3dShape* shape, int x, int y, void* argument);

// The display-free part of the 3D view window: its stage, the scene it shows, update steps,
// picking and message routing. The window owns one and feeds it sizes, clicks and messages.
class C3dView {
  public:
    C3dView();
    ~C3dView();

    // Builds the stage for a client area of width x height (both positive).
    bool Create(int width, int height);
    bool Resize(int width, int height);
    bool SetScene(C3dScene* scene);
    C3dScene* GetScene() const { return stage_ ? stage_->GetScene() : nullptr; }
    C3dStage* GetStage() const { return stage_.get(); }
    // The view's viewport; none before Create.
    const C3dViewport* GetViewport() const { return stage_ ? &stage_->GetViewport() : nullptr; }

    void SetRenderer(C3dRenderer* renderer) { renderer_ = renderer; }
    // Advances the scene by delta and renders; returns whether it drew.
    bool Update(double delta);

    void SetPickCallback(C3dPickCallback callback, void* argument, bool enabled);
    void EnablePick(bool enabled) { pickEnabled_ = enabled; }
    void OnLeftButtonDown(int x, int y);
    C3dShape* Pick(int x, int y) const;
    std::vector<C3dPickHit> PickAll(int x, int y) const;

    void SetListener(C3dViewListener* listener) { listener_ = listener; }
    C3dViewListener* GetListener() const { return listener_; }
    // Hands a message to the listener, if any; returns whether there was one.
    bool RouteMessage(uint32_t message, uint64_t wParam, int64_t lParam);

  private:
    std::unique_ptr<C3dStage> stage_;
    C3dScene* pendingScene_ = nullptr;
    C3dRenderer* renderer_ = nullptr;
    C3dViewListener* listener_ = nullptr;
    C3dPickCallback pickCallback_ = nullptr;
    void* pickArgument_ = nullptr;
    bool pickEnabled_ = false;
};

}  // namespace scene
