#pragma once
// The mesh formats the editor imports, in fixed order: the position is the reader number.

#include <array>
#include <string>

#include "editor/io/file_types.h"

namespace editor::io {

enum ImportType {
    IMPORT_OBJ = 0,
    IMPORT_3DS = 1,
    IMPORT_MD2 = 2,
    IMPORT_FM = 3,
    IMPORT_DXF = 4,
    IMPORT_X = 5,
};

inline constexpr std::array<FileType, 6> IMPORT_TABLE = {{
    {".obj", "WaveFront Files (*.obj)"},
    {".3ds", "3D Studio Files (*.3ds)"},
    {".md2", "Quake 2 Files (*.md2)"},
    {".fm", "Heretic II Files (.fm)"},
    {".dxf", "AutoCAD Files (*.dxf)"},
    {".x", "DirectX Files (*.x)"},
}};

std::string BuildImportFilter();
// The open dialog's filter: "All Model Files" first, so that every readable mesh is listed at
// once, then each format and all files.
std::string BuildOpenModelFilter();
// The reader number of the path's extension, or -1.
int ImportTypeOfPath(const std::string& path);

}  // namespace editor::io
