#include "editor/skeleton/skeleton_walk.h"

#include "editor/model/skeleton_tables.h"

namespace editor::skeleton {

using namespace ::editor::model;

bool NextJoint(int& joint, int& parent, bool forward, int& cursor) {
    if (forward) {
        ++cursor;
    } else {
        cursor = (cursor < 0 || cursor > NUM_JOINTS) ? NUM_JOINTS - 1 : cursor - 1;
    }
    if (cursor < 0 || cursor >= NUM_JOINTS) {
        joint = NO_JOINT;
        parent = NO_JOINT;
        cursor = -1;
        return false;
    }
    joint = jointOrder[cursor].joint;
    parent = jointOrder[cursor].parent;
    return true;
}

bool NextBone(int& bone, bool forward, int& cursor) {
    int joint = NO_JOINT;
    int parent = NO_JOINT;
    while (NextJoint(joint, parent, forward, cursor)) {
        if (joint != ROOT_JOINT) {
            bone = boneEndingAt[joint];
            return true;
        }
    }
    bone = NO_BONE;
    return false;
}

}  // namespace editor::skeleton
