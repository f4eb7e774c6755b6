#pragma once
// Group names of the sixteen mesh nodes: generic, or the Heretic II player's body parts.

#include <string_view>

namespace fmtoobj {

std::string_view NodeGroupName(int node, bool partNames);

}  // namespace fmtoobj
