#include "fmtoobj/command_list.h"

#include <bit>
#include <cstdlib>

#include "fmtoobj/console_text.h"

namespace fmtoobj {

namespace {

std::optional<std::string> ReadCommandVertices(const CommandListSource& source, int node,
                                               std::size_t firstWord, std::size_t count,
                                               std::vector<GlVertex>& vertices) {
    vertices.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t at = 4 * (firstWord + GL_VERTEX_WORDS * i);
        GlVertex vertex;
        vertex.s = std::bit_cast<float>(*source.words.Uint32(at));
        vertex.t = std::bit_cast<float>(*source.words.Uint32(at + 4));
        vertex.vertexIndex = *source.words.Int32(at + 8);
        if (vertex.vertexIndex < 0 || vertex.vertexIndex >= source.vertexCount) {
            return Format("Mesh node %d draws vertex %d, but the model has %d 3D vertices", node,
                          vertex.vertexIndex, source.vertexCount);
        }
        vertices.push_back(vertex);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadCommandList(const CommandListSource& source, int node, int glStart,
                                           int glCount, std::vector<GlCommand>& commands) {
    std::size_t wordCount = source.words.Size() / 4;
    if (glStart < 0 || glCount < 0 || std::size_t(glStart) + std::size_t(glCount) > wordCount) {
        return Format("Mesh node %d commands (words %d to %d) lie outside the %zu GLCMDS words",
                      node, glStart, glStart + glCount, wordCount);
    }
    std::size_t word = std::size_t(glStart);
    std::size_t listEnd = word + std::size_t(glCount);
    while (word < listEnd) {
        int32_t count = *source.words.Int32(4 * word);
        ++word;
        if (count == 0) {
            break;
        }
        std::size_t vertexCount = static_cast<std::size_t>(std::llabs(count));
        if (vertexCount > (wordCount - word) / GL_VERTEX_WORDS) {
            return Format(
                "Mesh node %d has a command of %zu vertices running past the GLCMDS "
                "chunk",
                node, vertexCount);
        }
        GlCommand command;
        command.kind = count < 0 ? GlCommandKind::Fan : GlCommandKind::Strip;
        if (auto fatal = ReadCommandVertices(source, node, word, vertexCount, command.vertices)) {
            return fatal;
        }
        commands.push_back(std::move(command));
        word += GL_VERTEX_WORDS * vertexCount;
    }
    return std::nullopt;
}

}  // namespace fmtoobj
