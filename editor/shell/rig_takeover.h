#pragma once
// Taking over the skeleton a character file brings: the player's joints placed at the file's
// joints and the mesh bound from the file's skin weights, ready for Make Poseable.

#include <string>

#include "editor/io/assimp_import.h"
#include "editor/shell/forward.h"

namespace editor::shell {

using namespace ::editor::io;

// "'NAME' has its own skeleton of N bones. Fit the player skeleton to it and bind the mesh
// from its weights?"
std::string RigTakeoverQuestion(const std::string& path, std::size_t bones);

// After the file at path was opened as the model: asks the question when the file had a skin,
// and on Yes fits, binds and makes the model poseable. True when it was taken over.
bool OfferRigTakeover(CMainFrame& frame, const std::string& path, const ImportReport& report);

}  // namespace editor::shell
