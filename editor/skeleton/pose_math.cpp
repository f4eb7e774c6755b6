#include "editor/skeleton/pose_math.h"

#include "editor/skeleton/pose_angles.h"

namespace editor::skeleton {

namespace {
constexpr PoseVec ALONG_BONE = {1.0, 0.0, 0.0};
constexpr PoseVec ACROSS_BONE = {0.0, 1.0, 0.0};

PoseVec BoneVector(const PoseRecord& record, int bone, double length) {
    return PoseRotation(record.angles[bone]) * (ALONG_BONE * length);
}

double LegSum(const BoneLengths& lengths) {
    return 0.707 * lengths[0] + lengths[1] + lengths[2] + 0.25 * lengths[3] + 0.707 * lengths[4] +
           lengths[5] + lengths[6] + 0.25 * lengths[7];
}
}  // namespace

Rotation3 PoseRotation(const PoseAngles& angles) {
    return RotationY(angles.angleY) * RotationZ(angles.angleZ) * RotationX(angles.angleX);
}

Rotation3 InversePoseRotation(const PoseAngles& angles) {
    return RotationX(-angles.angleX) * RotationZ(-angles.angleZ) * RotationY(-angles.angleY);
}

PoseVec PoseRollVector(const PoseRecord& record, int bone) {
    return PoseRotation(record.angles[bone]) * ACROSS_BONE;
}

PoseVec PoseJointPosition(const PoseRecord& record, const BoneLengths& lengths, int joint) {
    if (joint <= ROOT_JOINT || joint >= NUM_JOINTS) {
        return record.startPositions[CENTER_PELVIS_BONE];
    }
    int bone = boneEndingAt[joint];
    return PoseJointPosition(record, lengths, boneTable[bone].startJoint) +
           BoneVector(record, bone, lengths[bone]);
}

void PoseJointPositions(const PoseRecord& record, const BoneLengths& lengths,
                        PoseVec positions[NUM_JOINTS]) {
    for (const JointOrderEntry& entry : jointOrder) {
        if (entry.parent < 0) {
            positions[entry.joint] = record.startPositions[CENTER_PELVIS_BONE];
            continue;
        }
        int bone = boneEndingAt[entry.joint];
        positions[entry.joint] = positions[entry.parent] + BoneVector(record, bone, lengths[bone]);
    }
}

void DefaultBoneLengths(BoneLengths& lengths) {
    for (int b = 0; b < NUM_BONES; ++b) {
        lengths[b] = boneTable[b].defaultLength;
    }
}

void BoneLengthsFromPose(const PoseRecord& record, BoneLengths& lengths) {
    DefaultBoneLengths(lengths);
    PoseVec jointPositions[NUM_JOINTS];
    bool placed[NUM_JOINTS] = {};
    // Ascending order: where several bones start at one joint, the highest index wins.
    for (int b = 0; b < NUM_BONES; ++b) {
        jointPositions[boneTable[b].startJoint] = record.startPositions[b];
        placed[boneTable[b].startJoint] = true;
    }
    for (int b = 0; b < NUM_BONES; ++b) {
        int start = boneTable[b].startJoint;
        int end = boneTable[b].endJoint;
        if (placed[start] && placed[end]) {
            lengths[b] = Length(jointPositions[end] - jointPositions[start]);
        }
    }
}

double LegHeightRatio(const BoneLengths& current, BoneLengths& scaled) {
    BoneLengths defaults;
    DefaultBoneLengths(defaults);
    double currentSum = LegSum(current);
    // A skeleton with no legs at all would divide by zero; leave it at its size.
    double ratio = currentSum != 0.0 ? LegSum(defaults) / currentSum : 1.0;
    for (int b = 0; b < NUM_BONES; ++b) {
        scaled[b] = current[b] * ratio;
    }
    return ratio;
}

PoseAngles CaptureBoneAngles(const PoseVec& direction, const PoseVec& up) {
    PoseAngles angles;
    PoseVec d = direction;
    PoseVec u = up;
    angles.angleY = WrapAngle(atan2p(d.z, d.x));
    Rotation3 unturnY = RotationY(-angles.angleY);
    d = unturnY * d;
    u = unturnY * u;
    angles.angleZ = WrapAngle(atan2p(d.x, d.y) - QUARTER_TURN);
    Rotation3 unturnZ = RotationZ(-angles.angleZ);
    u = unturnZ * u;
    angles.angleX = WrapAngle(atan2p(u.y, u.z) - QUARTER_TURN);
    return angles;
}

void CaptureBone(PoseRecord& record, int bone, const PoseVec& start, const PoseVec& end,
                 const PoseVec& up) {
    record.startPositions[bone] = start;
    record.angles[bone] = CaptureBoneAngles(end - start, Normalized(up));
}

void NormalizeStartPositions(PoseRecord& record, const BoneLengths& lengths) {
    PoseVec positions[NUM_JOINTS];
    PoseJointPositions(record, lengths, positions);
    for (int b = 0; b < NUM_BONES; ++b) {
        record.startPositions[b] = positions[boneTable[b].startJoint];
    }
}

void BuiltInJointPositions(PoseVec positions[NUM_JOINTS]) {
    for (const JointOrderEntry& entry : jointOrder) {
        if (entry.parent < 0) {
            positions[entry.joint] = PoseVec{};
            continue;
        }
        positions[entry.joint] =
            positions[entry.parent] + TableToPose(jointTable[entry.joint].defaultOffset);
    }
}

PoseVec BuiltInRollVector(int bone) {
    const TableVector& roll = boneTable[bone].defaultRollVector;
    // Normalised in table axes first, as the table stores it, then turned into pose space.
    PoseVec tableAxes = Normalized(PoseVec{static_cast<double>(roll.a), static_cast<double>(roll.b),
                                           static_cast<double>(roll.c)});
    return PoseVec{-tableAxes.z, tableAxes.x, tableAxes.y};
}

void DefaultPoseJointPositions(const PoseRecord& record, PoseVec positions[NUM_JOINTS]) {
    positions[ROOT_JOINT] = record.startPositions[CENTER_PELVIS_BONE];
    for (int j = 1; j < NUM_JOINTS; ++j) {
        int bone = boneEndingAt[j];
        positions[j] =
            record.startPositions[bone] + BoneVector(record, bone, boneTable[bone].defaultLength);
    }
}

}  // namespace editor::skeleton
