#include "editor/shell/frame_options.h"

#include <optional>
#include <vector>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"
#include "editor/model/model_document.h"
#include "editor/shell/settings_names.h"

namespace editor::shell {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::scene::input;
using namespace settings;

void ReadFrameOptions(const SettingsStore& settings, FrameOptions& options) {
    options.controlDevice = settings.GetInt(kSettings, kControlDevice, 0);
    const int top = settings.GetInt(kWindow, kTop, 50);
    const int left = settings.GetInt(kWindow, kLeft, 50);
    const int width = settings.GetInt(kWindow, kWidth, 300);
    const int height = settings.GetInt(kWindow, kHeight, 350);
    options.windowRect = {left, top, left + width, top + height};
    options.viewSelection = settings.GetInt(kOptions, kViewSel, 1) != 0;
    options.viewHitPoint = settings.GetInt(kOptions, kViewHit, 1) != 0;
    options.viewSkin = settings.GetInt(kOptions, kViewSkin, 0) != 0;
    options.liveUpdate = settings.GetInt(kModel, kLiveUpdate, 0) != 0;
}

void WriteFrameOptions(SettingsStore& settings, const FrameOptions& options) {
    const WindowRect& rect = options.windowRect;
    settings.WriteInt(kSettings, kControlDevice, options.controlDevice);
    settings.WriteInt(kWindow, kTop, rect.top);
    settings.WriteInt(kWindow, kLeft, rect.left);
    settings.WriteInt(kWindow, kWidth, rect.right - rect.left);
    settings.WriteInt(kWindow, kHeight, rect.bottom - rect.top);
    settings.WriteInt(kOptions, kViewSel, options.viewSelection ? 1 : 0);
    settings.WriteInt(kOptions, kViewHit, options.viewHitPoint ? 1 : 0);
    settings.WriteInt(kOptions, kViewSkin, options.viewSkin ? 1 : 0);
    settings.WriteInt(kModel, kLiveUpdate, options.liveUpdate ? 1 : 0);
}

// Four bytes of each node's flags, so every read of a block of this size lies inside it.
static_assert(kActiveNodesSize == 4 * NUM_MESH_NODES);

void ReadDocumentOptions(const SettingsStore& settings, ModelDocument& document) {
    document.normalizePoses = settings.GetInt(kSkeleton, kNormalizePoses, 0);
    document.rigidBones = settings.GetInt(kSkeleton, kRigidBones, 0);
    document.model.ShowSolid(settings.GetInt(kModel, kSolidBody, 0));
    document.jointBlend.smooth = settings.GetInt(kModel, kSmoothJoints, 0) != 0 ? 1 : 0;
    const int zone = settings.GetInt(kModel, kJointBlend, DEFAULT_JOINT_BLEND_PERCENT);
    // A zone outside the dialog's range was not written by this program.
    document.jointBlend.zonePercent =
        zone >= 1 && zone <= MAX_JOINT_BLEND_PERCENT ? zone : DEFAULT_JOINT_BLEND_PERCENT;
    std::optional<std::vector<std::uint8_t>> nodes = settings.GetBinary(kSkeleton, kActiveNodes);
    // A block of another size was not written by this program: keep the defaults.
    if (nodes && nodes->size() == kActiveNodesSize) {
        const ByteReader in(*nodes);
        for (int node = 0; node < NUM_MESH_NODES; ++node) {
            document.activeNodes[node] = *in.Uint32(4 * std::size_t(node));
        }
    }
}

void WriteDocumentOptions(SettingsStore& settings, const ModelDocument& document) {
    settings.WriteInt(kSkeleton, kNormalizePoses, static_cast<int>(document.normalizePoses));
    settings.WriteInt(kSkeleton, kRigidBones, static_cast<int>(document.rigidBones));
    settings.WriteInt(kModel, kSolidBody, static_cast<int>(document.model.solid));
    settings.WriteInt(kModel, kSmoothJoints, static_cast<int>(document.jointBlend.smooth));
    settings.WriteInt(kModel, kJointBlend, static_cast<int>(document.jointBlend.zonePercent));
    ByteWriter nodes;
    for (uint32_t active : document.activeNodes) {
        nodes.AppendUint32(active);
    }
    settings.WriteBinary(kSkeleton, kActiveNodes, nodes.Take());
}

}  // namespace editor::shell
