#include "editor/shell/main_frame.h"

#include <cstdarg>
#include <filesystem>
#include <system_error>

#include "editor/generate/mesh_deformation.h"
#include "editor/model/model_document.h"
#include "editor/shell/camera_navigation.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_registration.h"
#include "editor/shell/edit_history.h"
#include "editor/shell/program_files.h"
#include "editor/skeleton/camera_presets.h"
#include "editor/skeleton/posing.h"
#include "scene/input/controller.h"
#include "scene/input/transform_dialog.h"
#include "scene/light.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene::input;
using namespace ::scene;

namespace {

std::string CurrentDirectoryWithSlash() {
    std::error_code error;
    std::filesystem::path directory = std::filesystem::current_path(error);
    std::string text = error ? std::string(".") : directory.string();
    if (text.empty() || text.back() != '/') {
        text.push_back('/');
    }
    return text;
}

}  // namespace

CMainFrame::CMainFrame(Ui& ui, SettingsStore& settings, std::string programDirectory,
                       std::string logPath)
    : programDir(programDirectory.empty() ? CurrentDirectoryWithSlash()
                                          : std::move(programDirectory)),
      installedDataDir(InstalledDataDirectory(RunningExecutablePath())),
      ui_(ui),
      settings_(settings),
      log_(std::move(logPath)),
      document_(std::make_unique<ModelDocument>()),
      deformation_(std::make_unique<editor::generate::MeshDeformation>()),
      localCoordinates_(std::make_unique<editor::generate::LocalCoordinateStore>()),
      posing_(std::make_unique<editor::skeleton::Posing>(*document_, *deformation_)),
      selection_(std::make_unique<shell::Selection>(*this)),
      history_(std::make_unique<EditHistory>(*this)) {
    if (programDir.back() != '/') {
        programDir.push_back('/');
    }
    ConnectDeformation();
    commands_.SetRunWrapper([this](int id, const std::function<void()>& run) {
        if (id == ID_EDIT_UNDO || id == ID_EDIT_REDO) {
            run();
        } else if (id == ID_FILE_SAVE || id == ID_FILE_SAVE_AS) {
            // Saving names the model's shape after its file and changes nothing else: no step.
            history_->BeginStep();
            run();
            history_->EndUnrecorded();
        } else {
            history_->Step(CommandStepName(id), run);
        }
    });
    RegisterAllCommandHandlers(*this, commands_);
}

CMainFrame::~CMainFrame() {
    Close();
}

std::string CMainFrame::ProgramFile(const std::string& name) const {
    return FindProgramFile(programDir, installedDataDir, name);
}

void CMainFrame::SetStatus(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::string text = FormatStatus(format, args);
    va_end(args);
    ui_.SetStatusText(text);
    log_.Append(text);
}

void CMainFrame::ShowNotImplemented() {
    ui_.ShowMessage(kNotImplementedNotice);
}

void CMainFrame::RunHooks(const std::vector<std::function<void()>>& hooks) {
    for (const std::function<void()>& hook : hooks) {
        hook();
    }
}

void CMainFrame::PreCreate() {
    ReadSettings();
}

void CMainFrame::ReadSettings() {
    ReadFrameOptions(settings_, options);
    ReadDocumentOptions(settings_, *document_);
    RunHooks(hooks_.afterSettingsRead);
}

void CMainFrame::WriteSettings() {
    WriteFrameOptions(settings_, options);
    WriteDocumentOptions(settings_, *document_);
}

bool CMainFrame::Create(int viewWidth, int viewHeight) {
    if (created_ || !view_.Create(viewWidth, viewHeight)) {
        return false;
    }
    selection_->Select(nullptr);
    CreateScene();
    if (scene_ == nullptr) {
        return false;
    }
    SetCameraView(kCameraFront);
    RunHooks(hooks_.populateScene);
    CreateController();
    if (controller_ == nullptr) {
        return false;
    }
    view_.SetPickCallback(&CMainFrame::PickCallback, this, true);
    selection_->Select(nullptr);
    created_ = true;
    closed_ = false;
    saved_.MarkSaved(*document_, std::string());
    history_->Restart();
    return true;
}

