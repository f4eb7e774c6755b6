#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/model/skeleton_tables.h"
#include "scene/input/forward.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::scene::input;

// Flags of the open and save dialogs.
enum FileDialogFlags : unsigned {
    kFileMustExist = 1u << 0,
    kPathMustExist = 1u << 1,
    kHideReadOnly = 1u << 2,
    kOverwritePrompt = 1u << 3,
};

struct FileDialogRequest {
    // Dialog title; empty gives the usual "Open" or "Save As".
    std::string title = {};
    // Filter in the framework form "Description|*.ext|Description|*.a;*.b||".
    std::string filter = {};
    // Appended when the user types a name without one; without the dot ("spz").
    std::string defaultExtension = {};
    // Initial file name or path shown in the dialog.
    std::string initialPath = {};
    unsigned flags = kHideReadOnly;
};

struct TextRequest {
    std::string title = {};
    std::string initialText = {};
    // Most characters the user may type; 0 for no limit.
    int maxLength = 0;
};

struct ListChoiceRequest {
    std::string title = {};
    std::vector<std::string> items = {};
    // Item selected when the dialog opens; -1 for none.
    int initialIndex = 0;
};

struct ComboChoiceRequest {
    std::string title = {};
    std::vector<std::string> items = {};
    // Text in the edit field when the dialog opens (usually the first item).
    std::string initialText = {};
    int maxLength = 0;
};

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

// Every question the editor asks a person and every text it shows outside the 3D view.
// The window implements it with dialogs; ScriptedUi answers from a queue for tests and batch
// mode. Every method is modal except the transforms sheet; a cancelled dialog returns
// nothing (or false), and the caller then ends its operation silently.
class Ui {
  public:
    virtual ~Ui() = default;

    // Text of the status bar's message pane.
    virtual void SetStatusText(const std::string& text) = 0;
    // A progress bar in the status bar while long work runs (done of total steps), shown at
    // the next redraw; EndProgress takes it away. Without a window there is none.
    virtual void ShowProgress(int /*done*/, int /*total*/) {}
    virtual void EndProgress() {}

    // Message box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // Yes/No message box; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // OK/Cancel message box; true for OK.
    virtual bool AskOkCancel(const std::string& text) = 0;
    // Yes/No/Cancel message box (closing it is Cancel).
    enum class Reply { Yes, No, Cancel };
    virtual Reply AskYesNoCancel(const std::string& text) = 0;
    // A question asked once for each of many things (each bone of an export): Yes, No, or the
    // same answer for every one still to come. Without those buttons it is a Yes/No box.
    enum class ManyReply { Yes, No, YesToAll, NoToAll };
    virtual ManyReply AskYesNoToAll(const std::string& text) {
        return AskYesNo(text) ? ManyReply::Yes : ManyReply::No;
    }

    // Open and save dialogs; the chosen path, or nothing when cancelled. A window's save
    // dialog confirms replacing an existing file whatever the flags say.
    virtual std::optional<std::string> AskOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSaveFile(const FileDialogRequest& request) = 0;
    // A folder to write into (the request's title and initial path; "Choose Folder" without
    // a title); the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> AskFolder(const FileDialogRequest& request) = 0;

    // One-line text entry with OK and Cancel.
    virtual std::optional<std::string> AskText(const TextRequest& request) = 0;
    // Choice from a fixed list; the chosen index.
    virtual std::optional<int> AskListChoice(const ListChoiceRequest& request) = 0;
    // Editable combo box: a typed text or a listed one.
    virtual std::optional<std::string> AskComboChoice(const ComboChoiceRequest& request) = 0;

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
