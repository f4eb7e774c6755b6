#include "editor/model/file_messages.h"

namespace editor::model {

std::string CantOpenMessage(const std::string& path) {
    return "Can't open '" + path + "'.";
}

}  // namespace editor::model
