#pragma once

#include <vector>

#include "scene/matrix.h"
#include "scene/vector.h"
#include "scene/visual.h"

namespace scene {

// How a new matrix or rotation is combined with a frame's transform.
enum class C3dCombine {
    Replace,  // the new matrix becomes the transform
    Before,   // applied first, in the frame's own coordinates (transform . new)
    After,    // applied last, in the parent's coordinates (new . transform)
};

// A node of the scene graph. The transform maps the frame's own coordinates into its parent's
// (the world when it has no parent). Links between frames do not own: whoever created a frame
// deletes it, and a deleted frame unlinks itself from its parent and its children.
//
// Placement operations take an optional reference frame: values are in that frame's
// coordinates, or in the parent's when none is given. Orientation is a direction (local z)
// and an up vector (local y); local x is up x direction.
class C3dFrame : public C3dVisual {
  public:
    C3dFrame();
    ~C3dFrame() override;
    C3dFrame(const C3dFrame&) = delete;
    C3dFrame& operator=(const C3dFrame&) = delete;

    // Re-creates the frame under parent (none: unparented) with an identity transform.
    bool Create(C3dFrame* parent = nullptr);

    bool SetPosition(double x, double y, double z, const C3dFrame* ref = nullptr);
    bool SetPosition(const Vector& p, const C3dFrame* ref = nullptr);
    Vector GetPosition(const C3dFrame* ref = nullptr) const;
    // Fails and leaves the frame unchanged when direction is zero or parallel to up.
    bool SetOrientation(const Vector& direction, const Vector& up, const C3dFrame* ref = nullptr);
    bool GetOrientation(const C3dFrame* ref, Vector& direction, Vector& up) const;

    // Constant spin by angle radians per update step about axis; angle 0 stops it.
    bool SetRotation(const Vector& axis, double angle, const C3dFrame* ref = nullptr);
    // Combines a rotation (radians, about an axis through the frame's origin for Before) with
    // the transform.
    bool AddRotation(C3dCombine combine, const Vector& axis, double angle);
    bool SetTransform(const C3dMatrix& matrix, C3dCombine combine = C3dCombine::Replace);
    const C3dMatrix& GetTransform() const { return transform_; }
    // Own coordinates to world coordinates, through every ancestor.
    C3dMatrix GetWorldTransform() const;
    Vector LocalToWorld(const Vector& point) const;
    Vector WorldToLocal(const Vector& point) const;

    // A child keeps its transform relative to its new parent. Adding an ancestor (or the frame
    // itself) fails, since it would close a loop.
    bool AddChild(C3dFrame* child);
    bool RemoveChild(C3dFrame* child);
    void RemoveAllChildren();
    C3dFrame* GetParent() const { return parent_; }
    const std::vector<C3dFrame*>& GetChildren() const { return children_; }
    bool IsAncestorOf(const C3dFrame* frame) const;

    // Whether the renderer draws this frame and its children, and picks consider them.
    void SetVisible(bool visible) { visible_ = visible; }
    bool IsVisible() const { return visible_; }
    // This frame's own shape is drawn after everything else and over it (the skeleton over the
    // mesh it is fitted into); such shapes still hide one another by depth. Children keep their
    // own setting.
    void SetDrawnOnTop(bool onTop) { drawnOnTop_ = onTop; }
    bool IsDrawnOnTop() const { return drawnOnTop_; }

    // Advances spins of this frame and its whole subtree by delta update steps.
    void Move(double delta);

    // Whether this frame or one below it spins, so that update steps change the picture.
    bool SpinsInSubtree() const;

    const Vector& GetSpinAxis() const { return spinAxis_; }
    double GetSpinAngle() const { return spinAngle_; }

  private:
    // Maps a point or direction given in ref's coordinates (none: parent's) to the parent's.
    C3dMatrix RefToParent(const C3dFrame* ref) const;
    C3dMatrix ParentWorldTransform() const;
    void Detach();

    C3dMatrix transform_;
    C3dFrame* parent_ = nullptr;
    std::vector<C3dFrame*> children_;
    Vector spinAxis_{0.0, 0.0, 1.0};  // in the parent's coordinates
    double spinAngle_ = 0.0;
    bool visible_ = true;
    bool drawnOnTop_ = false;
};

}  // namespace scene
