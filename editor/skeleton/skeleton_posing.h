#pragma once

#include "editor/model/pose_record.h"
#include "editor/skeleton/pose_math.h"

#include "editor/model/forward.h"

namespace editor::skeleton {

using namespace ::editor::model;

// Poses are applied and captured through the document's Posing (posing.h); what follows
// works on the skeleton alone.

// Writes the skeleton as it stands into the record (name zeroed): the true start positions,
// never normalised. Moves nothing.
void ReadPose(const ModelDocument& document, PoseRecord& record);

// Sets every bone's length and stretches its shape; no joint moves.
void SetBoneLengths(ModelDocument& document, const BoneLengths& lengths);
void GetBoneLengths(const ModelDocument& document, BoneLengths& lengths);
double LegHeightRatio(const ModelDocument& document, BoneLengths& scaled);

// Re-aims and re-stretches the bone ending at a joint that moved.
void AimBone(ModelDocument& document, JointPart& joint);

}  // namespace editor::skeleton
