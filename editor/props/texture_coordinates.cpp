#include "editor/props/texture_coordinates.h"

#include <algorithm>

#include "editor/model/mesh_data.h"

namespace editor::props {

using namespace ::editor::model;

namespace {

constexpr double SKIN_SIZE = 256.0;

int TexVertexCount(const MeshData& mesh) {
    return std::clamp<int>(mesh.texVertexCount, 0, MAX_MESH_ELEMENTS);
}

}  // namespace

void TextureBounds(const MeshData& mesh, TexelPoint& min, TexelPoint& max) {
    min = {SKIN_SIZE - 1.0, SKIN_SIZE - 1.0};
    max = {0.0, 0.0};
    for (int i = 0; i < TexVertexCount(mesh); ++i) {
        const TexVertex& t = mesh.texVertices[i];
        min.u = std::min<double>(min.u, t.u);
        min.v = std::min<double>(min.v, t.v);
        max.u = std::max<double>(max.u, t.u);
        max.v = std::max<double>(max.v, t.v);
    }
}

int TranslateTexture(MeshData& mesh, int du, int dv) {
    TexelPoint min, max;
    TextureBounds(mesh, min, max);
    if (min.u + du < 0.0 || min.v + dv < 0.0) {
        return 0;
    }
    for (int i = 0; i < TexVertexCount(mesh); ++i) {
        TexVertex& t = mesh.texVertices[i];
        t.u = static_cast<float>(t.u + du);
        t.v = static_cast<float>(t.v + dv);
    }
    return 1;
}

int ScaleTexture(MeshData& mesh, double sx, double sy, double ox, double oy) {
    TexelPoint min, max;
    TextureBounds(mesh, min, max);
    const auto scaled = [](double c, double s, double o) { return (c - o) * s + o; };
    const double u0 = scaled(min.u, sx, ox), u1 = scaled(max.u, sx, ox);
    const double v0 = scaled(min.v, sy, oy), v1 = scaled(max.v, sy, oy);
    // A negative scale swaps the ends, so check both.
    if (std::min(u0, u1) < 0.0 || std::min(v0, v1) < 0.0 || std::max(u0, u1) >= SKIN_SIZE ||
        std::max(v0, v1) >= SKIN_SIZE) {
        return 0;
    }
    for (int i = 0; i < TexVertexCount(mesh); ++i) {
        TexVertex& t = mesh.texVertices[i];
        t.u = static_cast<float>(scaled(t.u, sx, ox));
        t.v = static_cast<float>(scaled(t.v, sy, oy));
    }
    return 1;
}

void RotateTexture(MeshData& mesh) {
    TexelPoint min, max;
    TextureBounds(mesh, min, max);
    for (int i = 0; i < TexVertexCount(mesh); ++i) {
        TexVertex& t = mesh.texVertices[i];
        const double turnedU = std::max(0.0, max.v - t.v);
        t.v = t.u;
        t.u = static_cast<float>(turnedU);
    }
}

}  // namespace editor::props
