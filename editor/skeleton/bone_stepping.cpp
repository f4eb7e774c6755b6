#include "editor/skeleton/bone_stepping.h"

#include "editor/model/model_document.h"

namespace editor::skeleton {

using namespace ::editor::model;

bool IsEligibleBone(const ModelDocument& document, int bone) {
    if (bone < 0 || bone >= NUM_BONES) {
        return false;
    }
    const BonePart& part = document.bones[bone];
    return part.visible != 0 && part.displayMode == DISPLAY_NORMAL;
}

int StepEligibleBone(const ModelDocument& document, int current, bool forward) {
    int step = forward ? 1 : NUM_BONES - 1;
    for (int bone = (current + step) % NUM_BONES; bone != current;
         bone = (bone + step) % NUM_BONES) {
        if (IsEligibleBone(document, bone)) {
            return bone;
        }
    }
    return current;
}

}  // namespace editor::skeleton
