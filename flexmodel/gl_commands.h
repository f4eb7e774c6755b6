#pragma once
// Drawing-command words of the "glcmds" chunk: a count (positive: strip, negative: fan), then
// per vertex s, t (fractions of the skin) and a vertex index; each list ends with a 0 word.

#include <cstdint>
#include <span>
#include <vector>

namespace flexmodel {

struct GlVertex {
    float s = 0.0f;
    float t = 0.0f;
    int32_t vertexIndex = 0;
};

enum class GlCommandKind { Strip, Fan };

void AppendGlCommand(std::vector<uint32_t>& words, GlCommandKind kind,
                     std::span<const GlVertex> vertices);
void EndGlCommandList(std::vector<uint32_t>& words);

}  // namespace flexmodel
