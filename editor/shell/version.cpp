#include "editor/shell/version.h"

namespace editor::shell {

#ifndef MARIONET_VERSION
#define MARIONET_VERSION "0.0.0"
#endif

const char* MarionetVersion() {
    return MARIONET_VERSION;
}

std::string AboutText() {
    return std::string("Marionet Version ") + MARIONET_VERSION +
           " - character models for Heretic II";
}

}  // namespace editor::shell
