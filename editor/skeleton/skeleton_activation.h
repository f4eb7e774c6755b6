#pragma once

#include <cstdint>

#include "editor/model/skeleton_tables.h"

namespace editor::skeleton {

using namespace ::editor::model;

// How a joint or bone is drawn, derived from the active mesh nodes.
enum ActivationState : int {
    ACTIVATION_OFF = 0,         // drawn black
    ACTIVATION_CONNECTING = 1,  // only links a listed bone to the root; drawn blue
    ACTIVATION_LISTED = 2,      // belongs to an active node; an eligible bone
};

struct SkeletonActivation {
    ActivationState joints[NUM_JOINTS];
    ActivationState bones[NUM_BONES];
};

SkeletonActivation ComputeActivation(const uint32_t activeNodes[NUM_MESH_NODES]);

}  // namespace editor::skeleton
