#pragma once

#include <string_view>

#include "scene/input/settings_store.h"

namespace editor::shell {

using namespace ::scene::input;

// Sections and keys of the editor's settings profile.
namespace settings {
inline constexpr std::string_view kSettings = "Settings";
inline constexpr std::string_view kWindow = "Settings\\Window";
inline constexpr std::string_view kOptions = "Settings\\Options";
inline constexpr std::string_view kModel = "Settings\\Model";
inline constexpr std::string_view kSkeleton = "Settings\\Skeleton";

inline constexpr std::string_view kControlDevice = "ControlDevice";
inline constexpr std::string_view kTop = "Top";
inline constexpr std::string_view kLeft = "Left";
inline constexpr std::string_view kWidth = "Width";
inline constexpr std::string_view kHeight = "Height";
inline constexpr std::string_view kViewSel = "ViewSel";
inline constexpr std::string_view kViewHit = "ViewHit";
inline constexpr std::string_view kViewSkin = "ViewSkin";
inline constexpr std::string_view kLiveUpdate = "LiveUpdate";
inline constexpr std::string_view kNormalizePoses = "NormalizePoses";
inline constexpr std::string_view kRigidBones = "RigidBones";
inline constexpr std::string_view kSolidBody = "SolidBody";
inline constexpr std::string_view kActiveNodes = "ActiveNodes";
inline constexpr std::string_view kSmoothJoints = "SmoothJoints";
inline constexpr std::string_view kJointBlend = "JointBlend";

// "ActiveNodes" holds 16 little-endian int32 flags; any other size is ignored.
inline constexpr std::size_t kActiveNodesSize = 64;
}  // namespace settings

}  // namespace editor::shell
