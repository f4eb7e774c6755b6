#pragma once

#include <string>

#include "editor/model/forward.h"

namespace editor::props {

using namespace ::editor::model;

// What merging needs from the main frame: questions, messages, the status line, the selection
// and redrawing.
class PropMergeHost {
  public:
    virtual ~PropMergeHost() = default;
    virtual bool AskOkCancel(const std::string& text) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void SetStatus(const std::string& text) = 0;
    // Clears the selection; true when the model's shape was the one selected.
    virtual bool DeselectModel() = 0;
    virtual void SelectModel() = 0;
    virtual void Redraw() = 0;
};

inline constexpr const char* MERGE_ABORTED_STATUS = "Prop merge aborted";

// "Merge Prop": moves the prop's skin area into free room of the model's skin (asking first
// when they overlap), appends the prop's mesh to the model's, records the merge and rebuilds
// the model's shape. True when the prop was merged.
bool MergeProp(ModelDocument& document, PropMergeHost& host);

// Empties the merged-prop list and the texel map, as opening a model does before its merge.
void ResetMergedProps(ModelDocument& document);

}  // namespace editor::props
