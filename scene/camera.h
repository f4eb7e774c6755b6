#pragma once

#include "scene/frame.h"

namespace scene {

// The frame a stage looks from: it looks along its local z with its local y up.
class C3dCamera : public C3dFrame {};

}  // namespace scene
