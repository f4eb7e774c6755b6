#include "editor/io/import_table.h"

#include <vector>

#include "editor/io/assimp_model_reader.h"

namespace editor::io {

std::string BuildImportFilter() {
    return BuildFileFilter(IMPORT_TABLE);
}

std::string BuildOpenModelFilter() {
    // The editor's own formats, then every other one assimp reads, listed together first.
    std::vector<std::string> own;
    std::string ownPatterns;
    for (const FileType& type : IMPORT_TABLE) {
        own.push_back(type.extension);
        ownPatterns += (ownPatterns.empty() ? "*" : ";*") + std::string(type.extension);
    }
    const std::string others = AssimpPatterns(own);
    const std::string all = others.empty() ? ownPatterns : ownPatterns + ";" + others;
    const std::string ownFilter = BuildFileFilter(IMPORT_TABLE);
    const std::string otherEntry =
        others.empty() ? std::string() : "Other Model Files (" + others + ")|" + others + "|";
    // The all-files entry closes the list, after the other formats.
    const std::string allFiles = "All Files (*.*)|*.*||";
    return "All Model Files (" + all + ")|" + all + "|" +
           ownFilter.substr(0, ownFilter.size() - allFiles.size()) + otherEntry + allFiles;
}

int ImportTypeOfPath(const std::string& path) {
    return FileTypeOfPath(IMPORT_TABLE, path);
}

}  // namespace editor::io
