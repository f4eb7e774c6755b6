#pragma once
// "Fit Skeleton to Model" on the document: the model's triangles as the scene shows them (those
// bound to a bone of a switched-off mesh node left out) fitted with the skeleton, and the result
// set as the skeleton's pose and bone lengths, as if every joint had been dragged there.

#include "editor/model/forward.h"
#include "editor/skeleton/skeleton_fit.h"

namespace editor::skeleton {

using namespace ::editor::model;

class Posing;

enum class FitSkeletonOutcome { Fitted, NoModel, ReadBackFailed, NoSurface, LyingDown, NoLegs };

// The document-level outcome of a fit's failure (Fitted for none).
FitSkeletonOutcome OutcomeOf(SkeletonFitFailure failure);

// The triangles of the model that take part, in scene coordinates (read back from its shape).
// False when the model has no shape or its geometry cannot be read back.
bool ModelTrianglesForFit(ModelDocument& document, std::vector<Triangle3>& triangles);

// Where every joint stands now, display space.
JointPositions CurrentJointPositions(const ModelDocument& document);

// Sets the skeleton to the joint positions: each bone runs from its start joint to its end
// joint at that length and keeps its roll, turned with it.
void PlaceSkeleton(Posing& posing, const JointPositions& joints);

// Fits the skeleton into the model; nothing changes unless it is Fitted.
FitSkeletonOutcome FitSkeletonToModel(Posing& posing);

}  // namespace editor::skeleton
