#include "fmtoobj/sample_models.h"

namespace fmtoobj {

namespace {

// Corner k of the box: bit 0 is x, bit 1 is y, bit 2 is z.
PackedVertex BoxCorner(int k) {
    return PackedVertex{static_cast<uint8_t>(k & 1 ? 200 : 0),
                        static_cast<uint8_t>(k & 2 ? 100 : 0),
                        static_cast<uint8_t>(k & 4 ? 250 : 0), 0};
}

FlexFrame BoxFrame(const char* name, float height) {
    FlexFrame frame;
    frame.name = name;
    frame.space.scale = {0.25f, 0.25f, height / 250.0f};
    frame.space.translate = {-25.0f, -12.5f, 0.0f};
    for (int k = 0; k < 8; ++k) {
        frame.vertices.push_back(BoxCorner(k));
    }
    return frame;
}

// The box's faces as corner quadruples, wound outwards.
constexpr int FACES[6][4] = {{4, 5, 7, 6}, {0, 2, 3, 1}, {0, 1, 5, 4},
                             {2, 6, 7, 3}, {1, 3, 7, 5}, {0, 4, 6, 2}};
constexpr int16_t SKIN_CORNERS[4][2] = {{0, 0}, {255, 0}, {255, 255}, {0, 255}};

GlVertex FaceCorner(int face, int corner) {
    return GlVertex{SKIN_CORNERS[corner][0] / 256.0f, SKIN_CORNERS[corner][1] / 256.0f,
                    FACES[face][corner]};
}

void AddFaceNode(FlexModelContent& model, int face) {
    MeshNodeRecord node;
    node.glStart = static_cast<int16_t>(model.glCommandWords.size());
    for (int half = 0; half < 2; ++half) {
        int triangle = 2 * face + half;
        GlVertex corners[3] = {FaceCorner(face, 0), FaceCorner(face, 1 + half),
                               FaceCorner(face, 2 + half)};
        AppendGlCommand(model.glCommandWords, GlCommandKind::Fan, corners);
        SetMaskBit(node.triangleMask, triangle);
        for (const GlVertex& corner : corners) {
            SetMaskBit(node.vertexMask, corner.vertexIndex);
        }
        TriangleRecord record;
        for (int i = 0; i < 3; ++i) {
            record.vertexIndex[i] = static_cast<int16_t>(corners[i].vertexIndex);
            record.stIndex[i] = static_cast<int16_t>(i == 0 ? 0 : i + half);
        }
        model.triangles.push_back(record);
    }
    EndGlCommandList(model.glCommandWords);
    node.glCount = static_cast<int16_t>(model.glCommandWords.size() - node.glStart);
    model.meshNodes.push_back(node);
}

void AddEmptyNode(FlexModelContent& model) {
    MeshNodeRecord node;
    node.glStart = static_cast<int16_t>(model.glCommandWords.size());
    EndGlCommandList(model.glCommandWords);
    node.glCount = 1;
    model.meshNodes.push_back(node);
}

// Origin, direction point and up point of one oriented point, packed for `frame`.
void AppendOrientedPoint(float* out, const FlexFrame& frame, FlexPoint origin) {
    const FlexPoint points[3] = {origin,
                                 {origin[0] + 10.0f, origin[1], origin[2]},
                                 {origin[0], origin[1], origin[2] + 5.0f}};
    for (int i = 0; i < 3; ++i) {
        FlexPoint stored = frame.space.EncodePoint(points[i]);
        for (int axis = 0; axis < 3; ++axis) {
            out[3 * i + axis] = stored[axis];
        }
    }
}

void AddSkeletonAndReferences(FlexModelContent& model) {
    FlexSkeleton skeleton;
    skeleton.clusters = {{0, 1, 2, 3}, {4, 5}, {6, 7}};
    FlexReferences references;
    for (const FlexFrame& frame : model.frames) {
        std::array<float, SKELETON_FRAME_FLOATS> joints{};
        for (int j = 0; j < SKELETON_JOINT_COUNT; ++j) {
            AppendOrientedPoint(&joints[9 * j], frame, {0.0f, 0.0f, 20.0f + 10.0f * j});
        }
        skeleton.framePoints.push_back(joints);
        std::array<float, REFERENCE_FRAME_FLOATS> points{};
        for (int r = 0; r < REFERENCE_POINT_COUNT; ++r) {
            AppendOrientedPoint(&points[9 * r], frame, {-20.0f + 6.0f * r, 4.0f, 8.0f * r});
        }
        references.framePoints.push_back(points);
    }
    model.skeleton = skeleton;
    model.references = references;
}

}  // namespace

FlexModelContent SampleModel() {
    FlexModelContent model;
    model.skins = {"models/player/elf/!skin.m8", "models/player/elf/!skindmg.m8"};
    for (const auto& corner : SKIN_CORNERS) {
        model.stCoords.push_back(StCoord{corner[0], corner[1]});
    }
    model.frames = {BoxFrame("stand1", 60.0f), BoxFrame("stand2", 55.0f)};
    for (int face = 0; face < 6; ++face) {
        AddFaceNode(model, face);
    }
    while (model.meshNodes.size() < FLEX_MAX_MESH_NODES) {
        AddEmptyNode(model);
    }
    AddSkeletonAndReferences(model);
    return model;
}

FlexModelContent CapacityModel() {
    FlexModelContent model;
    model.skins = {"models/player/elf/!skin.m8", "models/player/elf/!skindmg.m8"};
    FlexFrame frame;
    frame.name = "stand1";
    frame.space = PackedSpace{{0.3f, 0.3f, 0.4f}, {-38.0f, -38.0f, -20.0f}};
    for (int i = 0; i < FLEX_MAX_VERTICES; ++i) {
        frame.vertices.push_back(
            PackedVertex{static_cast<uint8_t>(i * 37), static_cast<uint8_t>(i * 11),
                         static_cast<uint8_t>(i / 8), static_cast<uint8_t>(i % 162)});
        model.stCoords.push_back(
            StCoord{static_cast<int16_t>(i % 256), static_cast<int16_t>(i / 256)});
    }
    model.frames = {frame};
    AddSkeletonAndReferences(model);
    constexpr int trianglesPerNode = FLEX_MAX_TRIANGLES / FLEX_MAX_MESH_NODES;
    for (int node = 0; node < FLEX_MAX_MESH_NODES; ++node) {
        MeshNodeRecord record;
        record.glStart = static_cast<int16_t>(model.glCommandWords.size());
        for (int k = 0; k < trianglesPerNode; ++k) {
            int triangle = node * trianglesPerNode + k;
            // Each node draws from its own eighth of the vertices, so a sparse node file
            // leaves most of them out.
            int base = (node % 8) * 256;
            int corners[3] = {base + k, base + (k + 1) % 256, base + (k + 97) % 256};
            GlVertex vertices[3];
            TriangleRecord record3;
            for (int c = 0; c < 3; ++c) {
                const StCoord& st = model.stCoords[corners[c]];
                vertices[c] = GlVertex{st.s / 256.0f, st.t / 256.0f, corners[c]};
                record3.vertexIndex[c] = static_cast<int16_t>(corners[c]);
                record3.stIndex[c] = static_cast<int16_t>(corners[c]);
                SetMaskBit(record.vertexMask, corners[c]);
            }
            SetMaskBit(record.triangleMask, triangle);
            AppendGlCommand(model.glCommandWords, GlCommandKind::Fan, vertices);
            model.triangles.push_back(record3);
        }
        EndGlCommandList(model.glCommandWords);
        record.glCount = static_cast<int16_t>(model.glCommandWords.size() - record.glStart);
        model.meshNodes.push_back(record);
    }
    return model;
}

}  // namespace fmtoobj
