#include "editor/export/frames_chunk.h"

#include <cstdio>
#include <vector>

#include "bytes/side_file.h"
#include "editor/export/frame_normals.h"
#include "editor/export/frame_packing.h"
#include "editor/export/reference_points.h"
#include "editor/skeleton/skeleton_posing.h"
#include "flexmodel/record_io.h"

namespace editor::flexexport {

using namespace ::editor::skeleton;

namespace {

// Frames between two progress reports while the generated model is not shown.
constexpr int REPORT_EVERY = 25;

std::string Format(const char* format, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

void CopyPoints(const ReferencePoints& from, ReferencePoints& to) {
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        for (int k = 0; k < REF_POINTS_PER_BONE; ++k) {
            to[bone][k] = from[bone][k];
        }
    }
}

}  // namespace

std::string FrameProgressText(bool viewGenerated, int index, int count, int& lastReported,
                              const std::string& name) {
    if (viewGenerated) {
        return Format("Processing frame '%s'...", name.c_str());
    }
    if (index != 0 && index - lastReported < REPORT_EVERY && index != count - 1) {
        return std::string();
    }
    lastReported = index;
    return Format("Processing frame #%d of %d ('%s')...", index + 1, count, name.c_str());
}

bool WriteFramesChunk(FlexExporter& exporter, ModelDocument& document,
                      std::span<const PoseRecord> poses, const FrameLoopHooks& hooks,
                      const std::string& refskelPath) {
    SideFile refskel;
    if (!refskel.Open(refskelPath)) {
        return false;
    }
    BoneLengths lengths;
    GetBoneLengths(document, lengths);
    ReferencePoints restPoints;
    RestReferencePoints(lengths, restPoints);

    const int frameCount = static_cast<int>(poses.size());
    const int vertexCount = exporter.header.numXyz;
    ByteWriter chunkHeader;
    AppendChunkHeader(chunkHeader, FRAMES_CHUNK.ident, FRAMES_CHUNK.version,
                      exporter.header.frameSize * frameCount);
    if (!exporter.Write(chunkHeader)) {
        return false;
    }
    const NormalIndexFunction normalIndices =
        hooks.normalIndices != nullptr ? hooks.normalIndices : VertexNormalIndices;
    const bool viewGenerated = document.viewGenerated != 0;
    MeshData& mesh = document.generatedModel.mesh;
    std::vector<uint8_t> normals(vertexCount);
    int lastReported = 0;
    for (int i = 0; i < frameCount; ++i) {
        const PoseRecord& pose = poses[i];
        const std::string name = PoseName(pose);
        if (std::string text = FrameProgressText(viewGenerated, i, frameCount, lastReported, name);
            !text.empty()) {
            hooks.status(text);
            hooks.progress(i, frameCount);
            hooks.redrawView();
        }
        CopyPoints(restPoints, document.refSkeleton);
        hooks.applyPose(pose);
        if (viewGenerated) {
            hooks.redrawView();
        }
        // The game's x axis runs the other way.
        mesh.NegateCoordinate(0);
        normalIndices(mesh, vertexCount, normals.data());
        ByteWriter frame;
        const PackedSpace space = PackFrame(mesh, vertexCount, normals.data(), name, frame);
        PackReferencePoints(space, document.refSkeleton);
        ByteWriter record;
        AppendRefSkelRecord(record, document.refSkeleton);
        if (!exporter.Write(frame) || !refskel.Write(record.Bytes().data(), record.Size())) {
            return false;
        }
    }
    hooks.progress(frameCount, frameCount);
    if (!refskel.Commit()) {
        return false;
    }
    hooks.status("All frames processed.");
    return true;
}

}  // namespace editor::flexexport
