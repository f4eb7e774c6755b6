#include "editor/shell/outcome_message.h"

#include "editor/shell/ui.h"

namespace editor::shell {

bool Succeeded(Ui& ui, const Status& status) {
    if (status.Kind() == Failure::Refused) {
        ui.ShowMessage(status.Reason());
    }
    return status.Ok();
}

}  // namespace editor::shell