void CMainFrame::CreateScene() {
    auto scene = std::make_unique<C3dScene>();
    if (!scene->Create() || !view_.SetScene(scene.get())) {
        return;
    }
    auto light = std::make_unique<C3dDirLight>();
    light->SetColor(0.8, 0.8, 0.8);
    C3dDirLight* placed = light.get();
    if (!scene->AddLight(light.release())) {
        return;
    }
    placed->SetPosition(-2.0, 2.0, -5.0);
    placed->SetOrientation(Vector(1.0, -1.0, 1.0), Vector(0.0, 1.0, 0.0));
    scene->GetAmbientLight().SetColor(0.4, 0.4, 0.4);
    scene_ = std::move(scene);
    document_->SetScene(scene_.get());
}

void CMainFrame::CreateController() {
    std::unique_ptr<C3dController> controller =
        hooks_.makeController ? hooks_.makeController()
                              : std::make_unique<C3dPosCtlr>(joystickBackend_, &settings_);
    if (controller == nullptr || !controller->Create(&view_, &CMainFrame::ControllerTarget, this)) {
        return;
    }
    // An area's controller may not know the window's joystick: hand it over here.
    if (joystickBackend_ != nullptr) {
        controller->UseJoystick(joystickBackend_, &settings_);
    }
    controller->SelectDevice(options.controlDevice);
    controller_ = std::move(controller);
}

C3dFrame* CMainFrame::ControlTargetFrame() {
    if (controlTarget == 1) {
        C3dStage* stage = view_.GetStage();
        return stage != nullptr ? &stage->GetCamera() : nullptr;
    }
    return selection_->Shape();
}

C3dFrame* CMainFrame::ControllerTarget(void* frame) {
    return static_cast<CMainFrame*>(frame)->ControlTargetFrame();
}

void CMainFrame::PickCallback(C3dShape* shape, int x, int y, void* argument) {
    auto* frame = static_cast<CMainFrame*>(argument);
    frame->history_->BeginStep();
    frame->selection_->Pick(shape, x, y);
    frame->EndClickStep();
}

void CMainFrame::EndClickStep() {
    // Only a face picked on the model changes the temporary group as a step; selecting anything
    // else is none, even where the bindings view shows a bone's triangles in that group.
    if (selection_->Shape() != nullptr && selection_->Shape() == document_->model.Shape()) {
        history_->EndStep(kPickFaceStep);
    } else {
        history_->EndUnrecorded();
    }
}

bool CMainFrame::OnIdle() {
    if (!created_ || closed_) {
        return false;
    }
    const bool moved = controller_ != nullptr && controller_->Update();
    if (moved) {
        history_->ControllerMoved();
    } else {
        history_->ControllerStopped();
    }
    if (!moved && !redrawPending_ && !SceneSpins()) {
        return false;
    }
    redrawPending_ = false;
    return view_.Update(1.0);
}

bool CMainFrame::SceneSpins() const {
    return scene_ != nullptr && scene_->SpinsInSubtree();
}

bool CMainFrame::NeedsIdleSteps() const {
    if (!created_ || closed_) {
        return false;
    }
    return redrawPending_ || SceneSpins() || (controller_ != nullptr && controller_->IsActive());
}

void CMainFrame::Close() {
    if (!created_ || closed_) {
        return;
    }
    closed_ = true;
    if (writeSettingsOnClose_) {
        WriteSettings();
    }
    selection_->Select(nullptr);
    if (transformsDialog_ != nullptr) {
        ui_.CloseTransformsSheet();
        transformsDialog_.reset();
    }
    controller_.reset();
    selection_->Select(nullptr);
    if (scene_ != nullptr) {
        document_->SetScene(nullptr);
        RunHooks(hooks_.depopulateScene);
        scene_->RemoveAllChildren();
        view_.SetScene(nullptr);
        scene_.reset();
    }
}

void CMainFrame::ClickView(int x, int y) {
    view_.OnLeftButtonDown(x, y);
}

