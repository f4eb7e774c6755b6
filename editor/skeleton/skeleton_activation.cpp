#include "editor/skeleton/skeleton_activation.h"

namespace editor::skeleton {

namespace {
void MarkChainToRoot(SkeletonActivation& states, int joint) {
    for (;;) {
        int bone = boneEndingAt[joint];
        if (bone == NO_BONE || states.bones[bone] != ACTIVATION_OFF) {
            return;
        }
        states.bones[bone] = ACTIVATION_CONNECTING;
        joint = boneTable[bone].startJoint;
        if (states.joints[joint] == ACTIVATION_OFF) {
            states.joints[joint] = ACTIVATION_CONNECTING;
        }
    }
}

void MarkListedBone(SkeletonActivation& states, int bone) {
    states.bones[bone] = ACTIVATION_LISTED;
    states.joints[boneTable[bone].startJoint] = ACTIVATION_LISTED;
    states.joints[boneTable[bone].endJoint] = ACTIVATION_LISTED;
    MarkChainToRoot(states, boneTable[bone].startJoint);
}
}  // namespace

SkeletonActivation ComputeActivation(const uint32_t activeNodes[NUM_MESH_NODES]) {
    SkeletonActivation states;
    for (ActivationState& state : states.joints) {
        state = ACTIVATION_OFF;
    }
    for (ActivationState& state : states.bones) {
        state = ACTIVATION_OFF;
    }
    for (int node = 0; node < NUM_MESH_NODES; ++node) {
        if (activeNodes[node] == 0) {
            continue;
        }
        const MeshNodeEntry& entry = meshNodeBones[node];
        for (int k = 0; k < entry.boneCount; ++k) {
            MarkListedBone(states, entry.bones[k]);
        }
    }
    // Anchors only carry equipment; their mesh never counts as the body's.
    for (int anchor : ANCHOR_BONES) {
        if (states.bones[anchor] == ACTIVATION_LISTED) {
            states.bones[anchor] = ACTIVATION_CONNECTING;
        }
    }
    return states;
}

}  // namespace editor::skeleton
