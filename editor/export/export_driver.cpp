#include "editor/export/export_driver.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bytes/whole_file.h"
#include "editor/export/flex_exporter.h"
#include "editor/export/frames_chunk.h"
#include "editor/export/gl_commands_chunk.h"
#include "editor/export/mesh_chunks.h"
#include "editor/export/reference_points.h"
#include "editor/export/skeleton_chunks.h"
#include "editor/skeleton/pose_file.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/shape.h"

namespace editor::flexexport {

using namespace ::bytes;

namespace {

constexpr const char* FLEX_MODEL_FILTER = "FlexModel Files (*.fm)|*.fm|All Files (*.*)|*.*||";
constexpr const char* POSE_FILE_FILTER = "Marionet Pose Files (*.spz)|*.spz|All Files (*.*)|*.*||";

std::string Format(const char* format, const std::string& value) {
    char text[512];
    std::snprintf(text, sizeof text, format, value.c_str());
    return text;
}

// Where one skeleton part stands: its shape's transform and the placement the part keeps.
struct PartPlacement {
    C3dMatrix transform;
    Vector position;
    Vector direction;
    Vector up;
};

PartPlacement PlacementOf(const MeshPart& part) {
    PartPlacement placement{C3dMatrix(), part.position, part.direction, part.up};
    if (part.Shape() != nullptr) {
        placement.transform = part.Shape()->GetTransform();
    }
    return placement;
}

void Place(MeshPart& part, const PartPlacement& placement) {
    part.position = placement.position;
    part.direction = placement.direction;
    part.up = placement.up;
    if (part.Shape() != nullptr) {
        part.Shape()->SetTransform(placement.transform);
    }
}

// What the export changes and puts back: the shown state of the editable model, the exporting
// flag, the bone lengths, the bones' local coordinates and rest frames (which the ground
// adjustment scales) and the pose. The skeleton is put back as it was, transform by
// transform: going through a pose record's angles again would move it in the last bits, and
// the next export, which stores the vertices relative to the bones, would then write other
// bytes.
class EditorState {
  public:
    explicit EditorState(Posing& posing) : document_(posing.Document()), posing_(posing) {
        ModelDocument& document = document_;
        GetBoneLengths(document, lengths_);
        for (int bone = 0; bone < NUM_BONES; ++bone) {
            const Vector* local = document.bones[bone].mesh.vertices;
            localCoordinates_[bone].assign(local, local + MAX_MESH_ELEMENTS);
            restFrames_[bone] = document.bones[bone].rest;
            bones_[bone] = PlacementOf(document.bones[bone]);
        }
        for (int joint = 0; joint < NUM_JOINTS; ++joint) {
            joints_[joint] = PlacementOf(document.joints[joint]);
        }
        modelShown_ = document.model.visible;
        document.model.Show(0);
        document.exporting = 1;
    }
    ~EditorState() {
        document_.model.Show(modelShown_);
        document_.exporting = 0;
        for (int bone = 0; bone < NUM_BONES; ++bone) {
            std::copy(localCoordinates_[bone].begin(), localCoordinates_[bone].end(),
                      document_.bones[bone].mesh.vertices);
            document_.bones[bone].rest = restFrames_[bone];
            document_.bones[bone].length = lengths_[bone];
            Place(document_.bones[bone], bones_[bone]);
        }
        for (int joint = 0; joint < NUM_JOINTS; ++joint) {
            Place(document_.joints[joint], joints_[joint]);
        }
        UpdateActivation(document_);
        posing_.Follow();
    }
    EditorState(const EditorState&) = delete;
    EditorState& operator=(const EditorState&) = delete;

