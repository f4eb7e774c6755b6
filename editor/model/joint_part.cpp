#include "editor/model/joint_part.h"

namespace editor::model {

void JointPart::Refresh() {
    displayFlags[0] = 0;
    Show(visible);
    SetDisplayMode(displayMode);
}

}  // namespace editor::model
