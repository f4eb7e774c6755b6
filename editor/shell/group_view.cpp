#include "editor/shell/group_view.h"

#include "editor/groups/group_display.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/main_frame.h"

namespace editor::shell {

using namespace ::editor::groups;
using namespace ::editor::model;
using namespace ::editor::skeleton;

void ShowTemporaryGroup(CMainFrame& frame, const TriangleSet& set) {
    groups::ShowTemporaryGroup(frame.Document().model, set);
    frame.View().Update(0.0);
}

TriangleGroupTable* ModelGroupsOrRefuse(CMainFrame& frame) {
    TriangleGroupTable* table = frame.Document().model.mesh.groupTable.get();
    if (table == nullptr) {
        frame.GetUi().ShowMessage(NO_GROUP_TABLE_MESSAGE);
    }
    return table;
}

}  // namespace editor::shell
