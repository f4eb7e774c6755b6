#include "flexmodel/gl_commands.h"

#include <bit>

namespace flexmodel {

void AppendGlCommand(std::vector<uint32_t>& words, GlCommandKind kind,
                     std::span<const GlVertex> vertices) {
    auto count = static_cast<int32_t>(vertices.size());
    words.push_back(static_cast<uint32_t>(kind == GlCommandKind::Fan ? -count : count));
    for (const GlVertex& vertex : vertices) {
        words.push_back(std::bit_cast<uint32_t>(vertex.s));
        words.push_back(std::bit_cast<uint32_t>(vertex.t));
        words.push_back(static_cast<uint32_t>(vertex.vertexIndex));
    }
}

void EndGlCommandList(std::vector<uint32_t>& words) {
    words.push_back(0);
}

}  // namespace flexmodel
