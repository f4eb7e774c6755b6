#pragma once

#include <memory>
#include <vector>

#include "scene/vector.h"

#include "scene/forward.h"

namespace editor::shell {

using namespace ::scene;

// The marks drawn on the selected shape: a box of bars around it with an axis arrow along its
// +y, and a cone standing on the hit point along the hit face's normal. All of it hangs below
// the selected shape and is owned here.
class SelectionDecorations {
  public:
    SelectionDecorations() = default;
    ~SelectionDecorations();
    SelectionDecorations(const SelectionDecorations&) = delete;
    SelectionDecorations& operator=(const SelectionDecorations&) = delete;

    void ShowBox(C3dShape& selected);
    // `point` in the selected shape's coordinates.
    void ShowHitPoint(C3dShape& selected, int face, const Vector& point);
    // Takes every mark off the shape it was drawn on and deletes it.
    void Remove();

    bool Contains(const C3dFrame* frame) const;
    bool HasBox() const { return box_ != nullptr; }
    bool HasHitMarker() const { return hitMarker_ != nullptr; }

  private:
    std::unique_ptr<C3dFrame> box_;
    std::vector<std::unique_ptr<C3dShape>> boxParts_;
    std::unique_ptr<C3dShape> hitMarker_;
};

}  // namespace editor::shell
