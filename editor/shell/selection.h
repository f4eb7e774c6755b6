#pragma once
// What is selected in the view: the shape, the current bone, the face a click hit and the face
// last picked on the editable model. The frame owns one; every change goes through Select, and
// a click or a picked face ends there too.

#include <cstdint>

#include "editor/model/skeleton_tables.h"
#include "editor/shell/selection_decorations.h"
#include "scene/vector.h"

#include "editor/model/forward.h"
#include "scene/forward.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::scene;

class CMainFrame;

class Selection {
  public:
    explicit Selection(CMainFrame& frame);
    ~Selection();
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

    // The selected shape; nullptr for none.
    C3dShape* Shape() const { return shape_; }
    // The bone last selected, which the bone commands work on; NO_BONE until one is.
    int32_t Bone() const { return bone_; }
    // The face the last click hit on the selected shape and where (in the shape's
    // coordinates); -1 for none.
    int32_t HitFace() const { return hitFace_; }
    const Vector& HitPoint() const { return hitPoint_; }
    // The face last picked on the editable model; -1 when none since the last "New".
    int32_t PickedFace() const { return pickedFace_; }

    // The one way the selection changes: the old shape gets its look back, the new one is
    // highlighted and marked, and the status line says what is selected.
    void Select(C3dShape* shape);
    // A left click at (x, y) in the view that hit `shape` (nullptr: nothing). A joint drawn
    // near the pointer wins; a shape that cannot be selected gives way to the one behind it; a
    // face of the model joins or leaves the temporary group.
    void Pick(C3dShape* shape, int x, int y);
    // As a click that hit `face` of `shape` at `point` (in the shape's coordinates), without
    // a view (batch scripts); face -1 hits no face.
    void PickFace(C3dShape* shape, int face, const Vector& point);
    // Draws the marks again after their toggles changed.
    void Redecorate();
    // "New": no face of the model is picked any more.
    void ForgetPickedFace() { pickedFace_ = -1; }

  private:
    MeshPart* PartOf(const C3dShape* shape) const;
    bool IsSelectable(C3dShape* shape) const;
    C3dShape* SelectableBehind(int x, int y) const;
    C3dShape* JointNear(int x, int y) const;
    bool JointSelected() const;
    void HitFace(C3dShape& shape, int x, int y);
    void TakeHit(C3dShape& shape, int face, const Vector& point);
    void RestoreLook(C3dShape* previous);
    void Report(C3dShape* shape);
    void Highlight(C3dShape& shape);
    void RefreshGroupDisplay();

    CMainFrame& frame_;
    SelectionDecorations decorations_;
    C3dShape* shape_ = nullptr;
    int32_t bone_ = NO_BONE;
    int32_t hitFace_ = -1;
    Vector hitPoint_{0.0, 0.0, 0.0};
    int32_t pickedFace_ = -1;
};

}  // namespace editor::shell
