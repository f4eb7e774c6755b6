#include "editor/mocap/bvh_clip.h"

namespace editor::mocap {

int BvhClip::FindJoint(const std::string& name) const {
    for (size_t i = 0; i < joints.size(); ++i) {
        if (joints[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace editor::mocap
