#include "editor/io/skin_lookup.h"

#include "editor/io/assimp_model_reader.h"
#include "editor/model/lower_case.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "bytes/whole_file.h"
#include "editor/io/skin_names.h"

namespace editor::io {

using ::editor::model::LowerCase;

using namespace ::bytes;

namespace {

// The last part of a name written with either kind of slash ("models\a.pcx", ".\a.jpg").
std::string BaseName(const std::string& name) {
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string Stem(const std::string& baseName) {
    const std::size_t dot = baseName.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? baseName : baseName.substr(0, dot);
}

std::string Extension(const std::string& path) {
    return LowerCase(std::filesystem::path(path).extension().string());
}

std::vector<uint8_t> ReadOrEmpty(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        bytes.clear();
    }
    return bytes;
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
    const std::string lower = LowerCase(name);
    const bool known = std::any_of(names.begin(), names.end(), [&lower](const std::string& n) {
        return LowerCase(n) == lower;
    });
    if (!name.empty() && !known) {
        names.push_back(name);
    }
}

// The folder's entries by lower-case name.
std::vector<std::filesystem::path> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error)) {
            entries.push_back(it->path());
        }
    }
    return entries;
}

}  // namespace

const std::vector<std::string>& SkinPictureExtensions() {
    static const std::vector<std::string> extensions = {".tga", ".pcx",  ".bmp", ".png",
                                                        ".jpg", ".jpeg", ".m8"};
    return extensions;
}

std::vector<std::string> SkinNamesOfFile(const std::string& modelPath) {
    const std::string extension = Extension(modelPath);
    const std::vector<uint8_t> bytes = ReadOrEmpty(modelPath);
    if (extension == ".md2" || extension == ".fm") {
        return QuakeSkinNames(bytes, extension == ".fm");
    }
    if (extension == ".3ds") {
        return MaterialMaps3ds(bytes);
    }
    if (extension != ".obj") {
        // Other formats assimp reads name their pictures in their materials.
        return extension == ".x" || extension == ".dxf" ? std::vector<std::string>()
                                                        : AssimpSkinNames(modelPath);
    }
    const std::filesystem::path folder = std::filesystem::path(modelPath).parent_path();
    std::vector<std::string> names;
    for (const std::string& library : ObjMaterialLibraries(bytes)) {
        const std::vector<uint8_t> text = ReadOrEmpty((folder / BaseName(library)).string());
        for (const std::string& map : MtlDiffuseMaps(text)) {
            names.push_back(map);
        }
    }
    return names;
}

SkinSearch FindSkinPicture(const std::string& modelPath) {
    // A file with several materials names several pictures; the one named like the model
    // ("SpiderTex.jpg" of spider.obj) is its skin more often than the first one listed.
    const std::string modelBase = BaseName(std::filesystem::path(modelPath).filename().string());
    const std::string modelStem = LowerCase(Stem(modelBase));
    std::vector<std::string> bases;
    for (const std::string& name : SkinNamesOfFile(modelPath)) {
        bases.push_back(BaseName(name));
    }
    std::stable_partition(bases.begin(), bases.end(), [&modelStem](const std::string& base) {
        return !modelStem.empty() && LowerCase(base).find(modelStem) != std::string::npos;
    });
    bases.push_back(modelBase);
    std::vector<std::string> candidates;
    for (std::size_t i = 0; i < bases.size(); ++i) {
        // The file's own name is only tried with picture extensions.
        if (i + 1 < bases.size()) {
            AddOnce(candidates, bases[i]);
        }
        for (const std::string& extension : SkinPictureExtensions()) {
            AddOnce(candidates, Stem(bases[i]) + extension);
        }
    }
    SkinSearch search;
    const auto entries = FolderEntries(std::filesystem::path(modelPath).parent_path().empty()
                                           ? std::filesystem::path(".")
                                           : std::filesystem::path(modelPath).parent_path());
    for (const std::string& candidate : candidates) {
        search.lookedFor.push_back(candidate);
        const std::string lower = LowerCase(candidate);
        for (const auto& entry : entries) {
            if (LowerCase(entry.filename().string()) == lower) {
                search.found = entry.string();
                return search;
            }
        }
    }
    // Last, any picture whose name starts with the model's (knight2.bmp of knight.md2), the
    // first by name so that the same one is found every time.
    if (!modelStem.empty()) {
        search.lookedFor.push_back(Stem(modelBase) + "*");
        std::optional<std::filesystem::path> first;
        for (const auto& entry : entries) {
            const std::string name = LowerCase(entry.filename().string());
            const std::vector<std::string>& pictures = SkinPictureExtensions();
            const bool picture =
                std::find(pictures.begin(), pictures.end(), Extension(name)) != pictures.end();
            if (picture && name.rfind(modelStem, 0) == 0 &&
                (!first || name < LowerCase(first->filename().string()))) {
                first = entry;
            }
        }
        if (first) {
            search.found = first->string();
        }
    }
    return search;
}

std::string LookedForText(const std::vector<std::string>& names, std::size_t limit) {
    std::string text;
    for (const std::string& name : names) {
        const std::string piece = (text.empty() ? "" : ", ") + name;
        if (text.size() + piece.size() + 5 > limit) {
            return text + ", ...";
        }
        text += piece;
    }
    return text;
}

}  // namespace editor::io
