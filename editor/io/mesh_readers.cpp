#include "editor/io/mesh_readers.h"

#include <cstdint>
#include <utility>

#include "bytes/whole_file.h"
#include "editor/io/fm_layout.h"
#include "editor/io/md2_layout.h"
#include "editor/io/obj_parser.h"
#include "editor/io/parser_3ds.h"
#include "editor/io/quake_model.h"
#include "editor/io/store_raw_mesh.h"
#include "editor/model/mesh_data.h"

namespace editor::io {

using namespace ::bytes;
using namespace ::editor::model;

namespace {

using Parser = Status (*)(std::span<const uint8_t>, RawMesh&);

constexpr const char* UNREADABLE = "the file cannot be read";

int Refuse(std::string* refusal, std::string reason) {
    if (refusal != nullptr) {
        *refusal = std::move(reason);
    }
    return -1;
}

int ReadWith(Parser parse, MeshData& target, const std::string& path, std::string* refusal) {
    std::vector<uint8_t> bytes;
    if (!Trace(ReadWholeFile(path, bytes))) {
        return Refuse(refusal, UNREADABLE);
    }
    RawMesh raw;
    if (const Status parsed = parse(bytes, raw); !Trace(parsed)) {
        target.Clear();
        return Refuse(refusal, parsed.Reason());
    }
    return StoreAndFinish(raw, target, refusal);
}

int ListFrames(const std::optional<QuakeModelLayout>& layout, std::vector<std::string>& names) {
    if (!layout || !Trace(ListQuakeFrames(*layout, names))) {
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
    if (const Status read = ReadQuakeFrame(*layout, frameName, raw); !Trace(read)) {
        target.Clear();
        return Refuse(refusal, read.Reason());
    }
    return StoreAndFinish(raw, target, refusal);
}

}  // namespace

int ReadObj(MeshData& target, const std::string& path, std::string* refusal) {
    return ReadWith(ParseObj, target, path, refusal);
}

int Read3ds(MeshData& target, const std::string& path, std::string* refusal) {
    return ReadWith(Parse3ds, target, path, refusal);
}

int ListMd2Frames(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    std::vector<uint8_t> bytes;
    if (!Trace(ReadWholeFile(path, bytes))) {
        return -1;
    }
    return ListFrames(Md2Layout(bytes), names);
}

int ListFmFrames(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    std::vector<uint8_t> bytes;
    if (!Trace(ReadWholeFile(path, bytes))) {
        return -1;
    }
    return ListFrames(FmLayout(bytes, false), names);
}

int ReadMd2Frame(MeshData& target, const std::string& path, const std::string& frameName,
                 std::string* refusal) {
    std::vector<uint8_t> bytes;
    if (!Trace(ReadWholeFile(path, bytes))) {
        return Refuse(refusal, UNREADABLE);
    }
    return ReadFrame(Md2Layout(bytes), "Quake 2 model", target, frameName, refusal);
}

int ReadFmFrame(MeshData& target, const std::string& path, const std::string& frameName,
                std::string* refusal) {
    std::vector<uint8_t> bytes;
    if (!Trace(ReadWholeFile(path, bytes))) {
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
