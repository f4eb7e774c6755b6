#include "editor/model/generated_part.h"

void GeneratedPart::SetDisplayMode(uint32_t /*mode*/) {
    MeshPart::SetDisplayMode(DISPLAY_CONNECTING);
}
