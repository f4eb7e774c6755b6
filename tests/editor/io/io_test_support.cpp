#include "io_test_support.h"

#include <bit>
#include <fstream>
#include <random>
#include <sstream>

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::string DataFile(const std::string& name) {
    return std::string(IO_TEST_DATA_DIR) + "/" + name;
}

Bytes& Bytes::U8(uint8_t v) {
    bytes_.push_back(v);
    return *this;
}

Bytes& Bytes::U16(uint16_t v) {
    return U8(v & 0xFF).U8(v >> 8);
}

Bytes& Bytes::U32(uint32_t v) {
    return U16(v & 0xFFFF).U16(v >> 16);
}

Bytes& Bytes::F32(float v) {
    return U32(std::bit_cast<uint32_t>(v));
}

Bytes& Bytes::Text(const std::string& s, bool withNul) {
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    if (withNul) {
        bytes_.push_back(0);
    }
    return *this;
}

Bytes& Bytes::Append(const std::vector<uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
    return *this;
}

std::vector<uint8_t> Chunk3ds(uint16_t id, const std::vector<uint8_t>& body) {
    Bytes chunk;
    chunk.U16(id).U32(static_cast<uint32_t>(body.size() + 6)).Append(body);
    return chunk.Get();
}

namespace {

std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue) {
    if (queue.empty()) {
        return std::nullopt;
    }
    auto value = queue.front();
    queue.pop_front();
    return value;
}

}  // namespace

std::optional<std::string> ScriptedQuestions::AskOpenFile(const FileDialogRequest& request) {
    filtersAsked.push_back(request.filter);
    extensionsAsked.push_back(request.defaultExtension);
    return Next(openPaths);
}

std::optional<std::string> ScriptedQuestions::AskSaveFile(const FileDialogRequest& request) {
    filtersAsked.push_back(request.filter);
    extensionsAsked.push_back(request.defaultExtension);
    return Next(savePaths);
}

std::optional<std::string> ScriptedQuestions::AskComboChoice(const ComboChoiceRequest& request) {
    frameListsShown.push_back(request.items);
    return Next(frameNames);
}
