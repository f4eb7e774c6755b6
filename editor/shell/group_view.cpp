#include "editor/shell/group_view.h"

#include "editor/groups/group_display.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/main_frame.h"
#include "editor/prompts/questions.h"

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

GroupPrompts FrameGroupPrompts(CMainFrame& frame) {
    Ui& ui = frame.GetUi();
    GroupPrompts prompts;
    prompts.chooseGroup = [&ui](const std::vector<std::string>& names) {
        ListChoiceRequest request;
        request.title = GROUP_CHOICE_TITLE;
        request.items = names;
        request.initialIndex = 0;
        return ui.AskListChoice(request);
    };
    prompts.askName = [&ui] {
        TextRequest request;
        request.title = GROUP_NAME_TITLE;
        return ui.AskText(request);
    };
    prompts.confirmOverwrite = [&ui](const std::string& name) {
        return ui.AskYesNo(OverwriteQuestion(name));
    };
    prompts.showMessage = [&ui](const std::string& text) { ui.ShowMessage(text); };
    return prompts;
}

}  // namespace editor::shell
