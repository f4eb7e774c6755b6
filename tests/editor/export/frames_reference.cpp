#include "tests/editor/export/frames_reference.h"

#include <cmath>

#include "editor/export/flex_exporter.h"
#include "editor/export/frames_chunk.h"
#include "editor/export/mesh_chunks.h"
#include "flexmodel/vertex_normals.h"
#include "tests/flexmodel/nearest_normal_reference.h"

using namespace ::editor::flexexport;

void ReferenceVertexNormalIndices(const MeshData& mesh, int vertexCount, uint8_t* indices) {
    for (int v = 0; v < vertexCount; ++v) {
        double sum[3] = {0.0, 0.0, 0.0};
        for (int f = 0; f < mesh.TriangleCount(); ++f) {
            int a, b, c;
            mesh.GetTriangle(f, a, b, c);
            if (a != v && b != v && c != v) {
                continue;
            }
            const Vector &pa = mesh.vertices[a], &pb = mesh.vertices[b], &pc = mesh.vertices[c];
            const double ux = double(pc.x) - pa.x, uy = double(pc.y) - pa.y,
                         uz = double(pc.z) - pa.z;
            const double vx = double(pb.x) - pa.x, vy = double(pb.y) - pa.y,
                         vz = double(pb.z) - pa.z;
            const double n[3] = {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
            const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            if (length == 0.0) {
                continue;
            }
            for (int axis = 0; axis < 3; ++axis) {
                sum[axis] += n[axis] / length;
            }
        }
        indices[v] = static_cast<uint8_t>(ReferenceNearestNormal(sum[0], sum[1], sum[2]));
    }
}

void MakeBand(ModelDocument& document, int segments) {
    for (MeshData* mesh : {&document.model.mesh, &document.generatedModel.mesh}) {
        mesh->Clear();
        for (int ring = 0; ring < 2; ++ring) {
            for (int s = 0; s < segments; ++s) {
                const double angle = 2.0 * M_PI * s / segments;
                const double radius = 8.0 + 2.0 * std::sin(7.0 * angle) + ring;
                mesh->AddVertex(Vector(radius * std::cos(angle), radius * std::sin(angle),
                                       ring * 6.0 + std::cos(5.0 * angle)));
                mesh->texVertices[ring * segments + s] =
                    TexVertex{float(s % 256), float(ring * 100), 0.0f};
            }
        }
        mesh->texVertexCount = 2 * segments;
        for (int s = 0; s < segments; ++s) {
            const int a = s, b = (s + 1) % segments, c = a + segments, d = b + segments;
            mesh->AddTriangle(a, b, c, a, b, c);
            mesh->AddTriangle(b, d, c, b, d, c);
        }
    }
}

bool WriteTurningFrames(ModelDocument& document, int frames, bool reference,
                        const std::string& path, const std::string& refskelPath) {
    std::vector<PoseRecord> poses(frames);
    for (int i = 0; i < frames; ++i) {
        SetPoseName(poses[i], "turn" + std::to_string(i + 1));
    }
    int frame = 0;
    FrameLoopHooks hooks;
    hooks.applyPose = [&document, &frame](const PoseRecord&) {
        const double angle = 0.37 * frame, squash = 1.0 + 0.1 * std::sin(0.2 * frame);
        ++frame;
        const MeshData& model = document.model.mesh;
        MeshData& generated = document.generatedModel.mesh;
        for (int v = 0; v < model.vertexCount; ++v) {
            const Vector& p = model.vertices[v];
            generated.vertices[v] =
                Vector(p.x * std::cos(angle) - p.y * std::sin(angle),
                       p.x * std::sin(angle) + p.y * std::cos(angle), p.z * squash);
        }
    };
    if (reference) {
        hooks.normalIndices = ReferenceVertexNormalIndices;
    }
    FlexExporter exporter;
    return exporter.Create(path) &&
           WriteHeaderChunk(exporter, document.generatedModel.mesh, frames) &&
           WriteFramesChunk(exporter, document, poses, hooks, refskelPath) && exporter.Commit();
}
