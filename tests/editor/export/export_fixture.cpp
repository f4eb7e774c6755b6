#include "tests/editor/export/export_fixture.h"

#include <cmath>
#include <fstream>
#include <iterator>

#include "editor/skeleton/pose_file.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"

using namespace ::editor::skeleton;

void RootFollower::FollowPose(ModelDocument& document) {
    PoseRecord pose;
    ReadPose(document, pose);
    const PoseVec root = pose.startPositions[CENTER_PELVIS_BONE];
    MeshData& generated = document.generatedModel.mesh;
    generated.CopyGeometryFrom(document.model.mesh);
    for (int v = 0; v < generated.vertexCount; ++v) {
        Vector& p = generated.vertices[v];
        p = Vector(p.x - root.x, p.y + root.y, p.z + root.z);
    }
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        const PoseVec start = pose.startPositions[bone];
        for (Vector& point : document.refSkeleton[bone]) {
            point = Vector(point.x + start.x, point.y + start.y, point.z + start.z);
        }
    }
}

void RecordingHost::ScaleToGround() {
    ++scaledToGround;
    MeshData& local = document->bones[9].mesh;
    for (int v = 0; v < local.vertexCount; ++v) {
        local.vertices[v] = Vector::Scaled(local.vertices[v], 2.0);
    }
}

ExportResult ExportFixture::Run() {
    Result<std::string> result = ExportFlexModel(posing, host, host, request);
    if (result) {
        written = *result;
        return ExportResult::Written;
    }
    if (result.Kind() == Failure::Refused) {
        host.messages.push_back(result.Reason());
    }
    return result.Cancelled() ? ExportResult::Cancelled : ExportResult::Failed;
}

bool RecordingHost::Saw(const std::string& status) const {
    for (const std::string& line : statuses) {
        if (line == status) {
            return true;
        }
    }
    return false;
}

void MakeTube(ModelDocument& document, int rings, int segments, int textureShift) {
    for (MeshData* mesh : {&document.model.mesh, &document.generatedModel.mesh}) {
        mesh->Clear();
        const int count = rings * segments;
        for (int r = 0; r < rings; ++r) {
            for (int s = 0; s < segments; ++s) {
                const double angle = 2.0 * M_PI * s / segments;
                const double radius = 5.0 + std::sin(3.0 * angle + r) * 1.5;
                mesh->AddVertex(
                    Vector(radius * std::cos(angle), radius * std::sin(angle), r * 2.0));
                const int texel = (r * segments + s + textureShift) % count;
                mesh->texVertices[texel] =
                    TexVertex{float(s * 255 / segments), float(r * 7 % 256), 0};
            }
        }
        mesh->texVertexCount = count;
        for (int r = 0; r + 1 < rings; ++r) {
            for (int s = 0; s < segments; ++s) {
                const int a = r * segments + s, b = r * segments + (s + 1) % segments;
                const int c = a + segments, d = b + segments;
                auto tex = [&](int v) { return (v + textureShift) % count; };
                mesh->AddTriangle(a, b, c, tex(a), tex(b), tex(c));
                mesh->AddTriangle(b, d, c, tex(b), tex(d), tex(c));
            }
        }
    }
    BonePart& torso = document.bones[9];
    torso.boundTriangles.SetRange(0, document.model.mesh.TriangleCount());
    torso.boundVertices.SetRange(0, document.model.mesh.vertexCount);
    for (int v = 0; v < document.model.mesh.vertexCount; ++v) {
        torso.mesh.vertices[v] = Vector(v, -v, v % 2 == 0 ? 1.0 : -1.0);
    }
    torso.mesh.vertexCount = document.model.mesh.vertexCount;
}

std::vector<PoseRecord> SteppingPoses(ModelDocument& document, int count, const std::string& name) {
    PoseRecord base;
    ReadPose(document, base);
    std::vector<PoseRecord> poses(count, base);
    for (int i = 0; i < count; ++i) {
        for (PoseVec& start : poses[i].startPositions) {
            start.x += i * 1.5;
            start.z += (i % 3) * 0.25;
        }
        SetPoseName(poses[i], name + std::to_string(i + 1));
    }
    return poses;
}

void WritePoseFile(const std::string& path, const std::vector<PoseRecord>& poses) {
    const std::vector<uint8_t> bytes = SerializePoseFile(poses);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

ExportFixture::ExportFixture() {
    scene.Create();
    document->SetScene(&scene);
    BuildSkeleton(posing);
    LinkSkeleton(*document, scene);
    posing.RestoreDefaults();
    host.document = document.get();
    MakeTube(*document, 6, 10);
    request.programDir = directory.Path().string() + "/";
    host.outputAnswer = Output();
    request.poseFile = directory.File("poses.spz");
    WritePoseFile(*request.poseFile, SteppingPoses(*document, 5));
}

ExportFixture::~ExportFixture() {
    UnlinkSkeleton(*document);
    scene.RemoveAllChildren();
}
