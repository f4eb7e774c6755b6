#include "editor/model/joint_part.h"

void JointPart::Refresh() {
    displayFlags[0] = 0;
    Show(visible);
    SetDisplayMode(displayMode);
}
