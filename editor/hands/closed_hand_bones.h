#pragma once

#include "editor/hands/hand_sides.h"
#include "editor/model/forward.h"

namespace editor::hands {

using namespace ::editor::model;

// Puts the side's grip joint three quarters of the way from wrist to fingertips (where the
// scene shows them), re-aims and stretches the closed-hand bone to it, and turns that bone like
// the open-hand bone, so the closed hand starts out lying where the open one is.
void PlaceClosedHand(ModelDocument& document, const HandSide& side);

}  // namespace editor::hands
