#include "fmtoobj/triangles.h"

namespace fmtoobj {

std::vector<Triangle> TrianglesOf(const GlCommand& command) {
    const std::vector<GlVertex>& p = command.vertices;
    std::vector<Triangle> triangles;
    if (p.size() < 3) {
        return triangles;
    }
    triangles.reserve(p.size() - 2);
    for (std::size_t k = 2; k < p.size(); ++k) {
        if (command.kind == GlCommandKind::Fan) {
            triangles.push_back({p[k], p[k - 1], p[0]});
        } else if ((k - 2) % 2 == 0) {
            triangles.push_back({p[k], p[k - 1], p[k - 2]});
        } else {
            triangles.push_back({p[k - 2], p[k - 1], p[k]});
        }
    }
    return triangles;
}

}  // namespace fmtoobj
