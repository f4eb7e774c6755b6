#pragma once
// The skin a model file carries inside it (a GLB's or an FBX's embedded picture), shown as the
// model's skin when the file is opened.

#include "editor/io/assimp_import.h"
#include "editor/shell/forward.h"

namespace editor::shell {

using namespace ::editor::io;

// True when the report held a picture that could be decoded and it became the model's skin.
bool UseEmbeddedSkin(CMainFrame& frame, const ImportReport& report);

}  // namespace editor::shell
