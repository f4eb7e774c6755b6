#pragma once
// The steps "Auto Rig" walks, each also a command of its own: true when the step succeeded
// (its status line written), false after it told the user why not.

#include "editor/shell/forward.h"

namespace editor::shell {

bool FitModelToSkeletonStep(CMainFrame& frame);
bool FitSkeletonToModelStep(CMainFrame& frame);
bool BindUnboundTrianglesStep(CMainFrame& frame);

}  // namespace editor::shell
