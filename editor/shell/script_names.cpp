#include "editor/shell/script_names.h"

#include "editor/model/skeleton_tables.h"
#include "editor/shell/text_util.h"
#include "editor/skeleton/dividing_plane.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;

bool IsScriptObjectName(std::string_view name) {
    return ScriptJointIndex(name) >= 0 || ScriptBoneIndex(name) >= 0 ||
           EqualsIgnoreCase(name, SCRIPT_MODEL_NAME) || EqualsIgnoreCase(name, SCRIPT_PROP_NAME) ||
           EqualsIgnoreCase(name, DIVIDING_PLANE_NAME);
}

int ScriptJointIndex(std::string_view name) {
    for (int j = 0; j < NUM_JOINTS; ++j) {
        if (EqualsIgnoreCase(name, JointTableName(j))) {
            return j;
        }
    }
    return -1;
}

int ScriptBoneIndex(std::string_view name) {
    for (int b = 0; b < NUM_BONES; ++b) {
        if (EqualsIgnoreCase(name, BoneTableName(b))) {
            return b;
        }
    }
    return -1;
}

}  // namespace editor::shell