  private:
    ModelDocument& document_;
    Posing& posing_;
    BoneLengths lengths_;
    std::vector<Vector> localCoordinates_[NUM_BONES];
    RestFrame restFrames_[NUM_BONES];
    PartPlacement bones_[NUM_BONES];
    PartPlacement joints_[NUM_JOINTS];
    uint32_t modelShown_ = 1;
};

bool ReadPoses(const std::string& path, std::vector<PoseRecord>& poses) {
    std::vector<uint8_t> bytes;
    return ReadWholeFile(path, bytes).Ok() && ParsePoseFile(bytes, poses);
}

struct ChunkStep {
    const char* progress;
    const char* failure;
    std::function<bool()> write;
};

Status WriteChunks(FlexExporter& exporter, Posing& posing, ExportHost& host, Prompts& prompts,
                   const ExportRequest& request, const std::vector<PoseRecord>& poses) {
    ModelDocument& document = posing.Document();
    const MeshData& mesh = document.generatedModel.mesh;
    const std::string refskelPath = request.programDir + REFSKEL_FILE_NAME;
    auto status = [&prompts](const std::string& text) { prompts.ReportProgress(text); };
    FrameLoopHooks hooks;
    hooks.applyPose = [&posing](const PoseRecord& pose) { posing.Apply(pose); };
    hooks.status = status;
    hooks.redrawView = [&host] { host.RedrawView(); };
    hooks.progress = [&prompts](int done, int total) { prompts.ShowProgress(done, total); };

    const ChunkStep steps[] = {
        {"Writing header chunk...", "Error writing model header - export aborted.",
         [&] { return WriteHeaderChunk(exporter, mesh, static_cast<int>(poses.size())); }},
        {"Writing skin pathnames chunk...",
         "Error writing skin path names section - export aborted.",
         [&] { return WriteSkinChunk(exporter); }},
        {"Writing skin texture coordinates chunk...",
         "Error writing texture coordinates - export aborted.",
         [&] {
             return WriteStCoordChunk(exporter, mesh, request.flipTextureU, request.flipTextureV);
         }},
        {"Writing triangles chunk...", "Error writing triangles - export aborted.",
         [&] { return WriteTrisChunk(exporter, mesh); }},
        {"Writing frames chunk...", "Error writing animation frames - export aborted.",
         [&] {
             const bool written = WriteFramesChunk(exporter, document, poses, hooks, refskelPath);
             prompts.EndProgress();
             return written;
         }},
        {"Writing glcmds and mesh nodes chunks...",
         "Error writing graphics commands - export aborted.",
         [&] { return WriteGlCommandsAndMeshNodes(exporter, document); }},
        {"Writing skeletons chunk...", "Error writing skeleton data - export aborted.",
         [&] { return WriteSkeletonChunk(exporter, document, refskelPath, status); }},
        {"Writing references chunk...", "Error writing references section - export aborted.",
         [&] { return WriteReferencesChunk(exporter, refskelPath, status); }},
        {"Updating header chunk...", "Error updating model header - export aborted.",
         [&] { return UpdateHeaderChunk(exporter); }},
    };
    for (const ChunkStep& step : steps) {
        prompts.ReportProgress(step.progress);
        if (!step.write()) {
            return Status::Refuse(step.failure);
        }
    }
    return {};
}

// Everything after the generation, while the editor state is changed; the output path when the
// file is in place.
Result<std::string> ExportGenerated(Posing& posing, ExportHost& host, Prompts& prompts,
                                    const ExportRequest& request) {
    EditorState restoredOnReturn(posing);
    host.ScaleToGround();

    std::optional<std::string> output = request.outputPath;
    if (!output) {
        prompts.ReportProgress("Enter a file name to save the flex model to...");
        output = prompts.AskSaveFile({.filter = FLEX_MODEL_FILTER, .defaultExtension = "fm"});
        if (!output) {
            return Status::Cancel();
        }
    }
    std::optional<std::string> poseFile = request.poseFile;
    if (!poseFile) {
        prompts.ReportProgress("Enter a file name to load animation (pose) data from...");
        poseFile = prompts.AskOpenFile({.filter = POSE_FILE_FILTER, .defaultExtension = "spz"});
        if (!poseFile) {
            return Status::Cancel();
        }
    }
    prompts.ReportProgress(Format("Reading motion capture data (%s)...\n", *poseFile));
    std::vector<PoseRecord> poses;
    if (!ReadPoses(*poseFile, poses)) {
        return Status::Refuse("Can't read animations from '" + *poseFile + "' - export aborted.");
    }
    if (request.quick && poses.size() > QUICK_EXPORT_FRAMES) {
        poses.resize(QUICK_EXPORT_FRAMES);
    }

    prompts.ReportProgress(Format("Creating flex model in '%s'...", *output));
    FlexExporter exporter;
    if (!exporter.Create(*output)) {
        return Status::Refuse("Can't create output file - export aborted.");
    }
    if (Status written = WriteChunks(exporter, posing, host, prompts, request, poses); !written) {
        return written;
    }
    if (!exporter.Commit()) {
        return Status::Refuse("Can't write output file '" + *output + "' - export aborted.");
    }
    return *output;
}

}  // namespace

Result<std::string> ExportFlexModel(Posing& posing, ExportHost& host, Prompts& prompts,
                                    const ExportRequest& request) {
    if (!host.GenerateBodyParts()) {
        return Status::Fail(Failure::BadData, "the body parts could not be generated");
    }
    return ExportGenerated(posing, host, prompts, request);
}

}  // namespace editor::flexexport
