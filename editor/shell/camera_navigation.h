#pragma once

#include "editor/shell/forward.h"
#include "scene/vector.h"

namespace editor::shell {

using namespace ::scene;

// What the view shows, as a box in scene coordinates: the model (or the generated model in
// its view), the prop while shown and the skeleton's joints, each only while shown (a hidden
// part is drawn black and does not count).
struct ShownBox {
    Vector min{0.0, 0.0, 0.0};
    Vector max{0.0, 0.0, 0.0};
    bool empty = true;

    void Include(const Vector& point);
    Vector Centre() const;
    // Half the diagonal; 0 for an empty box.
    double Radius() const;
};

ShownBox BoxOfWhatIsShown(CMainFrame& frame);

// Camera moves with the mouse, beside the presets. Each keeps what is shown inside the depth
// range and asks for a redraw; without a scene they do nothing.
//
// The wheel: notches > 0 move the camera toward what it looks at (along its direction, by a
// fifth of the distance per notch), notches < 0 away from it.
void ZoomCamera(CMainFrame& frame, double notches);
// A middle-button drag of dx, dy pixels: turns the camera around the centre of what is shown,
// about the scene's up axis (z) for dx and about the camera's own right axis for dy.
void OrbitCamera(CMainFrame& frame, int dx, int dy);
// A Shift+middle-button drag: moves the camera across its view so that what is shown follows
// the pointer.
void PanCamera(CMainFrame& frame, int dx, int dy);
// "Zoom to Fit": keeps the direction of view and moves the camera so that what is shown fills
// the view: as close as the view's width and height allow, centred.
void ZoomCameraToFit(CMainFrame& frame);
// The presets' depth range again (the moves above widen it for very small or large models).
void ResetCameraDepthRange(CMainFrame& frame);

}  // namespace editor::shell
