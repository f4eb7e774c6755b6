#pragma once
// Questions several libraries ask in the same words.

#include <string>

namespace editor::prompts {

// The Yes/No question asked before anything named is replaced.
inline std::string OverwriteQuestion(const std::string& name) {
    return "OK to overwrite '" + name + "'?";
}

}  // namespace editor::prompts
