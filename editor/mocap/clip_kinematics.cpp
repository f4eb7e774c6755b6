#include "editor/mocap/clip_kinematics.h"

namespace editor::mocap {

namespace {
constexpr double RADIANS_PER_DEGREE = 3.14159265358979323846 / 180.0;
}  // namespace

Rotation3 ChannelRotation(BvhChannel channel, double degrees) {
    // The pose matrices turn the other way round: a BVH angle is their negative.
    double angle = -degrees * RADIANS_PER_DEGREE;
    switch (channel) {
        case BvhChannel::Xrotation:
            return RotationX(angle);
        case BvhChannel::Yrotation:
            return RotationY(angle);
        case BvhChannel::Zrotation:
            return RotationZ(angle);
        default:
            return Rotation3{};
    }
}

void PoseClip(const BvhClip& clip, const double* row, ClipFrame& frame) {
    const size_t count = clip.joints.size();
    frame.positions.assign(count, PoseVec{});
    frame.rotations.assign(count, Rotation3{});
    for (size_t j = 0; j < count; ++j) {
        const BvhJoint& joint = clip.joints[j];
        PoseVec translation = joint.offset;
        Rotation3 local;
        for (int c = 0; row != nullptr && c < joint.channelCount; ++c) {
            double value = row[joint.firstChannel + c];
            switch (joint.channels[c]) {
                case BvhChannel::Xposition:
                    translation.x += value;
                    break;
                case BvhChannel::Yposition:
                    translation.y += value;
                    break;
                case BvhChannel::Zposition:
                    translation.z += value;
                    break;
                default:
                    // Channels listed first turn last: R = R(first) . R(second) . R(third).
                    local = local * ChannelRotation(joint.channels[c], value);
                    break;
            }
        }
        if (joint.parent < 0) {
            frame.positions[j] = translation;
            frame.rotations[j] = local;
            continue;
        }
        const size_t parent = static_cast<size_t>(joint.parent);
        frame.positions[j] = frame.positions[parent] + frame.rotations[parent] * translation;
        frame.rotations[j] = frame.rotations[parent] * local;
    }
}

PoseVec EndSitePosition(const BvhClip& clip, const ClipFrame& frame, int joint) {
    const BvhJoint& source = clip.joints[static_cast<size_t>(joint)];
    const PoseVec& origin = frame.positions[static_cast<size_t>(joint)];
    return source.hasEndSite ? origin + frame.rotations[static_cast<size_t>(joint)] * source.endSite
                             : origin;
}

}  // namespace editor::mocap
