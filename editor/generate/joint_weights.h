#pragma once
// The weights of smooth joints. Where the surface crosses from one bone's vertices to a
// neighbouring bone's (bones that share a joint), vertices within the blend zone of that seam
// take part of the neighbour's motion: half at the seam, fading smoothly to none at the zone's
// edge, measured along the surface so that a vertex merely near a joint in space (a hand by the
// hip) keeps its own bone. Vertices farther from every seam follow their bone alone.

#include "editor/model/forward.h"

namespace editor::generate {

using namespace ::editor::model;

// Fills the document's vertex blends from the stored local coordinates, the bones' rest frames
// and the model's triangles, with the document's zone percentage.
void ComputeJointWeights(ModelDocument& document);

}  // namespace editor::generate
