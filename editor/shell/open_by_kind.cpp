#include "editor/shell/open_by_kind.h"

#include <filesystem>

#include "editor/shell/command_ids.h"
#include "editor/shell/text_util.h"

namespace editor::shell {

namespace {

struct FileKind {
    const char* extension;
    int command;
};

constexpr FileKind kFileKinds[] = {
    {".spz", ID_FILE_LOAD_POSE},
    {".bnz", ID_FILE_LOAD_BONES},
    {".bnd", ID_FILE_LOAD_BINDINGS},
    {".ori", ID_FILE_LOAD_ORIENTATION},
};

}  // namespace

int CommandToOpenFile(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    for (const FileKind& kind : kFileKinds) {
        if (EqualsIgnoreCase(extension, kind.extension)) {
            return kind.command;
        }
    }
    return ID_FILE_OPEN;
}

}  // namespace editor::shell