bool CMainFrame::PressView(int x, int y, bool mayDrag) {
    // A press whose drag was never released: that drag's step ends here.
    ReleaseView();
    const C3dShape* selectedBefore = selection_->Shape();
    history_->BeginStep();
    view_.OnLeftButtonDown(x, y);
    if (!mayDrag || !viewDrag_.Begin(x, y, selectedBefore)) {
        EndClickStep();
        return false;
    }
    viewDragStep_ = history_->MoveName();
    return true;
}

void CMainFrame::DragView(int x, int y) {
    viewDrag_.MoveTo(x, y);
}

void CMainFrame::ReleaseView() {
    viewDrag_.End();
    if (viewDragStep_) {
        const std::string step = *viewDragStep_;
        viewDragStep_.reset();
        history_->EndStep(step);
    }
}

bool CMainFrame::RunCommand(int id) {
    return commands_.Run(id);
}

void CMainFrame::NewDocument() {
    ResetDocument();
    history_->Restart();
}

void CMainFrame::ResetDocument() {
    selection_->Select(nullptr);
    if (scene_ != nullptr) {
        RunHooks(hooks_.depopulateScene);
    }
    document_->Reset();
    ReleaseEmptiedShapes();
    document_->SetScene(scene_.get());
    selection_->ForgetPickedFace();
    RunHooks(hooks_.resetDocument);
    ReadSettings();
    if (scene_ != nullptr) {
        RunHooks(hooks_.populateScene);
    }
    SetCameraView(kCameraFront);
    saved_.MarkSaved(*document_, std::string());
}

bool CMainFrame::ConfirmDiscardChanges() {
    if (!askToSaveChanges_ || !HasUnsavedChanges()) {
        return true;
    }
    const std::string name = saved_.FileName();
    const std::string question = name.empty()
                                     ? std::string("Save the changes to the model?")
                                     : "Save the changes to the model opened from '" + name + "'?";
    switch (ui_.AskYesNoCancel(question)) {
        case Ui::Reply::Yes:
            // A cancelled or failed save keeps the changes and stops what was asked for.
            RunCommand(ID_FILE_SAVE);
            return !HasUnsavedChanges();
        case Ui::Reply::No:
            return true;
        case Ui::Reply::Cancel:
            break;
    }
    return false;
}

void CMainFrame::ReleaseEmptiedShapes() {
    ModelDocument& document = *document_;
    for (MeshPart* part :
         {&document.model, &document.prop, static_cast<MeshPart*>(&document.generatedModel)}) {
        // An emptied part has nothing to draw; its old shape would show (and save) the old
        // geometry.
        if (C3dShape* shape = part->Shape(); shape != nullptr && shape->GetParent() != nullptr) {
            shape->GetParent()->RemoveChild(shape);
        }
        part->ReleaseShape();
    }
}

void CMainFrame::ChooseControlDevice() {
    if (controller_ == nullptr) {
        return;
    }
    ControlDeviceChoice choice{controlTarget, options.controlDevice};
    if (!ui_.AskControlDevice(choice)) {
        return;
    }
    controlTarget = choice.target;
    if (controlTarget == 1) {
        cameraView = kCameraUnderControl;
        view_.Update(1.0);
    }
    controller_->SelectDevice(choice.device);
    options.controlDevice = controller_->GetDeviceIndex();
    SetStatus("Control is now via: %s", controller_->GetDeviceName().c_str());
}

void CMainFrame::OpenTransformsSheet() {
    ShowNotImplemented();
    if (transformsDialog_ == nullptr) {
        transformsDialog_ = std::make_unique<CTransformDlg>(
            [this]() -> C3dFrame* { return selection_->Shape(); },
            [this](const std::string& text) { ui_.ShowMessage(text); },
            [this]() { OnTransformsSheetClosed(); });
    }
    ui_.ShowTransformsSheet(*transformsDialog_);
}

void CMainFrame::OnTransformsSheetClosed() {
    transformsDialog_.reset();
}

void CMainFrame::SetCameraView(int index) {
    cameraView = index;
    PlaceCameraAtPreset(scene_.get(), index);
    ResetCameraDepthRange(*this);
    RequestRedraw();
}

}  // namespace editor::shell
