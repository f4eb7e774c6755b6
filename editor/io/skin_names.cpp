#include "editor/io/skin_names.h"

#include <sstream>

#include "bytes/byte_reader.h"
#include "editor/io/chunks_3ds.h"
#include "editor/io/fm_layout.h"
#include "editor/io/md2_layout.h"

namespace editor::io {

using namespace ::bytes;

namespace {

constexpr uint16_t MATERIAL_CHUNK = 0xAFFF;
constexpr uint16_t TEXTURE_MAP_CHUNK = 0xA200;
constexpr uint16_t MAP_FILE_CHUNK = 0xA300;
// The chunks that lead to a map's file name nest four deep; deeper ones are not followed.
constexpr int MAX_CHUNK_DEPTH = 4;

std::string TrimmedLine(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.pop_back();
    }
    const std::size_t start = line.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : line.substr(start);
}

// The rest of each line that starts with keyword and a blank, trimmed.
std::vector<std::string> KeywordValues(std::span<const uint8_t> text, const std::string& keyword) {
    std::istringstream lines(std::string(text.begin(), text.end()));
    std::vector<std::string> values;
    for (std::string line; std::getline(lines, line);) {
        line = TrimmedLine(line);
        if (line.size() > keyword.size() && line.compare(0, keyword.size(), keyword) == 0 &&
            (line[keyword.size()] == ' ' || line[keyword.size()] == '\t')) {
            std::string value = TrimmedLine(line.substr(keyword.size()));
            if (!value.empty()) {
                values.push_back(value);
            }
        }
    }
    return values;
}

// A map statement's options take one to three numbers each ("-o 0 0 0", "-bm 1", "-clamp on");
// the file name is what is left after the last option's values.
std::string MapFileName(const std::string& value) {
    std::istringstream words(value);
    std::vector<std::string> tokens;
    for (std::string word; words >> word;) {
        tokens.push_back(word);
    }
    std::size_t at = 0;
    while (at < tokens.size() && tokens[at].size() > 1 && tokens[at][0] == '-') {
        ++at;
        while (at + 1 < tokens.size() &&
               (tokens[at] == "on" || tokens[at] == "off" ||
                tokens[at].find_first_not_of("0123456789.-+eE") == std::string::npos)) {
            ++at;
        }
    }
    std::string name;
    for (std::size_t i = at; i < tokens.size(); ++i) {
        name += (name.empty() ? "" : " ") + tokens[i];
    }
    return name;
}

void WalkChunks3ds(const ByteReader& in, std::size_t from, std::size_t end, int depth,
                   std::vector<std::string>& names) {
    std::size_t at = from;
    while (at + CHUNK_3DS_HEADER_BYTES <= end) {
        auto id = in.Uint16(at);
        auto length = in.Uint32(at + 2);
        if (!id || !length || *length < CHUNK_3DS_HEADER_BYTES || *length > end - at) {
            return;
        }
        const std::size_t dataStart = at + CHUNK_3DS_HEADER_BYTES;
        const std::size_t chunkEnd = at + *length;
        if (*id == MAP_FILE_CHUNK) {
            auto text = in.Slice(dataStart, chunkEnd - dataStart);
            std::string name(text->begin(), text->end());
            name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
            if (!name.empty()) {
                names.push_back(name);
            }
        } else if (depth < MAX_CHUNK_DEPTH && (*id == CHUNK_3DS_MAIN || *id == CHUNK_3DS_EDITOR ||
                                               *id == MATERIAL_CHUNK || *id == TEXTURE_MAP_CHUNK)) {
            WalkChunks3ds(in, dataStart, chunkEnd, depth + 1, names);
        }
        at = chunkEnd;
    }
}

}  // namespace

std::vector<std::string> ObjMaterialLibraries(std::span<const uint8_t> text) {
    return KeywordValues(text, "mtllib");
}

std::vector<std::string> MtlDiffuseMaps(std::span<const uint8_t> text) {
    std::vector<std::string> names;
    for (const std::string& value : KeywordValues(text, "map_Kd")) {
        std::string name = MapFileName(value);
        if (!name.empty()) {
            names.push_back(name);
        }
    }
    return names;
}

std::vector<std::string> MaterialMaps3ds(std::span<const uint8_t> bytes) {
    std::vector<std::string> names;
    const ByteReader in(bytes);
    WalkChunks3ds(in, 0, bytes.size(), 0, names);
    return names;
}

std::vector<std::string> QuakeSkinNames(std::span<const uint8_t> bytes, bool flexModel) {
    const auto layout = flexModel ? FmLayout(bytes, false) : Md2Layout(bytes);
    return layout ? ListQuakeSkins(*layout) : std::vector<std::string>();
}

}  // namespace editor::io
