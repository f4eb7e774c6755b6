#include "editor/model/generated_part.h"

#include "scene/mesh.h"
#include "scene/shape.h"

namespace editor::model {

void GeneratedPart::SetDisplayMode(uint32_t /*mode*/) {
    MeshPart::SetDisplayMode(DISPLAY_CONNECTING);
    // Its colour only tells it from the model; over a skin a light tint lets the skin read.
    if (Shape() != nullptr) {
        Shape()->Mesh().SetSkinTint(GENERATED_SKIN_TINT);
    }
}

}  // namespace editor::model
