#include "editor/io/obj_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <optional>

#include "bytes/replace_file.h"
#include "editor/io/import_table.h"
#include "editor/model/mesh_data.h"
#include "editor/model/read_back_geometry.h"
#include "scene/shape.h"

namespace editor::io {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::scene;

namespace {

void Append(std::string& out, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (length > 0) {
        out.append(line, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof line - 1));
    }
}

// Whole texels for the comment lines; values no int can hold are shown as 0.
int Texel(float value) {
    const double truncated = std::trunc(static_cast<double>(value));
    return std::fabs(truncated) < 2147483647.0 ? static_cast<int>(truncated) : 0;
}

void AppendVertices(std::string& out, const MeshData& mesh, int count) {
    out += "\n# 3D Vertices\n\n";
    for (int i = 0; i < count; ++i) {
        const Vector& v = mesh.vertices[i];
        Append(out, "# vertex %d (internal 3D vertex %d)\n", i + 1, i);
        Append(out, "v  %8.4f %8.4f %8.4f\n", v.x, v.y, v.z);
    }
    Append(out, "\n# Total 3D Vertices: %d\n", count);
}

void AppendTexVertices(std::string& out, const MeshData& mesh, int count) {
    out += "\n# Texture Vertice\n\n";
    for (int i = 0; i < count; ++i) {
        const TexVertex& t = mesh.texVertices[i];
        Append(out, "# texture vertex %d (internal texture vertex %d, [%d,%d])\n", i + 1, i,
               Texel(t.u), Texel(t.v));
        Append(out, "vt %8.4f %8.4f\n", t.u / 256.0, t.v / 256.0);
    }
    Append(out, "\n# Total Texture Vertices: %d\n", count);
}

bool IsTexVertex(int index, int texCount) {
    return index >= 0 && index < texCount;
}

void AppendTriangles(std::string& out, const MeshData& mesh, int texCount) {
    const int count = mesh.TriangleCount();
    out += "\n# Triangles\n\n";
    out += "g mesh\n";
    out += "usemtl x\n";
    for (int i = 0; i < count; ++i) {
        int a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
        mesh.GetTriangle(i, a, b, c);
        mesh.GetTexTriangle(i, d, e, f);
        // A reference to a texture vertex the file does not hold makes the file unreadable:
        // such a face keeps its shape without texture coordinates.
        if (IsTexVertex(d, texCount) && IsTexVertex(e, texCount) && IsTexVertex(f, texCount)) {
            Append(out, "f %d/%d %d/%d %d/%d\n", c + 1, f + 1, b + 1, e + 1, a + 1, d + 1);
        } else {
            Append(out, "f %d %d %d\n", c + 1, b + 1, a + 1);
        }
    }
    Append(out, "\n# Total Triangles: %d\n", count);
}

int Clipped(int32_t count) {
    return std::clamp<int32_t>(count, 0, MAX_MESH_ELEMENTS);
}

}  // namespace

std::string FormatObj(const MeshData& mesh, const std::string& objectName) {
    std::string out = "o " + objectName + "\n";
    AppendVertices(out, mesh, Clipped(mesh.vertexCount));
    const int texCount = Clipped(mesh.texVertexCount);
    AppendTexVertices(out, mesh, texCount);
    out += "\n# 3D Vertex Normals\n\n";
    Append(out, "\n# Total 3D Vertex Normals: %d\n", 0);
    AppendTriangles(out, mesh, texCount);
    return out;
}

int WriteObj(const MeshData& mesh, const std::string& path) {
    return Trace(ReplaceFile(path, std::string_view(FormatObj(mesh, path)))) ? 1 : 0;
}

Result<std::string> ExportMesh(C3dShape& shape, const C3dFrame* scene, const std::string& path,
                               MeshData* mesh, Prompts* questions, std::string* attemptedPath) {
    if (mesh == nullptr) {
        return Status::Fail(Failure::BadData, "no mesh to save");
    }
    std::string chosen = path;
    if (chosen.empty()) {
        auto asked =
            questions
                ? questions->AskSaveFile({.filter = BuildImportFilter(), .defaultExtension = "obj"})
                : std::nullopt;
        if (!asked || asked->empty()) {
            return Status::Cancel();
        }
        chosen = *asked;
    }
    if (attemptedPath != nullptr) {
        *attemptedPath = chosen;
    }
    if (ImportTypeOfPath(chosen) != IMPORT_OBJ) {
        return Status::Refuse("only .obj can be saved");
    }
    // Moves and turns made in the scene are kept: the geometry is saved where the scene shows it.
    const bool localOnly = scene == nullptr;
    if (!ReadBackGeometry(shape, *mesh, scene, localOnly)) {
        return Status::Fail(Failure::BadData, "the geometry cannot be read back");
    }
    if (!WriteObj(*mesh, chosen)) {
        return Status::Fail(Failure::CantWrite, "'" + chosen + "' cannot be written");
    }
    shape.SetName("File object: " + chosen);
    return chosen;
}

}  // namespace editor::io
