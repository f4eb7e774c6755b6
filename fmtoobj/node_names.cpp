#include "fmtoobj/node_names.h"

#include <array>

#include "flexmodel/records.h"

namespace fmtoobj {

using namespace ::flexmodel;

std::string_view NodeGroupName(int node, bool partNames) {
    static constexpr std::array<std::string_view, FLEX_MAX_MESH_NODES> generic = {
        "Node0", "Node1", "Node2",  "Node3",  "Node4",  "Node5",  "Node6",  "Node7",
        "Node8", "Node9", "Node10", "Node11", "Node12", "Node13", "Node14", "Node15"};
    static constexpr std::array<std::string_view, FLEX_MAX_MESH_NODES> parts = {
        "Front_Torso",   "Back_Torso", "Stored_Staff", "Stored_Bow", "Armor",    "Right_Arm",
        "Right_Palm",    "Right_Grip", "Blade_Staff",  "Hellstaff",  "Left_Arm", "Left_Palm",
        "Left_Bow_Grip", "Right_Leg",  "Left_Leg",     "Head"};
    if (node < 0 || node >= FLEX_MAX_MESH_NODES) {
        return "";
    }
    return partNames ? parts[node] : generic[node];
}

}  // namespace fmtoobj
