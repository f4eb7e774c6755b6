#pragma once
// The printout of the selected frame's reference points and skeleton joints.

#include <string>

#include "fmtoobj/frame_model.h"

namespace fmtoobj {

// Empty when the file had neither references nor skeleton positions.
std::string ExtendedText(const FrameModel& model);

}  // namespace fmtoobj
