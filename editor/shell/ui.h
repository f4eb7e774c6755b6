#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/model/skeleton_tables.h"
#include "editor/prompts/prompts.h"
#include "scene/input/forward.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::scene::input;
using namespace ::editor::prompts;

// The "Control Device" dialog's two choices.
struct ControlDeviceChoice {
    int target = 0;  // 0 object, 1 camera
    int device = 0;  // 0 keyboard, 1 mouse, 2 joystick
};

// The "Import Motion Capture" dialog: sampling rate, base name of the poses, root motion.
struct MotionCaptureChoice {
    double framesPerSecond = 10.0;
    std::string baseName = {};
    bool keepRootMotion = false;
    // The animation of a file that holds several; empty: the first.
    std::string take = {};
};

inline constexpr int kMeshNodeCount = NUM_MESH_NODES;
using MeshNodeFlags = std::array<std::int32_t, kMeshNodeCount>;

// The "Select Active Mesh Nodes" dialog's question: the flags it starts from and the label of
// each mesh node's box (nodes 0 and 1 share one).
struct MeshNodesRequest {
    MeshNodeFlags nodes{};
    std::array<std::string, kMeshNodeCount> labels{};
};

// The window around the editor: every question of Prompts, and what only the window has (the
// status pane, message boxes, the mesh-node and device dialogs, the transforms sheet, the ticks
// of the event loop, the about box). The window implements it with dialogs; ScriptedUi answers
// from a queue for tests and batch mode. Every method is modal except the transforms sheet.
class Ui : public Prompts {
  public:
    using Reply = prompts::Reply;
    using ManyReply = prompts::ManyReply;

    // Text of the status bar's message pane.
    virtual void SetStatusText(const std::string& text) = 0;
    // Without the frame's log, a step of work is only the status pane's text.
    void ReportProgress(const std::string& step) override { SetStatusText(step); }

    // Message box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;

    // "Select Active Mesh Nodes": one check box per mesh node, except that nodes 0 and 1
    // share the "Torso" box (checked when either is set; sets both). The flags chosen.
    virtual std::optional<MeshNodeFlags> AskMeshNodes(const MeshNodesRequest& request) = 0;

    // "Control Device": object or camera, keyboard, mouse or joystick. Fills `choice` on OK;
    // an out-of-range value shows as the first button.
    virtual bool AskControlDevice(ControlDeviceChoice& choice) = 0;

    // "Import Motion Capture": rate (frames per second), base name (at most maxNameLength
    // characters) and whether to keep the hips' horizontal path. Starts from `choice` and
    // fills it on OK.
    virtual bool AskMotionCapture(MotionCaptureChoice& choice, int maxNameLength) = 0;

    // Calls `tick` every intervalMs milliseconds from the window's event loop, and `escape`
    // when the user presses Esc, until StopTicking. False without a window to tick in.
    virtual bool StartTicking(int intervalMs, std::function<void()> tick,
                              std::function<void()> escape) = 0;
    virtual void StopTicking() = 0;

    // The modeless "Transforms" sheet working on `sheet`; a second call brings it to the
    // front. CloseTransformsSheet takes it down without a callback.
    virtual void ShowTransformsSheet(CTransformDlg& sheet) = 0;
    virtual void CloseTransformsSheet() = 0;

    // The about box.
    virtual void ShowAbout(const std::string& text) = 0;
};

// Maps the 16 mesh-node flags to the dialog's 15 boxes and back: box 0 is "Torso" for
// nodes 0 and 1, box i (i >= 1) is node i + 1.
std::array<bool, kMeshNodeCount - 1> MeshNodeBoxes(const MeshNodeFlags& nodes);
void ApplyMeshNodeBoxes(const std::array<bool, kMeshNodeCount - 1>& boxes, MeshNodeFlags& nodes);

// The dialog's question for these flags, with the labels of the player's mesh nodes.
MeshNodesRequest MeshNodesRequestFor(const MeshNodeFlags& nodes);

}  // namespace editor::shell
