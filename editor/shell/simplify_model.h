#pragma once
// "Simplify Model...", and the status line of a file simplified as it was opened.

#include <string>

#include "editor/io/assimp_import.h"
#include "editor/shell/forward.h"

namespace editor::shell {

using namespace ::editor::io;

// "Simplified 'HUMAN.blend' from 8560 to 2040 triangles." when the open simplified the file.
void ReportSimplified(CMainFrame& frame, const std::string& path, const ImportReport& report);

// Asks for a triangle count and simplifies the model to it, keeping its texture seams.
void SimplifyModelCommand(CMainFrame& frame);

}  // namespace editor::shell
