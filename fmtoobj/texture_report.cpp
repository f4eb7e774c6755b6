#include "fmtoobj/texture_report.h"

#include "fmtoobj/console_text.h"

namespace fmtoobj {

int FindTextureVertexReporting(const TextureLookup& lookup, const GlVertex& vertex,
                               std::ostream& console) {
    int index = lookup.Find(vertex.s, vertex.t);
    if (index < 0) {
        console << Format("ERROR: Can't find texture vertex [%f,%f]\n", vertex.s, vertex.t);
    }
    return index;
}

}  // namespace fmtoobj
