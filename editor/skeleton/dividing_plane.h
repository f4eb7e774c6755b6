#pragma once

#include "editor/model/forward.h"

namespace editor::skeleton {

using namespace ::editor::model;

constexpr const char* DIVIDING_PLANE_NAME = "dividing plane";

// Creates the dividing plane's shape: a 64 x 64 slab 0.2 thick in its local X-Z plane, at the
// scene's origin, drawn black until it is switched on.
void CreateDividingPlane(ModelDocument& document);

}  // namespace editor::skeleton
