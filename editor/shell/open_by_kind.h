#pragma once

#include <string>

namespace editor::shell {

// The command that loads a file named on the command line, as the desktop passes a file it
// opens with Marionet: pose files (".spz"), bone lengths (".bnz"), bindings (".bnd") and
// orientations (".ori") by their endings, in any case; every other file goes to "Open...",
// whose importer knows the mesh formats and says why it refuses one.
int CommandToOpenFile(const std::string& path);

}  // namespace editor::shell
