#pragma once
// The OBJ text of one exported frame for one node mask: vertices, texture vertices, then the
// faces of each selected mesh node as its own group.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "fmtoobj/frame_model.h"
#include "fmtoobj/options.h"
#include "fmtoobj/texture_lookup.h"

namespace fmtoobj {

// Unmatched texture coordinates are reported on `console` as they are met.
std::string ObjText(const FrameModel& model, const ConverterOptions& options, uint32_t mask,
                    std::string_view fileName, const TextureLookup& lookup, std::ostream& console);

}  // namespace fmtoobj
