#pragma once
// The weights of smooth joints. Across the joint between a bone and its parent or child, the
// share of the other bone's motion rises evenly along the limb: none a blend zone before the
// joint, half at the joint, all of it a zone past it, so every ring of the limb turns as one
// whatever path the binding's seam takes, and the bend spreads evenly over the zone (a ramp
// steeper at the joint stretched the edges there more, on the sample and on test characters). Only
// vertices the surface joins to the seam between the two bones blend (not a hand that merely hangs
// by the hip), their share fading out over the surface away from the seam, and vertices farther
// than the zone from every joint follow their own bone alone.

#include "editor/model/forward.h"

namespace editor::generate {

using namespace ::editor::model;

// Fills the document's vertex blends from the stored local coordinates, the bones' rest frames
// and the model's triangles, with the document's zone percentage.
void ComputeJointWeights(ModelDocument& document);

}  // namespace editor::generate
