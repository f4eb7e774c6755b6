#pragma once
// The skin pictures a mesh file names: what the editor looks for beside an opened file to
// show it with its skin.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace editor::io {

// The libraries an OBJ file names on its "mtllib" lines, in file order.
std::vector<std::string> ObjMaterialLibraries(std::span<const uint8_t> text);
// The pictures a material library gives on its "map_Kd" lines, in file order; options before
// the name ("-s 1 1 1") are passed over.
std::vector<std::string> MtlDiffuseMaps(std::span<const uint8_t> text);
// The texture-map file names of a 3D Studio file's materials, in file order.
std::vector<std::string> MaterialMaps3ds(std::span<const uint8_t> bytes);
// The skin names of an MD2 or FlexModel file, in file order.
std::vector<std::string> QuakeSkinNames(std::span<const uint8_t> bytes, bool flexModel);

}  // namespace editor::io
