#pragma once

#include <cstdint>

#include "editor/model/mesh_part.h"
#include "editor/model/skeleton_tables.h"

namespace editor::model {

// A joint of the skeleton, drawn as a small sphere.
class JointPart : public MeshPart {
  public:
    JointPart() { kind = PART_JOINT; }

    // Re-applies the shown state before the display mode, since a joint's look depends on both.
    void Refresh() override;

    // 0..37; NO_JOINT until the document's reset numbers it.
    uint32_t jointIndex = NO_JOINT;
};

}  // namespace editor::model
