#include "editor/export/skeleton_chunks.h"

#include <span>
#include <vector>

#include "editor/export/reference_points.h"

namespace editor::flexexport {

namespace {

constexpr int32_t SKELETON_TYPE = 5;
constexpr int32_t REFERENCE_TYPE = 0;

// Bones whose bound vertices make up each cluster, in writing order.
const std::vector<int> CLUSTERS[] = {
    {27},
    {26, 25, 28, 29, 10, 11, 12, 13, 14, 15, 16, 17,
     18, 19, 20, 21, 22, 23, 24, 30, 31, 32, 33, 34},
    {9},
};
// Bones whose reference points frame the skeleton's joints: center pelvis, lower torso, neck.
constexpr int SKELETON_JOINT_BONES[] = {8, 9, 26};
// Bones of the reference slots: the closed hands, the feet, the staff's halves, the hellstaff.
constexpr int REFERENCE_BONES[] = {14, 20, 3, 7, 21, 22, 24};

std::vector<int32_t> ClusterVertices(const ModelDocument& document, const std::vector<int>& bones) {
    std::vector<int32_t> vertices;
    for (int bone : bones) {
        document.bones[bone].boundVertices.ForEachSet(
            [&vertices](int v) { vertices.push_back(v); });
    }
    return vertices;
}

void AppendFramePoints(ByteWriter& data, const RefSkelFrames& frames, int frameCount,
                       std::span<const int> bones) {
    for (int frame = 0; frame < frameCount; ++frame) {
        for (int bone : bones) {
            frames.AppendBonePoints(data, frame, bone);
        }
    }
}

}  // namespace

bool WriteSkeletonChunk(FlexExporter& exporter, const ModelDocument& document,
                        const std::string& refskelPath, const StatusSink& status) {
    status("Importing generated skeleton data...");
    const int frameCount = exporter.header.numFrames;
    RefSkelFrames frames;
    if (!frames.Read(refskelPath, frameCount)) {
        return false;
    }
    ByteWriter data;
    data.AppendInt32(SKELETON_TYPE);
    data.AppendInt32(static_cast<int32_t>(std::size(CLUSTERS)));
    std::vector<std::vector<int32_t>> clusters;
    for (const std::vector<int>& bones : CLUSTERS) {
        clusters.push_back(ClusterVertices(document, bones));
        data.AppendInt32(static_cast<int32_t>(clusters.back().size()));
    }
    for (const std::vector<int32_t>& cluster : clusters) {
        for (int32_t vertex : cluster) {
            data.AppendInt32(vertex);
        }
    }
    data.AppendInt32(1);  // hasPositions
    AppendFramePoints(data, frames, frameCount, SKELETON_JOINT_BONES);
    return exporter.WriteChunk(SKELETON_CHUNK, data);
}

bool WriteReferencesChunk(FlexExporter& exporter, const std::string& refskelPath,
                          const StatusSink& status) {
    status("Importing generated reference data...");
    const int frameCount = exporter.header.numFrames;
    RefSkelFrames frames;
    if (!frames.Read(refskelPath, frameCount)) {
        return false;
    }
    ByteWriter data;
    data.AppendInt32(REFERENCE_TYPE);
    data.AppendInt32(1);  // hasReferences
    AppendFramePoints(data, frames, frameCount, REFERENCE_BONES);
    return exporter.WriteChunk(REFERENCES_CHUNK, data);
}

}  // namespace editor::flexexport
