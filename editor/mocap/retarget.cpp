#include "editor/mocap/retarget.h"

#include <algorithm>
#include <cmath>

namespace editor::mocap {

namespace {

constexpr int LEFT_HIP = 1;
constexpr int RIGHT_HIP = 5;
// Shorter than this (in the clip's units) is no segment and gives no direction.
constexpr double TINY = 1e-9;

double Dot(const PoseVec& a, const PoseVec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

PoseVec Cross(const PoseVec& a, const PoseVec& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// `v` without its part along the unit vector `axis`, normalised; a zero vector when v runs
// along the axis.
PoseVec SquareTo(const PoseVec& v, const PoseVec& axis) {
    PoseVec across = v - axis * Dot(v, axis);
    return Length(across) > 1e-9 ? Normalized(across) : PoseVec{};
}

// Some unit vector square to the unit vector `axis`.
PoseVec AnySquareTo(const PoseVec& axis) {
    PoseVec candidate = SquareTo(PoseVec{0.0, 0.0, 1.0}, axis);
    return Length(candidate) > 0.0 ? candidate : SquareTo(PoseVec{0.0, 1.0, 0.0}, axis);
}

// The rotation whose columns are the bone's direction, its roll vector and their cross
// product.
Rotation3 BoneFrame(const PoseVec& direction, const PoseVec& roll) {
    PoseVec third = Cross(direction, roll);
    Rotation3 frame;
    const PoseVec columns[3] = {direction, roll, third};
    for (int c = 0; c < 3; ++c) {
        frame.m[0][c] = columns[c].x;
        frame.m[1][c] = columns[c].y;
        frame.m[2][c] = columns[c].z;
    }
    return frame;
}

PoseVec Column(const Rotation3& frame, int c) {
    return {frame.m[0][c], frame.m[1][c], frame.m[2][c]};
}

// The built-in skeleton's bone frames: directions from the table offsets, rolls from the
// table roll vectors.
void PlayerRestFrames(Rotation3 frames[NUM_BONES]) {
    PoseVec positions[NUM_JOINTS];
    BuiltInJointPositions(positions);
    for (int b = 0; b < NUM_BONES; ++b) {
        PoseVec direction =
            Normalized(positions[boneTable[b].endJoint] - positions[boneTable[b].startJoint]);
        PoseVec roll = SquareTo(BuiltInRollVector(b), direction);
        frames[b] = BoneFrame(direction, Length(roll) > 0.0 ? roll : AnySquareTo(direction));
    }
}

}  // namespace

PoseVec Retargeter::PointInPose(const ClipFrame& frame, const SourcePoint& point) const {
    PoseVec position = point.endSite ? EndSitePosition(*clip_, frame, point.joint)
                                     : frame.positions[static_cast<size_t>(point.joint)];
    return toPose_ * position;
}

// The joint whose turn carries the segment ending at this player joint's point.
Rotation3 Retargeter::DriverRotation(const ClipFrame& frame, int playerJoint) const {
    const SourcePoint& point = map_.points[playerJoint];
    int driver = point.joint;
    if (!point.endSite && clip_->joints[static_cast<size_t>(driver)].parent >= 0) {
        driver = clip_->joints[static_cast<size_t>(driver)].parent;
    }
    return toPose_ * frame.rotations[static_cast<size_t>(driver)] * Transposed(toPose_);
}

Status Retargeter::FindAxes(const ClipFrame& rest) {
    const PoseVec up{0.0, 1.0, 0.0};
    PoseVec across = rest.positions[static_cast<size_t>(map_.points[LEFT_HIP].joint)] -
                     rest.positions[static_cast<size_t>(map_.points[RIGHT_HIP].joint)];
    PoseVec left = SquareTo(across, up);
    if (Length(left) == 0.0) {
        return Status::Refuse(
            "its rest pose has the hips on top of each other, so it has no left and right");
    }
    PoseVec forward = Cross(left, up);
    const PoseVec rows[3] = {forward, left, up};
    for (int r = 0; r < 3; ++r) {
        toPose_.m[r][0] = rows[r].x;
        toPose_.m[r][1] = rows[r].y;
        toPose_.m[r][2] = rows[r].z;
    }
    return {};
}

// Leg heights run from the hips to the lower toes, in the clip's rest pose and in the
// player's rest pose at the current lengths.
Status Retargeter::FindRootScale(const ClipFrame& rest) {
    PoseVec hips = PointInPose(rest, map_.points[ROOT_JOINT]);
    double clipLegHeight = std::max((hips - PointInPose(rest, map_.points[LEFT_TOES_JOINT])).z,
                                    (hips - PointInPose(rest, map_.points[RIGHT_TOES_JOINT])).z);
    if (!(clipLegHeight > TINY)) {
        return Status::Refuse("its rest pose does not have the toes below the hips");
    }
    Rotation3 restFrames[NUM_BONES];
    PlayerRestFrames(restFrames);
    double left = 0.0;
    double right = 0.0;
    for (int b : {0, 1, 2, 3}) {
        left -= Column(restFrames[b], 0).z * lengths_[b];
        right -= Column(restFrames[b + 4], 0).z * lengths_[b + 4];
    }
    playerLegHeight_ = std::max(left, right);
    rootScale_ = playerLegHeight_ / clipLegHeight;
    return {};
}

void Retargeter::FindGround() {
    ClipFrame frame;
    groundHeight_ = 0.0;
    for (int row = 0; row < clip_->frameCount; ++row) {
        PoseClip(*clip_, clip_->Row(row), frame);
        double lowest = std::min(PointInPose(frame, map_.points[LEFT_TOES_JOINT]).z,
                                 PointInPose(frame, map_.points[RIGHT_TOES_JOINT]).z);
        groundHeight_ = row == 0 ? lowest : std::min(groundHeight_, lowest);
        if (row == 0) {
            firstRoot_ = PointInPose(frame, map_.points[ROOT_JOINT]);
        }
    }
}

void Retargeter::PrepareBoneFrames(const ClipFrame& rest) {
    Rotation3 restFrames[NUM_BONES];
    PlayerRestFrames(restFrames);
    for (int b = 0; b < NUM_BONES; ++b) {
        int start = boneTable[b].startJoint;
        int end = boneTable[b].endJoint;
        mapped_[b] = false;
        if (map_.Has(start) && map_.Has(end)) {
            PoseVec segment =
                PointInPose(rest, map_.points[end]) - PointInPose(rest, map_.points[start]);
            if (Length(segment) > TINY) {
                mapped_[b] = true;
                PoseVec roll = SquareTo(Column(restFrames[b], 1), Normalized(segment));
                restRoll_[b] = Length(roll) > 0.0 ? roll : AnySquareTo(Normalized(segment));
            }
        }
        int parent = BoneEndingAt(start);
        relativeToParent_[b] =
            parent == NO_BONE ? restFrames[b] : Transposed(restFrames[parent]) * restFrames[b];
    }
}

Status Retargeter::Prepare(const BvhClip& clip, const BoneLengths& lengths) {
    clip_ = &clip;
    std::copy(std::begin(lengths), std::end(lengths), std::begin(lengths_));
    if (Status mapped = MapSkeleton(clip, map_); !mapped) {
        return mapped;
    }
    ClipFrame rest;
    PoseClip(clip, nullptr, rest);
    if (Status axes = FindAxes(rest); !axes) {
        return axes;
    }
    if (Status scale = FindRootScale(rest); !scale) {
        return scale;
    }
    PrepareBoneFrames(rest);
    FindGround();
    return {};
}

PoseVec Retargeter::RootPosition(const ClipFrame& frame, bool keepRootMotion) const {
    PoseVec hips = PointInPose(frame, map_.points[ROOT_JOINT]);
    PoseVec root;
    root.z = rootScale_ * (hips.z - groundHeight_) - playerLegHeight_;
    if (keepRootMotion) {
        root.x = rootScale_ * (hips.x - firstRoot_.x);
        root.y = rootScale_ * (hips.y - firstRoot_.y);
    }
    return root;
}

void Retargeter::MakePose(const double* row, bool keepRootMotion, PoseRecord& record) const {
    ClipFrame frame;
    PoseClip(*clip_, row, frame);
    const Rotation3 hips = DriverRotation(frame, ROOT_JOINT);
    Rotation3 frames[NUM_BONES];
    PoseVec positions[NUM_JOINTS];
    positions[ROOT_JOINT] = RootPosition(frame, keepRootMotion);
    // Parents first, so a bone without a source finds its parent's frame done.
    for (const JointOrderEntry& entry : jointOrder) {
        if (entry.parent < 0) {
            continue;
        }
        int b = boneEndingAt[entry.joint];
        int start = boneTable[b].startJoint;
        if (mapped_[b]) {
            PoseVec direction = Normalized(PointInPose(frame, map_.points[entry.joint]) -
                                           PointInPose(frame, map_.points[start]));
            PoseVec roll = SquareTo(DriverRotation(frame, entry.joint) * restRoll_[b], direction);
            frames[b] = BoneFrame(direction, Length(roll) > 0.0 ? roll : AnySquareTo(direction));
        } else {
            int parent = BoneEndingAt(start);
            frames[b] = (parent == NO_BONE ? hips : frames[parent]) * relativeToParent_[b];
        }
        positions[entry.joint] = positions[entry.parent] + Column(frames[b], 0) * lengths_[b];
    }
    record = PoseRecord{};
    for (int b = 0; b < NUM_BONES; ++b) {
        record.startPositions[b] = positions[boneTable[b].startJoint];
        record.angles[b] = CaptureBoneAngles(Column(frames[b], 0), Column(frames[b], 1));
    }
}

}  // namespace editor::mocap
