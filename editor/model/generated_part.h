#pragma once

#include <cstdint>

#include "editor/model/mesh_part.h"

namespace editor::model {

// How strongly the generated model's blue tints its skin.
inline constexpr float GENERATED_SKIN_TINT = 0.2f;

// The posable model built from the bound mesh. It is always drawn in the connecting colours,
// whatever mode it is given, so that it stands apart from the editable model.
class GeneratedPart : public MeshPart {
  public:
    void SetDisplayMode(uint32_t mode) override;
};

}  // namespace editor::model
