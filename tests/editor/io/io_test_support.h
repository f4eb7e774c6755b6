#pragma once
// Helpers shared by the import and picture tests: temporary files, byte builders for the binary
// formats, and scripted answers to file questions.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editor/io/forward.h"
#include "tests/support/declining_prompts.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::io;

using TempDir = ScratchDirectory;

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);
std::string DataFile(const std::string& name);

// Little-endian byte assembly for hand-made binary files.
class Bytes {
  public:
    Bytes& U8(uint8_t v);
    Bytes& U16(uint16_t v);
    Bytes& U32(uint32_t v);
    Bytes& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    Bytes& F32(float v);
    Bytes& Text(const std::string& s, bool withNul);
    Bytes& Append(const std::vector<uint8_t>& more);
    const std::vector<uint8_t>& Get() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }

  private:
    std::vector<uint8_t> bytes_;
};

// A 3DS chunk: id, length counting its 6-byte header, then the body.
std::vector<uint8_t> Chunk3ds(uint16_t id, const std::vector<uint8_t>& body);

// Answers from prepared values; records what was asked.
class ScriptedQuestions : public DecliningPrompts {
  public:
    std::deque<std::optional<std::string>> openPaths;
    std::deque<std::optional<std::string>> savePaths;
    std::deque<std::optional<std::string>> frameNames;
    std::vector<std::string> filtersAsked;
    std::vector<std::string> extensionsAsked;
    std::vector<std::vector<std::string>> frameListsShown;

    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
    // The frame names offered, answered from frameNames.
    std::optional<std::string> AskComboChoice(const ComboChoiceRequest& request) override;
};
