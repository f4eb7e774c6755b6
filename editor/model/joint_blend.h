#pragma once
// Smooth joints: how much of its neighbouring bones' motion each vertex of the generated model
// takes. Generation fills the weights from the bindings and the rest pose; posing reads them
// when smoothing is on.

#include <cstdint>

#include "editor/model/capacities.h"
#include "editor/model/pose_vector.h"

namespace editor::model {

// Neighbouring bones a vertex may blend with besides its own.
constexpr int MAX_BLEND_NEIGHBOURS = 3;
// The blend zone reaches this share of the shorter bone of a joint into each of its two bones:
// at 50 the zones of a bone's two joints meet at the middle of the shorter bone, and every
// vertex past them follows its own bone alone.
constexpr int DEFAULT_JOINT_BLEND_PERCENT = 50;
constexpr int MAX_JOINT_BLEND_PERCENT = 100;

// A vertex's share of its neighbours; its own bone takes the rest. No neighbours: the vertex
// follows its bone alone, exactly as without smoothing. Each neighbour turns the vertex about
// the joint it shares with the vertex's bone: the start of the anchor bone.
struct VertexBlend {
    uint8_t count = 0;
    uint8_t bones[MAX_BLEND_NEIGHBOURS] = {};
    uint8_t anchors[MAX_BLEND_NEIGHBOURS] = {};
    float weights[MAX_BLEND_NEIGHBOURS] = {};
};

// A bone's frame at the moment its local coordinates were stored: pose space, start joint and
// rotation (bone frame to pose space).
struct RestFrame {
    PoseVec start;
    Rotation3 rotation;
};

struct JointBlend {
    // "Smooth Joints": the user's choice, kept in the settings.
    uint32_t smooth = 0;
    // "Joint Blend...": the zone as a percentage of the shorter bone, kept in the settings.
    uint32_t zonePercent = DEFAULT_JOINT_BLEND_PERCENT;
    VertexBlend vertices[MAX_MESH_ELEMENTS];

    // No vertex blends (the user's choices stay).
    void ClearWeights() {
        for (VertexBlend& vertex : vertices) {
            vertex = VertexBlend{};
        }
    }
};

}  // namespace editor::model
