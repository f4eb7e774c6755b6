#pragma once

#include <cstdint>

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/joint_blend.h"
#include "editor/model/mesh_part.h"
#include "editor/model/skeleton_tables.h"

namespace editor::model {

class JointPart;

// A bone of the skeleton, drawn as a thin cylinder from its start joint to its end joint. Its own
// mesh is never drawn: it holds the bone-local coordinates of the vertices bound to it.
class BonePart : public MeshPart {
  public:
    BonePart() { kind = PART_BONE; }

    VertexSet boundVertices;
    TriangleSet boundTriangles;
    // 0..36; NO_BONE until the document's reset numbers it.
    uint32_t boneIndex = NO_BONE;
    JointPart* startJoint = nullptr;
    JointPart* endJoint = nullptr;
    double length = 0.0;
    // Where the bone stood when its local coordinates were stored.
    RestFrame rest;
};

}  // namespace editor::model
