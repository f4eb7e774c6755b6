#include "editor/io/import_table.h"

namespace editor::io {

std::string BuildImportFilter() {
    return BuildFileFilter(IMPORT_TABLE);
}

std::string BuildOpenModelFilter() {
    return BuildFileFilterWithAll(IMPORT_TABLE, "All Model Files");
}

int ImportTypeOfPath(const std::string& path) {
    return FileTypeOfPath(IMPORT_TABLE, path);
}

}  // namespace editor::io
