#pragma once

#include <functional>

#include "editor/model/forward.h"
#include "editor/prompts/prompts.h"
#include "editor/props/merge_outcome.h"

namespace editor::props {

using namespace ::editor::model;

using namespace ::editor::prompts;

// The frame's selection, which leaves the model's shape while that shape is rebuilt.
struct ModelSelection {
    // Clears the selection; true when the model's shape was the one selected.
    std::function<bool()> deselect = [] { return false; };
    std::function<void()> reselect = [] {};
};

// "Merge Prop": moves the prop's skin area into free room of the model's skin (asking first
// when they overlap), appends the prop's mesh to the model's, records the merge and rebuilds
// the model's shape. Each note about the skins is a step of work before its question; done when
// the prop was merged, then the view wants redrawing.
MergeOutcome MergeProp(ModelDocument& document, Prompts& prompts,
                       const ModelSelection& selection = {});

// Empties the merged-prop list and the texel map, as opening a model does before its merge.
void ResetMergedProps(ModelDocument& document);

}  // namespace editor::props
