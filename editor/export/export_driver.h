#pragma once
// The export behind "Flex Model", "Quick Flex Model" and "Flex Model From...": generate the
// body parts, ask for the files, then write every chunk of the animated FlexModel, one frame
// per pose of the pose file. The editor is put back as it was on every way out.

#include <optional>
#include <string>

#include "editor/model/model_document.h"
#include "editor/skeleton/posing.h"

namespace editor::flexexport {

using namespace ::editor::model;
using namespace ::editor::skeleton;

// What the export needs from the editor around it.
class ExportHost {
  public:
    virtual ~ExportHost() = default;
    // Body-part generation, which reports its own failures; false stops the export.
    virtual bool GenerateBodyParts() = 0;
    // The adjustment of "Scale To Ground" (when that option is on).
    virtual void ScaleToGround() = 0;
    // Status line and log.
    virtual void Status(const std::string& text) = 0;
    // A message box with an OK button.
    virtual void Message(const std::string& text) = 0;
    // File dialogs (extension without the dot, filter in the "Name|*.ext||" form); nothing when
    // cancelled.
    virtual std::optional<std::string> AskSaveFile(const std::string& extension,
                                                   const std::string& filter) = 0;
    virtual std::optional<std::string> AskOpenFile(const std::string& extension,
                                                   const std::string& filter) = 0;
    virtual void RedrawView() = 0;
    // Frames done of total while the frames are written; EndProgress when the loop is over.
    virtual void Progress(int done, int total) = 0;
    virtual void EndProgress() = 0;
};

struct ExportRequest {
    // The ".fm" file to write; asked for when empty.
    std::optional<std::string> outputPath;
    // The pose file; asked for when empty.
    std::optional<std::string> poseFile;
    // At most QUICK_EXPORT_FRAMES frames.
    bool quick = false;
    bool flipTextureU = false;
    bool flipTextureV = false;
    // Where "refskel.bin" goes; ends with a separator, or is empty for the current directory.
    std::string programDir;
};

constexpr int QUICK_EXPORT_FRAMES = 32;
inline constexpr const char* MOCAP_FILE_NAME = "mocap.spz";

enum class ExportResult { Written, Cancelled, Failed };

// Every frame's pose goes through `posing`, so the generated model follows each one.
ExportResult ExportFlexModel(Posing& posing, ExportHost& host, const ExportRequest& request);

}  // namespace editor::flexexport
