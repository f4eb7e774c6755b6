// The whole export of 1000 frames of a 2048-vertex, 2048-triangle character bound to all 37
// bones, posed through the skeleton and the mesh deformation by the motion-capture sample, with
// the rigid parts and with smooth joints.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bytes/whole_file.h"
#include "editor/export/export_driver.h"
#include "editor/generate/joint_weights.h"
#include "editor/generate/mesh_deformation.h"
#include "editor/skeleton/pose_file.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "tests/editor/export/frames_reference.h"
#include "tests/support/declining_prompts.h"

using namespace ::editor::flexexport;
using namespace ::bytes;
using namespace ::editor::skeleton;

namespace {

constexpr int FRAMES = 1000;

class QuietHost : public ExportHost, public DecliningPrompts {
  public:
    explicit QuietHost(std::string output) : output_(std::move(output)) {}
    bool GenerateBodyParts() override { return true; }
    void ScaleToGround() override {}
    std::optional<std::string> AskSaveFile(const FileDialogRequest&) override { return output_; }
    void RedrawView() override {}

  private:
    std::string output_;
};

// Every vertex bound to one bone (in runs around the band) with its position as its local
// coordinate (the bone standing at the origin, unturned); every triangle to its first corner's
// bone.
void BindToAllBones(ModelDocument& document) {
    const MeshData& mesh = document.model.mesh;
    for (int v = 0; v < mesh.vertexCount; ++v) {
        BonePart& bone =
            document.bones[(v % (mesh.vertexCount / 2)) * NUM_BONES / (mesh.vertexCount / 2)];
        bone.boundVertices.SetBit(v);
        bone.mesh.vertices[v] = mesh.vertices[v];
        bone.mesh.usedVertices.SetBit(v);
        ++bone.mesh.vertexCount;
    }
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        int a, b, c;
        mesh.GetTriangle(t, a, b, c);
        for (BonePart& bone : document.bones) {
            if (bone.boundVertices.Test(a)) {
                bone.boundTriangles.SetBit(t);
            }
        }
    }
}

// Argument 0: rigid parts; 1: smooth joints, with their weights made as Make Poseable makes them.
void BM_ExportCharacter(benchmark::State& state) {
    const std::filesystem::path directory = std::filesystem::temp_directory_path() /
                                            ("bench_export_character-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory);
    std::vector<uint8_t> bytes;
    std::vector<PoseRecord> jump;
    if (!ReadWholeFile(MARIONET_SOURCE_DIR "/samples/cmu_01_01_jump.spz", bytes).Ok() ||
        !ParsePoseFile(bytes, jump)) {
        state.SkipWithError("no motion-capture sample");
        return;
    }
    std::vector<PoseRecord> poses;
    for (int i = 0; i < FRAMES; ++i) {
        poses.push_back(jump[i % jump.size()]);
    }
    const std::string poseFile = (directory / "poses.spz").string();
    const std::vector<uint8_t> serialized = SerializePoseFile(poses);
    std::FILE* file = std::fopen(poseFile.c_str(), "wb");
    std::fwrite(serialized.data(), 1, serialized.size(), file);
    std::fclose(file);

    scene::C3dScene scene;
    scene.Create();
    auto document = std::make_unique<ModelDocument>();
    document->SetScene(&scene);
    editor::generate::MeshDeformation deformation;
    Posing posing(*document, deformation);
    BuildSkeleton(posing);
    LinkSkeleton(*document, scene);
    posing.RestoreDefaults();
    MakeBand(*document, 1024);
    BindToAllBones(*document);
    document->jointBlend.smooth = static_cast<uint32_t>(state.range(0));
    editor::generate::ComputeJointWeights(*document);
    int blended = 0;
    for (const auto& vertex : document->jointBlend.vertices) {
        blended += vertex.count != 0 ? 1 : 0;
    }
    state.counters["blended"] = blended;

    QuietHost host((directory / "out.fm").string());
    ExportRequest request;
    request.poseFile = poseFile;
    request.programDir = directory.string() + "/";
    for (auto _ : state) {
        if (Result<std::string> written = ExportFlexModel(posing, host, host, request);
            !written) {
            state.SkipWithError(written.Reason().c_str());
        }
    }
    UnlinkSkeleton(*document);
    scene.RemoveAllChildren();
    std::filesystem::remove_all(directory);
}

}  // namespace

BENCHMARK(BM_ExportCharacter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
