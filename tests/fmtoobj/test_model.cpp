#include "tests/fmtoobj/test_model.h"

#include <sstream>

#include "flexmodel/chunk_search.h"
#include "flexmodel/record_io.h"
#include "fmtoobj/converter.h"

using namespace ::flexmodel;
using namespace ::fmtoobj;

GlVertex Corner(int vertex, int s, int t) {
    return GlVertex{s / 256.0f, t / 256.0f, vertex};
}

void AddNode(FlexModelContent& model, const std::vector<CommandSpec>& commands) {
    MeshNodeRecord node;
    node.glStart = static_cast<int16_t>(model.glCommandWords.size());
    for (const CommandSpec& command : commands) {
        AppendGlCommand(model.glCommandWords, command.kind, command.vertices);
    }
    EndGlCommandList(model.glCommandWords);
    node.glCount = static_cast<int16_t>(model.glCommandWords.size() - node.glStart);
    model.meshNodes.push_back(node);
}

FlexModelContent TinyModel() {
    FlexModelContent model;
    model.skins = {"models/player/elf/!skin.m8", "models/player/elf/!skindmg.m8"};
    model.stCoords = {{0, 0}, {128, 0}, {0, 64}, {255, 255}};
    model.triangles = {TriangleRecord{{0, 1, 2}, {0, 1, 2}}};
    FlexFrame frame;
    frame.name = "stand1";
    frame.space = PackedSpace{{0.5f, 1.0f, 2.0f}, {1.0f, -2.0f, 0.25f}};
    frame.vertices = {{0, 0, 0, 0}, {10, 0, 0, 0}, {0, 20, 0, 0}, {0, 0, 30, 0}};
    model.frames = {frame};
    AddNode(model, {{GlCommandKind::Fan, {Corner(0, 0, 0), Corner(1, 128, 0), Corner(2, 0, 64)}}});
    AddNode(model, {});
    return model;
}

void AddSkeletonAndReferences(FlexModelContent& model) {
    FlexReferences references;
    FlexSkeleton skeleton;
    skeleton.clusters = {{0, 1}, {2}, {3}};
    for (std::size_t f = 0; f < model.frames.size(); ++f) {
        // Stored values are in packed space: x steps 0.5, y steps 1, z steps 2.
        std::array<float, REFERENCE_FRAME_FLOATS> points{};
        for (int r = 0; r < REFERENCE_POINT_COUNT; ++r) {
            float* p = &points[9 * r];
            p[2] = float(r);  // origin z grows by 2 units a point
            p[3] = 6.0f;      // direction point: +3 along x
            p[5] = float(r);
            p[8] = float(r) + 2.0f;  // up point: +4 along z
        }
        references.framePoints.push_back(points);
        std::array<float, SKELETON_FRAME_FLOATS> joints{};
        for (int j = 0; j < SKELETON_JOINT_COUNT; ++j) {
            float* p = &joints[9 * j];
            p[0] = 10.0f * j;
            p[3] = 10.0f * j;
            p[4] = 3.0f;
            p[6] = 10.0f * j;
            p[7] = -4.0f;
        }
        skeleton.framePoints.push_back(joints);
    }
    model.references = references;
    model.skeleton = skeleton;
}

Conversion Convert(const std::vector<uint8_t>& bytes, const ConverterOptions& options,
                   const std::set<std::string>& uncreatableFiles) {
    Conversion result;
    result.output.refusedNames = uncreatableFiles;
    std::ostringstream console;
    result.status = ConvertModel(bytes, options, console, result.output);
    result.console = console.str();
    return result;
}

Conversion Convert(const FlexModelContent& model, const ConverterOptions& options) {
    return Convert(BuildFlexModel(model), options);
}

std::vector<uint8_t> PatchInt32(std::vector<uint8_t> bytes, std::string_view ident, long offset,
                                int32_t value) {
    auto chunk = FindChunk(bytes, ident);
    if (!chunk) {
        return bytes;
    }
    ByteWriter out;
    out.AppendBytes(bytes);
    out.PatchInt32(static_cast<std::size_t>(static_cast<long>(chunk->dataOffset) + offset), value);
    return out.Take();
}

std::vector<uint8_t> Reorder(const std::vector<uint8_t>& bytes,
                             std::initializer_list<std::string_view> order) {
    ByteWriter out;
    for (std::string_view ident : order) {
        if (auto chunk = FindChunk(bytes, ident)) {
            std::span<const uint8_t> whole(bytes.data() + chunk->headerOffset,
                                           CHUNK_HEADER_SIZE + chunk->dataSize);
            out.AppendBytes(whole);
        }
    }
    return out.Take();
}

std::vector<uint8_t> WithChunk(std::vector<uint8_t> bytes, std::string_view ident, int32_t version,
                               const std::vector<uint8_t>& data) {
    ByteWriter out;
    out.AppendBytes(bytes);
    AppendChunkHeader(out, ident, version, static_cast<int32_t>(data.size()));
    out.AppendBytes(data);
    return out.Take();
}
