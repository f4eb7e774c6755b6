#pragma once

#include "editor/model/forward.h"

namespace editor::skeleton {

using namespace ::editor::model;

// A bone is eligible while it is listed by an active mesh node: shown and in display mode 0.
bool IsEligibleBone(const ModelDocument& document, int bone);
// The next (or previous) eligible bone after `current`, wrapping from 36 to 0 and back;
// `current` itself when the walk comes round to it. `current` must be 0..36.
int StepEligibleBone(const ModelDocument& document, int current, bool forward);

}  // namespace editor::skeleton
