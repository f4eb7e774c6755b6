#include "editor/export/frame_packing.h"

#include <algorithm>
#include <array>

#include "flexmodel/record_io.h"

namespace editor::flexexport {

namespace {

PackedSpace SpaceOf(const MeshData& mesh, int vertexCount) {
    if (vertexCount <= 0) {
        return PackedSpace::Spanning({0.0, 0.0, 0.0}, {0.0, 0.0, 0.0});
    }
    std::array<double, 3> low{9999999999.0, 9999999999.0, 9999999999.0};
    std::array<double, 3> high{-9999999999.0, -9999999999.0, -9999999999.0};
    for (int v = 0; v < vertexCount; ++v) {
        const double xyz[3] = {mesh.vertices[v].x, mesh.vertices[v].y, mesh.vertices[v].z};
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], xyz[axis]);
            high[axis] = std::max(high[axis], xyz[axis]);
        }
    }
    return PackedSpace::Spanning(low, high);
}

}  // namespace

PackedSpace PackFrame(const MeshData& mesh, int vertexCount, const uint8_t* normalIndices,
                      std::string_view name, ByteWriter& out) {
    const PackedSpace space = SpaceOf(mesh, vertexCount);
    FrameHeader header;
    header.scale = space.scale;
    header.translate = space.translate;
    SetFixedName(header.name, name);
    AppendFrameHeader(out, header);
    for (int v = 0; v < vertexCount; ++v) {
        const Vector& point = mesh.vertices[v];
        AppendPackedVertex(out, PackedVertex{space.EncodeCoordinate(0, point.x),
                                             space.EncodeCoordinate(1, point.y),
                                             space.EncodeCoordinate(2, point.z), normalIndices[v]});
    }
    return space;
}

void PackReferencePoints(const PackedSpace& space, ReferencePoints& points) {
    for (auto& bone : points) {
        for (Vector& point : bone) {
            const FlexPoint stored = space.EncodePoint({point.x, point.y, point.z});
            point.x = stored[0];
            point.y = stored[1];
            point.z = stored[2];
        }
    }
}

}  // namespace editor::flexexport
