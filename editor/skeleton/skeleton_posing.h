#pragma once

#include "editor/model/pose_record.h"
#include "editor/skeleton/pose_math.h"

#include "editor/model/forward.h"

namespace editor::skeleton {

using namespace ::editor::model;

class PoseObserver;

// Sets the skeleton to the pose. Without normalising, the bone lengths become those the pose
// implies; with it, the pose is fitted to the current lengths.
void ApplyPose(ModelDocument& document, const PoseRecord& record, PoseObserver* observer = nullptr);
// Writes the current skeleton into the record (name zeroed). With normalising, the stored
// positions are those of the default proportions.
void CapturePose(ModelDocument& document, PoseRecord& record, bool storeLocal = false,
                 PoseObserver* observer = nullptr);

// Sets every bone's length and stretches its shape; no joint moves.
void SetBoneLengths(ModelDocument& document, const BoneLengths& lengths);
void GetBoneLengths(const ModelDocument& document, BoneLengths& lengths);
double LegHeightRatio(const ModelDocument& document, BoneLengths& scaled);

// Re-aims and re-stretches the bone ending at a joint that moved.
void AimBone(ModelDocument& document, JointPart& joint);

// Table lengths, then the default pose.
void RestoreDefaults(ModelDocument& document, PoseObserver* observer = nullptr);

}  // namespace editor::skeleton
