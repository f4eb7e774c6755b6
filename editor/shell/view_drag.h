#pragma once

#include "editor/model/pose_vector.h"
#include "scene/forward.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::scene;

class CMainFrame;

// A left-button drag in the view: what the press took hold of (a joint, or the model, prop or
// dividing plane that was already selected) follows the pointer so that the point grabbed
// stays under it, in the plane through that point facing the camera; a joint with "Rigid
// Bones" on stays on the sphere its bone keeps around the parent joint instead.
class ViewDrag {
  public:
    // Pixels the pointer must leave the press by before the model, prop or plane moves, so that
    // clicking faces into a group does not shift the model. Joints follow from the first pixel.
    static constexpr int kObjectClickSlack = 3;

    explicit ViewDrag(CMainFrame& frame) : frame_(frame) {}

    // After the press at (x, y) has been picked: takes hold of the selection when it may be
    // dragged (`selectedBefore`: the selection before the press). True when a drag started.
    bool Begin(int x, int y, const C3dShape* selectedBefore);
    // The pointer is at (x, y): moves what is held.
    void MoveTo(int x, int y);
    void End() { held_ = nullptr; }
    bool IsActive() const { return held_ != nullptr; }

  private:
    bool MayDrag(const C3dShape& shape, const C3dShape* selectedBefore) const;
    bool IsJoint(const C3dShape& shape) const;

    CMainFrame& frame_;
    C3dShape* held_ = nullptr;
    int pressX_ = 0;
    int pressY_ = 0;
    bool started_ = false;
    // Where the point grabbed is now (scene coordinates), and its pixel offset from the pointer
    // at the press.
    PoseVec anchor_;
    double offsetX_ = 0.0;
    double offsetY_ = 0.0;
};

}  // namespace editor::shell
