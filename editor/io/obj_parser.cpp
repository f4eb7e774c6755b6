#include "editor/io/obj_parser.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "flexmodel/nearest_normal.h"

namespace editor::io {

using namespace ::flexmodel;

namespace {

// Lines are read in pieces of at most this many characters; a longer line goes on as the next.
constexpr std::size_t LINE_PIECE = 255;

using Tokens = std::vector<std::string>;

// Splits at spaces and tabs only, so line-end characters stay on the last token. Text after a
// NUL byte is not part of the line.
Tokens SplitTokens(const char* text, std::size_t length) {
    Tokens tokens;
    std::string current;
    for (std::size_t i = 0; i < length && text[i] != '\0'; ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            if (!current.empty()) {
                tokens.push_back(current);
                current.clear();
            }
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        tokens.push_back(current);
    }
    return tokens;
}

float ParseNumber(const std::string& token) {
    const double value = std::strtod(token.c_str(), nullptr);
    return std::isfinite(value) ? static_cast<float>(value) : 0.0f;
}

// The 0-based index of a 1-based OBJ index: the leading integer of text (0 when there is
// none) minus 1, clamped to int. Relative (negative) indices come out negative and are refused.
int32_t ParseIndex(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    return static_cast<int32_t>(std::clamp<long>(value, INT_MIN + 1L, INT_MAX) - 1);
}

std::string WithoutLineEnd(std::string name) {
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) {
        name.pop_back();
    }
    return name;
}

class ObjParser {
  public:
    explicit ObjParser(RawMesh& mesh) : mesh_(mesh) {}

    bool ParseLine(const Tokens& tokens, int line);
    // Fails, saying which kind of element did not fit, when one did not.
    Status Finish();
    // Why ParseLine refused its line.
    const std::string& Refusal() const { return refusal_; }

  private:
    bool ParseVertex(const Tokens& tokens);
    bool ParseTexVertex(const Tokens& tokens);
    void ParseNormal(const Tokens& tokens);
    bool ParseFace(const Tokens& tokens);
    bool ParseGroups(const Tokens& tokens);
    static void ParseCorner(const std::string& token, int32_t& vertex, int32_t& texVertex);

    static float NumberAt(const Tokens& tokens, std::size_t i) {
        return i < tokens.size() ? ParseNumber(tokens[i]) : 0.0f;
    }

