#include "editor/io/import_mesh.h"

#include <vector>

#include "editor/io/assimp_import.h"
#include "editor/io/assimp_model_reader.h"
#include "editor/io/import_table.h"
#include "editor/io/mesh_readers.h"
#include "editor/io/x_reader.h"
#include "editor/model/frame_choice.h"
#include "editor/model/mesh_data.h"
#include "scene/shape.h"

namespace editor::io {

using namespace ::editor::model;
using namespace ::scene;

namespace {

using FrameLister = int (*)(const std::string&, std::vector<std::string>&);
using FrameReader = int (*)(MeshData&, const std::string&, const std::string&, std::string*);

std::optional<std::string> ChooseImportPath(const std::string& path, Prompts* questions) {
    if (!path.empty()) {
        return path;
    }
    if (questions == nullptr) {
        return std::nullopt;
    }
    auto chosen = questions->AskOpenFile(
        {.filter = BuildOpenModelFilter(), .defaultExtension = "obj", .flags = kOpenExisting});
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    return chosen;
}

// Without anyone to ask, the first frame is taken.
int ReadChosenFrame(FrameLister list, FrameReader read, MeshData& target, const std::string& path,
                    Prompts* questions, std::string* refusal) {
    std::vector<std::string> names;
    if (list(path, names) < 0) {
        if (refusal != nullptr) {
            *refusal = "the file's frames cannot be read";
        }
        return -1;
    }
    std::optional<std::string> frame = std::string();
    if (questions != nullptr) {
        frame = questions->AskComboChoice(
            FirstEntryChoice(FRAME_CHOICE_TITLE, names, FRAME_NAME_LIMIT));
    } else if (!names.empty()) {
        frame = names.front();
    }
    if (!frame) {
        return -1;
    }
    return read(target, path, *frame, refusal);
}

int ReadByType(int type, MeshData& target, const std::string& path, Prompts* questions,
               std::string* refusal) {
    switch (type) {
        case IMPORT_OBJ:
            return ReadObj(target, path, refusal);
        case IMPORT_3DS:
            return Read3ds(target, path, refusal);
        case IMPORT_MD2:
            return ReadChosenFrame(ListMd2Frames, ReadMd2Frame, target, path, questions, refusal);
        case IMPORT_FM:
            return ReadChosenFrame(ListFmFrames, ReadFmFrame, target, path, questions, refusal);
        case IMPORT_DXF:
            return MakeTestCube(target);
        default:
            return -1;
    }
}

}  // namespace

namespace {

// Reads the file chosen into target and makes shape draw it; false with the reason in refusal
// (left empty when the reader gave none).
bool ImportChosen(C3dShape& shape, MeshData& target, const std::string& chosen, Prompts* questions,
                  ImportReport* report, std::string* refusal) {
    const int type = ImportTypeOfPath(chosen);
    if (type < 0 && !AssimpReadsExtension(chosen)) {
        *refusal = "files of this type cannot be opened";
        return false;
    }
    if (type == IMPORT_X) {
        const Status read = ReadXFile(shape, target, chosen);
        if (!read) {
            *refusal = read.Reason();
        }
        return read.Ok();
    }
    const int read = type < 0 ? ImportThroughAssimp(target, chosen, questions, report, refusal)
                              : ReadByType(type, target, chosen, questions, refusal);
    if (read != 0) {
        return false;
    }
    if (!shape.CreateFromFaces(target.vertices, target.vertexCount, nullptr, 0, target.faces,
                               FACE_LIST_WORDS, true)) {
        *refusal = "the mesh cannot be drawn";
        return false;
    }
    return true;
}

}  // namespace

Result<std::string> ImportMesh(C3dShape& shape, MeshData& target, const std::string& path,
                               Prompts* questions, std::string* attemptedPath,
                               ImportReport* report) {
    const std::optional<std::string> chosen = ChooseImportPath(path, questions);
    if (!chosen) {
        return Status::Cancel();
    }
    if (attemptedPath != nullptr) {
        *attemptedPath = *chosen;
    }
    std::string refusal;
    if (!ImportChosen(shape, target, *chosen, questions, report, &refusal)) {
        return Status::Refuse(refusal);
    }
    shape.SetName(FILE_OBJECT_PREFIX + *chosen);
    return *chosen;
}

}  // namespace editor::io
