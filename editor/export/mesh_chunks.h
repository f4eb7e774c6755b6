#pragma once
// The chunks that describe the exported mesh once: "header" (written first and rewritten last),
// "skin", "st coord" and "tris". Each writer returns false when the output cannot be written.

#include "editor/export/flex_exporter.h"

namespace editor::flexexport {

constexpr int EXPORT_SKIN_SIZE = 256;
inline constexpr const char* EXPORT_SKINS[2] = {"models/player/elf/!skin.m8",
                                                "models/player/elf/!skindmg.m8"};

// Fills the exporter's header from the mesh (numGlCmds 0 until the commands are written).
bool WriteHeaderChunk(FlexExporter& exporter, const MeshData& mesh, int frameCount);
bool WriteSkinChunk(FlexExporter& exporter);
// Copies the mesh's texture vertices into the exporter, flipped (255 - u, below 0 taken as 0)
// when asked, and writes them as whole texels.
bool WriteStCoordChunk(FlexExporter& exporter, const MeshData& mesh, bool flipU, bool flipV);
bool WriteTrisChunk(FlexExporter& exporter, const MeshData& mesh);
// Rewrites the "header" data with the exporter's final header.
bool UpdateHeaderChunk(FlexExporter& exporter);

}  // namespace editor::flexexport
