#pragma once

#include <vector>

#include "scene/matrix.h"
#include "scene/object.h"
#include "scene/vector.h"

namespace scene {

class C3dFrame;
class C3dShape;

// A line through the view: origin at the camera, unit direction, both in world coordinates.
struct C3dRay {
    Vector origin{0.0, 0.0, 0.0};
    Vector direction{0.0, 0.0, 1.0};
};

// One shape under a view position: the face hit, the distance along the ray and the world
// point.
struct C3dPickHit {
    C3dShape* shape = nullptr;
    int face = -1;
    double distance = 0.0;
    Vector point{0.0, 0.0, 0.0};
};

// The one perspective projection of the program, shared by the renderer, the pick and the hit
// test. View positions are pixels from the top-left corner of a view of width x height pixels.
// The camera looks along its local z with local y up and local x to the right; field is the
// half-size of the visible square at distance 1 across the view's smaller side; only depths
// between front and back are seen.
class C3dViewport : public C3dObject {
  public:
    bool Create(int width, int height);
    // Both sides must be positive.
    bool SetSize(int width, int height);
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }

    void SetCamera(const C3dFrame* camera) { camera_ = camera; }
    const C3dFrame* GetCamera() const { return camera_; }
    // The subtree the pick searches for shapes.
    void SetPickRoot(const C3dFrame* root) { root_ = root; }
    const C3dFrame* GetPickRoot() const { return root_; }

    bool SetField(double field);
    bool SetFront(double front);
    bool SetBack(double back);
    double GetField() const { return field_; }
    double GetFront() const { return front_; }
    double GetBack() const { return back_; }

    // World to camera coordinates.
    C3dMatrix GetViewMatrix() const;
    // Camera coordinates to homogeneous view positions: x / w and y / w are pixels, z / w is
    // the depth, 0 at the front plane and 1 at the back plane, and w the distance along the
    // camera's z.
    C3dMatrix GetProjectionMatrix() const;
    // Camera coordinates to OpenGL clip space (x right, y up, depth -1..1). The mapping keeps
    // the scene's handedness, so front faces show clockwise on screen.
    C3dMatrix GetClipMatrix() const;

    // A world point as a homogeneous view position.
    C3dVector4 Transform(const Vector& world) const;
    // The world point at view position (x, y) and depth (as z / w above).
    bool InverseTransform(double x, double y, double depth, Vector& world) const;
    C3dRay GetRay(double x, double y) const;

    // The frontmost visible shape under (x, y), or none.
    C3dShape* Pick(double x, double y) const;
    // Every visible shape under (x, y), nearest first, each once with its nearest face.
    std::vector<C3dPickHit> PickAll(double x, double y) const;

  private:
    double PixelsPerUnit() const;

    int width_ = 1;
    int height_ = 1;
    double field_ = 0.5;
    double front_ = 1.0;
    double back_ = 5000.0;
    const C3dFrame* camera_ = nullptr;
    const C3dFrame* root_ = nullptr;
};

}  // namespace scene
