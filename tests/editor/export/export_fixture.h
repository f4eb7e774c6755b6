#pragma once
// A document with a generated model made directly (no generation), a stand-in for the
// deformation that moves it with each pose, and an export host that answers from fields.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/export/export_driver.h"
#include "editor/model/model_document.h"
#include "editor/skeleton/pose_follower.h"
#include "editor/skeleton/posing.h"
#include "scene/scene.h"
#include "tests/support/declining_prompts.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::flexexport;
using namespace ::editor::model;

// Moves the generated model and the reference points with the pose's root: every vertex is the
// model's vertex plus the root position, every reference point is offset by its bone's start.
class RootFollower : public PoseFollower {
  public:
    void FollowPose(ModelDocument& document) override;
};

// The export's host and prompts in one: answers the dialogs from fields, records the steps.
class RecordingHost : public ExportHost, public DecliningPrompts {
  public:
    bool GenerateBodyParts() override { return generates; }
    // Doubles the lower torso's local coordinates, as the ground adjustment scales them.
    void ScaleToGround() override;
    void ReportProgress(const std::string& text) override { statuses.push_back(text); }
    std::optional<std::string> AskSaveFile(const FileDialogRequest&) override {
        return outputAnswer;
    }
    std::optional<std::string> AskOpenFile(const FileDialogRequest&) override { return poseAnswer; }
    void RedrawView() override { ++redraws; }
    void ShowProgress(int done, int total) override { progress.push_back({done, total}); }
    void EndProgress() override { ++progressEnded; }

    bool Saw(const std::string& status) const;

    ModelDocument* document = nullptr;
    bool generates = true;
    std::optional<std::string> outputAnswer;
    std::optional<std::string> poseAnswer;
    std::vector<std::string> statuses;
    // The refusals the export returned, as the shell shows them.
    std::vector<std::string> messages;
    std::vector<std::pair<int, int>> progress;
    int scaledToGround = 0;
    int redraws = 0;
    int progressEnded = 0;
};

// A closed, lumpy tube of rings x segments vertices around the z axis with one texture vertex
// per vertex (texture index = vertex index + textureShift, wrapping), in model and generated
// model; every triangle bound to the lower torso.
void MakeTube(ModelDocument& document, int rings, int segments, int textureShift = 0);

// Poses named name1, name2, ... whose roots step along x.
std::vector<PoseRecord> SteppingPoses(ModelDocument& document, int count,
                                      const std::string& name = "step");
void WritePoseFile(const std::string& path, const std::vector<PoseRecord>& poses);

std::vector<uint8_t> ReadFile(const std::string& path);

// How an export ended, as the tests tell the endings apart.
enum class ExportResult { Written, Cancelled, Failed };

// A document whose skeleton stands in a scene in its default pose, holding a 6 x 10 tube; a
// pose file of five stepping poses; the output in a scratch directory.
struct ExportFixture {
    ScratchDirectory directory;
    scene::C3dScene scene;
    std::unique_ptr<ModelDocument> document = std::make_unique<ModelDocument>();
    RootFollower follower;
    Posing posing{*document, follower};
    RecordingHost host;
    ExportRequest request;

    ExportFixture();
    ~ExportFixture();
    std::string Output() const { return directory.File("out.fm"); }
    // Runs the export; a refusal's message goes to host.messages, the path written to written.
    ExportResult Run();
    std::optional<std::string> written;
};
