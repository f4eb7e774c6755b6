#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/shell/command_router.h"
#include "editor/shell/frame_options.h"
#include "editor/shell/saved_state.h"
#include "editor/shell/selection.h"
#include "editor/shell/status_log.h"
#include "editor/shell/ui.h"
#include "editor/shell/view_drag.h"
#include "scene/vector.h"
#include "scene/view.h"

#include "editor/model/forward.h"
#include "scene/forward.h"
#include "scene/input/forward.h"

namespace editor::generate {
class LocalCoordinateStore;
class MeshDeformation;
}  // namespace editor::generate
namespace editor::skeleton {
class Posing;
}

namespace editor::shell {

class EditHistory;

using namespace ::scene;
using namespace ::scene::input;
using namespace ::editor::model;

// Camera presets; kCameraUnderControl while the input controller moves the camera.
enum CameraView : int32_t {
    kCameraFront = 0,
    kCameraRear = 1,
    kCameraLeft = 2,
    kCameraRight = 3,
    kCameraTop = 4,
    kCameraBottom = 5,
    kCameraUnderControl = 6,
};

inline constexpr int32_t kNoBone = NO_BONE;
inline constexpr const char* kNotImplementedNotice =
    "I wish this were implemented already, but you'll have to wait for a future version of "
    "Marionet.";

// Points where the other areas of the editor take part in the frame's life. Each area installs
// its hooks from its command registration function (command_registration.cpp), which the frame
// calls once at construction.
struct FrameHooks {
    // After the settings are read (start-up and "New"): e.g. read "default.spz".
    std::vector<std::function<void()>> afterSettingsRead;
    // Window creation, after the camera is set: put the area's shapes into the scene and apply
    // the current pose.
    std::vector<std::function<void()>> populateScene;
    // Closing, and "New" (before the document is reset): take the area's shapes out of the
    // scene again.
    std::vector<std::function<void()>> depopulateScene;
    // "New", after the document itself is reset: reset what the area keeps beside it. "New"
    // then reads the settings (afterSettingsRead) and populates the scene again.
    std::vector<std::function<void()>> resetDocument;
    // A file was opened: as the model ("Open...", after its merge) or as the prop.
    std::vector<std::function<void(const std::string& path)>> modelOpened;
    std::vector<std::function<void(const std::string& path)>> propOpened;
    // "Merged Skin..." saved the skin it composed, which is handed over here.
    std::function<void(std::unique_ptr<C3dImage> skin)> mergedSkinSaved;
    // The input controller the frame creates; the frame's own is a position controller.
    std::function<std::unique_ptr<C3dController>()> makeController;
};

// The editor's main frame without its window: it owns the document, the 3D view, the scene and
// the input controller, routes every command, reads and writes the settings and reports through
// SetStatus. The window (or the batch runner) drives it: PreCreate, Create, then OnIdle and
// RunCommand as events arrive, and Close at the end.
class CMainFrame {
  public:
    // programDir ends with "/"; empty means the current directory.
    CMainFrame(Ui& ui, SettingsStore& settings, std::string programDir = std::string(),
               std::string logPath = "mn.log");
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // Reads every setting (with its default) and runs the afterSettingsRead hooks.
    void PreCreate();
    // Builds the view of viewWidth x viewHeight, the scene, its lights, the front camera, the
    // areas' shapes, the controller and the pick callback; false when a step fails.
    bool Create(int viewWidth = 640, int viewHeight = 480);
    // Lets the controller poll its device and, when that moved something, a redraw was asked
    // for or the scene spins, advances the view by one update step; returns whether the view
    // drew. An idle editor draws nothing.
    bool OnIdle();
    // The picture may have changed (a command ran, the user clicked or typed): the next idle
    // step draws.
    void RequestRedraw() { redrawPending_ = true; }
    // Whether idle steps have work: a redraw is pending, the scene spins, or the input device
    // may move something. The window polls at a steady rate only while this holds.
    bool NeedsIdleSteps() const;
    // Writes the settings back (unless disabled), closes the transforms sheet, deletes the
    // controller and takes the scene apart. Safe to call twice.
    void Close();
    // Batch mode and tests run from defaults without touching the stored profile.
    void SetWriteSettingsOnClose(bool write) { writeSettingsOnClose_ = write; }
    // The platform's joystick services for the controller; set before Create (none: no
    // joystick).
    void SetJoystickBackend(JoystickBackend* backend) { joystickBackend_ = backend; }
    JoystickBackend* GetJoystickBackend() const { return joystickBackend_; }

