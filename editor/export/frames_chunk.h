#pragma once
// The "frames" chunk: the generated model posed once for every pose, mirrored into the game's
// handedness, with vertex normals, packed; each frame's reference points go to "refskel.bin".

#include <functional>
#include <span>
#include <string>

#include "editor/export/flex_exporter.h"
#include "editor/model/model_document.h"
#include "editor/model/pose_record.h"

namespace editor::flexexport {

using namespace ::editor::model;

using NormalIndexFunction = void (*)(const MeshData& mesh, int vertexCount, uint8_t* indices);

// What the frames loop asks of the editor around it.
struct FrameLoopHooks {
    // Applies the pose to the skeleton; the generated model and the document's reference
    // points follow it.
    std::function<void(const PoseRecord&)> applyPose;
    std::function<void(const std::string&)> status = [](const std::string&) {};
    std::function<void()> redrawView = [] {};
    // Frames done so far of the total.
    std::function<void(int done, int total)> progress = [](int, int) {};
    NormalIndexFunction normalIndices = nullptr;  // the one-pass normals when null
};

// Writes one frame per pose (exporter.header says how many vertices) and rewrites
// refskelPath with one record per frame. False when a write fails.
bool WriteFramesChunk(FlexExporter& exporter, ModelDocument& document,
                      std::span<const PoseRecord> poses, const FrameLoopHooks& hooks,
                      const std::string& refskelPath);

// The status text before frame index of count: the pose's name alone while the generated model
// is shown, otherwise the frame's number, at the first, every 25th and the last frame; empty
// when the frame is not reported.
std::string FrameProgressText(bool viewGenerated, int index, int count, int& lastReported,
                              const std::string& name);

}  // namespace editor::flexexport
