#include "editor/model/generated_part.h"

namespace editor::model {

void GeneratedPart::SetDisplayMode(uint32_t /*mode*/) {
    MeshPart::SetDisplayMode(DISPLAY_CONNECTING);
}

}  // namespace editor::model