    // Status line and "mn.log": printf-style, cut at 255 characters.
    void SetStatus(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // The not-implemented notice in a message box.
    void ShowNotImplemented();

    // What is selected, the current bone and the picked face; the one Select.
    shell::Selection& Selection() { return *selection_; }
    // Places the camera at a preset; an index outside 1..5 is the front view.
    void SetCameraView(int index);
    // Left click at a view position: the pick callback's work (Selection::Pick).
    void ClickView(int x, int y);
    // A left-button drag in the view: the press picks as a click does and, with `mayDrag`,
    // takes hold of a joint (or of the model, prop or plane already selected); true when it
    // did. Each pointer position then moves what is held, until the release.
    bool PressView(int x, int y, bool mayDrag = true);
    void DragView(int x, int y);
    void ReleaseView();

    // Undo and redo: every change of the document is one step of it.
    EditHistory& History() { return *history_; }

    // Reads all settings again (also done by "New").
    void ReadSettings();
    void WriteSettings();

    // "New": clears the selection, resets the document, reads the settings again and sets the
    // front camera; the history starts afresh.
    void NewDocument();
    // The same as one step that can be undone (the model deleted by "Cut").
    void ResetDocument();
    // "Control Device...": asks for the target and device and tells the controller.
    void ChooseControlDevice();

    // The file the model was opened from or saved to, and whether it changed since.
    SavedState& Saved() { return saved_; }
    bool HasUnsavedChanges() const { return saved_.HasChanges(*document_); }
    // Before the model is replaced or the editor closes: asks whether to save the changes.
    // Yes saves (false when the save is cancelled or fails), No goes on, Cancel stops. True
    // at once when nothing changed or asking is off.
    bool ConfirmDiscardChanges();
    // The window asks; batch scripts and tests never do (the default).
    void SetAskToSaveChanges(bool ask) { askToSaveChanges_ = ask; }

    bool RunCommand(int id);

    // The one way to pose the document's skeleton: every pose applied through it carries the
    // generated model along.
    editor::skeleton::Posing& Posing() { return *posing_; }
    // "Make Poseable": checks the bindings and generates the body parts, with the command's
    // status lines and messages; on failure the offending triangles become the temporary group.
    // True when the generated model was built.
    bool MakePoseable();

    CommandRouter& Commands() { return commands_; }
    const CommandRouter& Commands() const { return commands_; }
    FrameHooks& Hooks() { return hooks_; }

    Ui& GetUi() { return ui_; }
    SettingsStore& Settings() { return settings_; }
    ModelDocument& Document() { return *document_; }
    C3dView& View() { return view_; }
    C3dScene* Scene() { return scene_.get(); }
    C3dController* Controller() { return controller_.get(); }
    const std::string& ProgramDir() const { return programDir; }
    // A side file read by its fixed name: beside the program, else where it is installed.
    std::string ProgramFile(const std::string& name) const;
    bool IsCreated() const { return created_; }

    // The transforms sheet, when open.
    CTransformDlg* TransformsSheet() { return transformsDialog_.get(); }
    void OpenTransformsSheet();
    void OnTransformsSheetClosed();

    // The options the user switches; the settings profile keeps part of them.
    FrameOptions options;
    // Frame state read and written by the editor's areas.
    int32_t cameraView = kCameraFront;
    std::string programDir;
    // The installed shared files (FindProgramFile's fallback); empty for none.
    std::string installedDataDir;
    // The paths of the latest import and save attempts, successful or not; empty at start.
    std::string lastImportPath;
    std::string lastExportPath;
    int32_t controlTarget = 0;
    int32_t controlOption = 0;

  private:
    void CreateScene();
    void CreateController();
    // "New": the model, prop and generated model leave the scene with their shapes.
    void ReleaseEmptiedShapes();
    bool SceneSpins() const;
    void RunHooks(const std::vector<std::function<void()>>& hooks);
    // Asks the overwrite questions of the local coordinates through the Ui and keeps a selection
    // of the generated model on its rebuilt shape.
    void ConnectDeformation();
    C3dFrame* ControlTargetFrame();
    static void PickCallback(C3dShape* shape, int x, int y, void* frame);
    // The end of the undo step of a click: a step only when it picked a face of the model.
    void EndClickStep();
    static C3dFrame* ControllerTarget(void* frame);

    Ui& ui_;
    SettingsStore& settings_;
    StatusLog log_;
    CommandRouter commands_;
    FrameHooks hooks_;
    std::unique_ptr<ModelDocument> document_;
    std::unique_ptr<editor::generate::MeshDeformation> deformation_;
    std::unique_ptr<editor::generate::LocalCoordinateStore> localCoordinates_;
    std::unique_ptr<editor::skeleton::Posing> posing_;
    std::unique_ptr<shell::Selection> selection_;
    std::unique_ptr<EditHistory> history_;
    C3dView view_;
    std::unique_ptr<C3dScene> scene_;
    std::unique_ptr<C3dController> controller_;
    std::unique_ptr<CTransformDlg> transformsDialog_;
    bool created_ = false;
    bool closed_ = false;
    bool writeSettingsOnClose_ = true;
    bool redrawPending_ = true;
    bool askToSaveChanges_ = false;
    SavedState saved_;
    JoystickBackend* joystickBackend_ = nullptr;
    ViewDrag viewDrag_{*this};
    // The step a drag in the view makes at its release; empty while none is held.
    std::optional<std::string> viewDragStep_;
};

}  // namespace editor::shell
