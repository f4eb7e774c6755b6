#pragma once
// A character file's own skeleton read as the player's: which of its bones stands at each
// player joint (names recognised as motion-capture clips' are), and which player bone takes
// the skin weight of each of its bones.

#include <array>
#include <string>
#include <vector>

#include "bytes/status.h"
#include "editor/model/pose_vector.h"
#include "editor/model/skeleton_tables.h"

namespace editor::mocap {

using namespace ::bytes;
using namespace ::editor::model;

struct RigBone {
    std::string name;
    int parent = -1;  // parents come first
    PoseVec position;
};

struct RigMapping {
    std::string convention;
    // The source bone at each player joint; -1 where none matches.
    std::array<int, NUM_JOINTS> sourceAtJoint{};
    // For each source bone the player bone that takes its weight: its own, else its nearest
    // mapped ancestor's; NO_BONE when it has neither.
    std::vector<int> playerBoneOf;

    int MatchedJoints() const;
};

// Refused with the reason when the names follow no convention at all; joints the convention
// names but the skeleton lacks are left unmatched.
Status MapRig(const std::vector<RigBone>& bones, RigMapping& mapping);

}  // namespace editor::mocap
