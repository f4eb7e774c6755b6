#pragma once
// The texture-vertex lookup as the export uses it: an unmatched coordinate is reported on the
// console each time it is looked up.

#include <ostream>

#include "fmtoobj/texture_lookup.h"
#include "fmtoobj/triangles.h"

namespace fmtoobj {

int FindTextureVertexReporting(const TextureLookup& lookup, const GlVertex& vertex,
                               std::ostream& console);

}  // namespace fmtoobj
