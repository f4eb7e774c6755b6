#pragma once
// What undo keeps of the document: everything a command, a drag or a pick can change, in
// sections that the history shares between states while they do not change. Selection, camera,
// view toggles and options are not kept: moving them is no step.

#include "editor/history/history.h"

#include "editor/model/forward.h"

namespace editor::shell {

using namespace ::editor::model;

class CMainFrame;

// The sections of a document snapshot, in their order.
enum DocumentSection : int {
    kModelVertices,
    kModelTopology,
    kModelShape,
    kModelGroups,
    kPropVertices,
    kPropTopology,
    kPropShape,
    kPropGroups,
    kPlaneVertices,
    kPlaneTopology,
    kPlaneShape,
    kBindings,
    kSkeleton,
    kBoneCoordinates,
    kMeshNodes,
    kSkinMerge,
    kGeneratedVertices,
    kGeneratedTopology,
    kGeneratedShape,
    kGeneratedBlend,
    // Derived: the reference skeleton posing computes, the pose kept while bone lengths change.
    kSkeletonDerived,
    kDocumentSectionCount,
};

// The document as it is now.
::editor::history::Snapshot TakeDocumentSnapshot(const ModelDocument& document);

// Makes the frame's document `target` again, section by section where it differs from `now`
// (the document as it is): shapes are rebuilt or placed as loading leaves them, and a
// selected shape that is replaced stays selected on its successor.
void RestoreDocumentSnapshot(CMainFrame& frame, const ::editor::history::Snapshot& target,
                             const ::editor::history::Snapshot& now);

}  // namespace editor::shell
