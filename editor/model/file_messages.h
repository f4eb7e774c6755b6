#pragma once

#include <string>

namespace editor::model {

// "Can't open 'PATH'.": the editor's one message for a file that cannot be opened.
std::string CantOpenMessage(const std::string& path);

}  // namespace editor::model
