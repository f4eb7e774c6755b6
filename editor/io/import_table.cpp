#include "editor/io/import_table.h"

std::string BuildImportFilter() {
    return BuildFileFilter(IMPORT_TABLE);
}

int ImportTypeOfPath(const std::string& path) {
    return FileTypeOfPath(IMPORT_TABLE, path);
}
