#include "editor/io/mesh_readers.h"

#include <cstdint>
#include <utility>

#include "editor/io/file_bytes.h"
#include "editor/io/fm_layout.h"
#include "editor/io/md2_layout.h"
#include "editor/io/obj_parser.h"
#include "editor/io/parser_3ds.h"
#include "editor/io/quake_model.h"
#include "editor/io/store_raw_mesh.h"
#include "editor/model/mesh_data.h"

namespace editor::io {

using namespace ::editor::model;

namespace {

using Parser = bool (*)(std::span<const uint8_t>, RawMesh&);

constexpr const char* UNREADABLE = "the file cannot be read";

int Refuse(std::string* refusal, std::string reason) {
    if (refusal != nullptr) {
        *refusal = std::move(reason);
    }
    return -1;
}

// Stores the raw mesh, or says why it does not fit.
int StoreOrRefuse(const RawMesh& raw, MeshData& target, std::string* refusal) {
    if (StoreAndFinish(raw, target) == 0) {
        return 0;
    }
    const std::string misfit = RawMeshMisfit(raw);
    return Refuse(refusal, misfit.empty() ? "the mesh cannot be stored" : misfit);
}

int ReadWith(Parser parse, const char* format, MeshData& target, const std::string& path,
             std::string* refusal) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) {
        return Refuse(refusal, UNREADABLE);
    }
    RawMesh raw;
    if (!parse(bytes, raw)) {
        target.Clear();
        return Refuse(refusal, !raw.refusal.empty()
                                   ? raw.refusal
                                   : std::string("not a ") + format + " file the editor can read");
    }
    return StoreOrRefuse(raw, target, refusal);
}

int ListFrames(const std::optional<QuakeModelLayout>& layout, std::vector<std::string>& names) {
    if (!layout || !ListQuakeFrames(*layout, names)) {
        names.clear();
        return -1;
    }
    return static_cast<int>(names.size());
}

int ReadFrame(const std::optional<QuakeModelLayout>& layout, const char* format, MeshData& target,
              const std::string& frameName, std::string* refusal) {
    RawMesh raw;
    if (!layout) {
        target.Clear();
        return Refuse(refusal, std::string("not a ") + format + " file the editor can read");
    }
    if (!ReadQuakeFrame(*layout, frameName, raw)) {
        target.Clear();
        return Refuse(refusal, "the frame '" + frameName + "' cannot be read");
    }
    return StoreOrRefuse(raw, target, refusal);
}

}  // namespace

int ReadObj(MeshData& target, const std::string& path, std::string* refusal) {
    return ReadWith(ParseObj, "Wavefront OBJ", target, path, refusal);
}

int Read3ds(MeshData& target, const std::string& path, std::string* refusal) {
    return ReadWith(Parse3ds, "3D Studio", target, path, refusal);
}

int ListMd2Frames(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) {
        return -1;
    }
    return ListFrames(Md2Layout(bytes), names);
}

int ListFmFrames(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) {
        return -1;
    }
    return ListFrames(FmLayout(bytes, false), names);
}

int ReadMd2Frame(MeshData& target, const std::string& path, const std::string& frameName,
                 std::string* refusal) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) {
        return Refuse(refusal, UNREADABLE);
    }
    return ReadFrame(Md2Layout(bytes), "Quake 2 model", target, frameName, refusal);
}

int ReadFmFrame(MeshData& target, const std::string& path, const std::string& frameName,
                std::string* refusal) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) {
        return Refuse(refusal, UNREADABLE);
    }
    return ReadFrame(FmLayout(bytes, true), "FlexModel", target, frameName, refusal);
}

int MakeTestCube(MeshData& target) {
    static const float corners[8][3] = {{-10, -10, -10}, {-10, -10, 10}, {10, -10, 10},
                                        {10, -10, -10},  {-10, 10, -10}, {-10, 10, 10},
                                        {10, 10, 10},    {10, 10, -10}};
    static const int triangles[12][3] = {{0, 3, 2}, {0, 2, 1}, {3, 7, 6}, {3, 6, 2},
                                         {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4},
                                         {0, 4, 7}, {0, 7, 3}, {2, 6, 5}, {2, 5, 1}};
    RawMesh raw;
    for (const auto& c : corners) {
        raw.vertices.push_back({c[0], c[1], c[2]});
    }
    for (const auto& t : triangles) {
        raw.triangles.push_back(RawTriangle{{t[0], t[1], t[2]}, {0, 0, 0}});
    }
    return StoreAndFinish(raw, target);
}

}  // namespace editor::io
