#pragma once
// Finding the skin picture of an opened mesh file: the pictures the file names (its skin
// names, an OBJ's material maps, a 3DS material map), then the file's own name, each looked up
// beside the file, as named and with every picture extension the editor reads.

#include <optional>
#include <string>
#include <vector>

namespace editor::io {

struct SkinSearch {
    // The picture found; nothing when none of the names exists.
    std::optional<std::string> found;
    // The file names looked for, in order, without their folder.
    std::vector<std::string> lookedFor;
};

// The picture extensions a skin is looked up with, in the order tried.
const std::vector<std::string>& SkinPictureExtensions();

// The names the mesh file at modelPath gives for its skin (an OBJ's libraries are read from
// beside it); empty when it names none or cannot be read.
std::vector<std::string> SkinNamesOfFile(const std::string& modelPath);

// Looks for the skin of the mesh file at modelPath in its folder; names match regardless of
// case, as they do on the systems these files come from.
SkinSearch FindSkinPicture(const std::string& modelPath);

// "a.tga, a.pcx, ..." for a status line, cut with "..." to stay within limit characters.
std::string LookedForText(const std::vector<std::string>& names, std::size_t limit);

}  // namespace editor::io
