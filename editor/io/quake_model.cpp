#include "editor/io/quake_model.h"

#include <algorithm>

#include "bytes/byte_reader.h"
#include "editor/model/skin_coordinates.h"
#include "flexmodel/record_io.h"

namespace editor::io {

using namespace ::bytes;
using namespace ::flexmodel;

namespace {

bool CountFits(int32_t count) {
    return count >= 0 && count <= MAX_MESH_ELEMENTS;
}

bool ReadTriangles(const QuakeModelLayout& layout, RawMesh& mesh) {
    const ByteReader in(layout.triangles);
    for (int32_t i = 0; i < layout.numTris; ++i) {
        auto record = ReadTriangleRecord(in, static_cast<std::size_t>(i) * TRIANGLE_RECORD_SIZE);
        if (!record) {
            return false;
        }
        RawTriangle triangle;
        for (int k = 0; k < 3; ++k) {
            triangle.corners[k] = record->vertexIndex[k];
            triangle.texCorners[k] = record->stIndex[k];
        }
        mesh.triangles.push_back(triangle);
    }
    return true;
}

// Texture coordinates count pixels of the file's skin; the editor counts texels of a 256 x 256
// one, so a skin of another size (a Quake 2 skin of 308 x 193) would otherwise put them
// outside the skin every later step works in.
double TexelScale(int32_t skinSide) {
    return skinSide > 0 ? SKIN_TEXELS / skinSide : 1.0;
}

bool ReadStCoords(const QuakeModelLayout& layout, RawMesh& mesh) {
    const ByteReader in(layout.stCoords);
    const double scaleS = TexelScale(layout.skinWidth);
    const double scaleT = TexelScale(layout.skinHeight);
    for (int32_t i = 0; i < layout.numSt; ++i) {
        auto coord = ReadStCoord(in, static_cast<std::size_t>(i) * ST_COORD_SIZE);
        if (!coord) {
            return false;
        }
        mesh.texVertices.push_back(
            {static_cast<float>(coord->s * scaleS), static_cast<float>(coord->t * scaleT)});
    }
    return true;
}

bool FrameSizeUsable(const QuakeModelLayout& layout) {
    return layout.frameSize >= static_cast<int32_t>(FRAME_HEADER_SIZE) && layout.numFrames >= 0;
}

// Offset of the frame called frameName (the first frame for an empty name) in the frames
// section, or -1.
int64_t FindFrame(const QuakeModelLayout& layout, const std::string& frameName) {
    const ByteReader in(layout.frames);
    for (int32_t k = 0; k < layout.numFrames; ++k) {
        const std::size_t offset = static_cast<std::size_t>(k) * layout.frameSize;
        auto header = ReadFrameHeader(in, offset);
        if (!header) {
            return -1;
        }
        if (frameName.empty() || header->Name() == frameName) {
            return static_cast<int64_t>(offset);
        }
    }
    return -1;
}

// The x byte is negated before scaling, which mirrors the model in x.
bool ReadFrameVertices(const QuakeModelLayout& layout, std::size_t frameOffset, RawMesh& mesh) {
    const ByteReader in(layout.frames);
    auto header = ReadFrameHeader(in, frameOffset);
    if (!header) {
        return false;
    }
    const auto& scale = header->scale;
    const auto& translate = header->translate;
    for (int32_t i = 0; i < layout.numXyz; ++i) {
        auto packed = ReadPackedVertex(
            in, frameOffset + FRAME_HEADER_SIZE + static_cast<std::size_t>(i) * PACKED_VERTEX_SIZE);
        if (!packed) {
            return false;
        }
        const float x = -static_cast<float>(packed->x) * scale[0] + translate[0];
        const float y = static_cast<float>(packed->y) * scale[1] + translate[1];
        const float z = static_cast<float>(packed->z) * scale[2] + translate[2];
        mesh.vertices.push_back({x, y, z});
        mesh.normalIndices.push_back(packed->normalIndex);
    }
    return true;
}

}  // namespace

std::vector<std::string> ListQuakeSkins(const QuakeModelLayout& layout) {
    constexpr std::size_t NAME_SIZE = 64;
    std::vector<std::string> names;
    const std::size_t whole = layout.skins.size() / NAME_SIZE;
    const std::size_t count = std::min<std::size_t>(std::max(layout.numSkins, 0), whole);
    for (std::size_t i = 0; i < count; ++i) {
        const auto field = layout.skins.subspan(i * NAME_SIZE, NAME_SIZE);
        std::string name(field.begin(), field.end());
        name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
        if (!name.empty()) {
            names.push_back(name);
        }
    }
    return names;
}

Status ListQuakeFrames(const QuakeModelLayout& layout, std::vector<std::string>& names) {
    names.clear();
    if (!FrameSizeUsable(layout)) {
        return Status::BadData("Frame size cannot hold a frame header");
    }
    const ByteReader in(layout.frames);
    for (int32_t k = 0; k < layout.numFrames; ++k) {
        auto header = ReadFrameHeader(in, static_cast<std::size_t>(k) * layout.frameSize);
        if (!header) {
            names.clear();
            return Status::BadData("Frame header cut short");
        }
        names.emplace_back(header->Name());
    }
    return Status();
}

Status ReadQuakeFrame(const QuakeModelLayout& layout, const std::string& frameName, RawMesh& mesh) {
    mesh = RawMesh{};
    const bool usable =
        CountFits(layout.numXyz) && CountFits(layout.numSt) && CountFits(layout.numTris) &&
        FrameSizeUsable(layout) &&
        static_cast<int64_t>(layout.frameSize) >=
            static_cast<int64_t>(FRAME_HEADER_SIZE) +
                static_cast<int64_t>(layout.numXyz) * static_cast<int64_t>(PACKED_VERTEX_SIZE);
    if (!usable) {
        return Status::BadData("Model counts exceed a capacity or the frame size");
    }
    if (!ReadTriangles(layout, mesh)) {
        mesh = RawMesh{};
        return Status::BadData("Triangles cut short");
    }
    const int64_t frameOffset = FindFrame(layout, frameName);
    if (frameOffset < 0) {
        mesh = RawMesh{};
        return Status::BadData("No frame named " + frameName);
    }
    if (!ReadFrameVertices(layout, static_cast<std::size_t>(frameOffset), mesh) ||
        !ReadStCoords(layout, mesh)) {
        mesh = RawMesh{};
        return Status::BadData("Frame or texture vertices cut short");
    }
    RawGroup all{"mesh", {}};
    for (int32_t i = 0; i < layout.numTris; ++i) {
        all.triangles.push_back(i);
    }
    mesh.groups.push_back(std::move(all));
    mesh.oriented = true;
    if (!RawMeshFits(mesh)) {
        return Status::BadData("A triangle names a vertex the model does not have");
    }
    return Status();
}

}  // namespace editor::io
