#pragma once

#include <string>

#include "bytes/status.h"
#include "editor/mocap/bvh_clip.h"
#include "editor/model/skeleton_tables.h"

namespace editor::mocap {

using namespace ::bytes;
using namespace ::editor::model;

// A point of the clip: a joint's origin, or the end site below it.
struct SourcePoint {
    int joint = -1;  // -1: the player joint has no source
    bool endSite = false;
};

// Which point of the clip each player joint sits on. Joints of the equipment (and the closed
// hands' grips) have none.
struct SkeletonMap {
    const char* convention = "";
    SourcePoint points[NUM_JOINTS];

    bool Has(int playerJoint) const { return points[playerJoint].joint >= 0; }
};

// Recognises the naming convention from the joint names present (the Carnegie Mellon BVH
// conversion, the older motion-capture style, Mixamo's "mixamorig:" names, 3ds Max Biped's
// "Bip01 L Thigh", Unreal's "thigh_l", Blender's "thigh.L"; case and separators ignored) and
// maps the player joints. Refused with the reason when no convention fits or joints the player
// needs are missing; the joints found are mapped even then.
Status MapSkeleton(const BvhClip& clip, SkeletonMap& map);

}  // namespace editor::mocap