    RawMesh& mesh_;
    int line_ = 0;
    std::string refusal_;
    // Elements past the capacity are counted on, so that the refusal can give the total.
    std::size_t vertexLines_ = 0;
    std::size_t texVertexLines_ = 0;
    std::size_t faceLines_ = 0;
    std::vector<int> currentGroups_;
    std::vector<uint8_t> normals_;
    std::size_t normalLines_ = 0;
};

bool ObjParser::ParseLine(const Tokens& tokens, int line) {
    line_ = line;
    if (tokens.empty() || tokens[0][0] == '#') {
        return true;
    }
    const std::string& kind = tokens[0];
    if (kind == "v") {
        return ParseVertex(tokens);
    }
    if (kind == "vt") {
        return ParseTexVertex(tokens);
    }
    if (kind == "vn") {
        ParseNormal(tokens);
        return true;
    }
    if (kind == "f") {
        return ParseFace(tokens);
    }
    if (kind == "g") {
        return ParseGroups(tokens);
    }
    return true;
}

bool ObjParser::ParseVertex(const Tokens& tokens) {
    if (++vertexLines_ > MAX_MESH_ELEMENTS) {
        return true;
    }
    mesh_.vertices.push_back({NumberAt(tokens, 1), NumberAt(tokens, 2), NumberAt(tokens, 3)});
    return true;
}

bool ObjParser::ParseTexVertex(const Tokens& tokens) {
    if (++texVertexLines_ > MAX_MESH_ELEMENTS) {
        return true;
    }
    mesh_.texVertices.push_back({NumberAt(tokens, 1), NumberAt(tokens, 2)});
    return true;
}

// The k-th normal belongs to the k-th vertex; normals only serve to orient the triangles.
void ObjParser::ParseNormal(const Tokens& tokens) {
    ++normalLines_;
    if (normals_.size() >= MAX_MESH_ELEMENTS) {
        return;
    }
    normals_.push_back(static_cast<uint8_t>(
        NearestVertexNormal(NumberAt(tokens, 1), NumberAt(tokens, 2), NumberAt(tokens, 3))));
}

void ObjParser::ParseCorner(const std::string& token, int32_t& vertex, int32_t& texVertex) {
    vertex = ParseIndex(token.c_str());
    const std::size_t slash = token.find('/');
    // "v//vn" names no texture vertex: it reads like a corner without slashes.
    if (slash != std::string::npos && slash + 1 < token.size() && token[slash + 1] != '/') {
        texVertex = ParseIndex(token.c_str() + slash + 1);
    }
}

bool ObjParser::ParseFace(const Tokens& tokens) {
    if (++faceLines_ > MAX_MESH_ELEMENTS) {
        return true;
    }
    if (mesh_.groups.empty()) {
        currentGroups_.assign(1, mesh_.GroupIndex("default"));
    }
    RawTriangle triangle;
    // Only the first three corners of a face are used.
    for (std::size_t k = 0; k < 3 && k + 1 < tokens.size(); ++k) {
        ParseCorner(tokens[k + 1], triangle.corners[k], triangle.texCorners[k]);
    }
    const int index = static_cast<int>(mesh_.triangles.size());
    mesh_.triangles.push_back(triangle);
    mesh_.triangleLines.push_back(line_);
    for (int group : currentGroups_) {
        mesh_.groups[group].triangles.push_back(index);
    }
    return true;
}

bool ObjParser::ParseGroups(const Tokens& tokens) {
    currentGroups_.clear();
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        const std::string name = WithoutLineEnd(tokens[i]);
        if (name.empty()) {
            continue;
        }
        const int group = mesh_.GroupIndex(name);
        if (group < 0) {
            refusal_ = "line " + std::to_string(line_) + ": more than " +
                       std::to_string(MAX_TRIANGLE_GROUPS) + " groups";
            return false;
        }
        currentGroups_.push_back(group);
    }
    return true;
}

// Normals that do not pair one to one with the vertices cannot say which way a vertex faces:
// they are dropped and the winding is found from the geometry instead.
Status ObjParser::Finish() {
    const std::pair<std::size_t, const char*> counts[] = {
        {vertexLines_, "vertices"}, {texVertexLines_, "texture vertices"}, {faceLines_, "faces"}};
    for (const auto& [count, what] : counts) {
        if (count > MAX_MESH_ELEMENTS) {
            return Status::BadData(std::to_string(count) + " " + what + ", more than " +
                                   std::to_string(MAX_MESH_ELEMENTS));
        }
    }
    if (normalLines_ > 0 && normalLines_ == mesh_.vertices.size()) {
        mesh_.normalIndices = normals_;
    }
    mesh_.oriented = false;
    return Status();
}

}  // namespace

Status ParseObj(std::span<const uint8_t> text, RawMesh& mesh) {
    mesh = RawMesh{};
    ObjParser parser(mesh);
    const char* data = reinterpret_cast<const char*>(text.data());
    std::size_t position = 0;
    int line = 1;
    while (position < text.size()) {
        std::size_t length = 0;
        while (length < LINE_PIECE && position + length < text.size()) {
            ++length;
            if (data[position + length - 1] == '\n') {
                break;
            }
        }
        if (!parser.ParseLine(SplitTokens(data + position, length), line)) {
            mesh = RawMesh{};
            return Status::BadData(parser.Refusal());
        }
        line += data[position + length - 1] == '\n' ? 1 : 0;
        position += length;
    }
    Status finished = parser.Finish();
    if (!finished) {
        mesh = RawMesh{};
    }
    return finished;
}

}  // namespace editor::io
