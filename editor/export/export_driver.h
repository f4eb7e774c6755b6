#pragma once
// The export behind "Flex Model", "Quick Flex Model" and "Flex Model From...": generate the
// body parts, ask for the files, then write every chunk of the animated FlexModel, one frame
// per pose of the pose file. The editor is put back as it was on every way out.

#include <optional>
#include <string>

#include "bytes/result.h"
#include "editor/model/model_document.h"
#include "editor/prompts/prompts.h"
#include "editor/skeleton/posing.h"

namespace editor::flexexport {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::editor::prompts;
using namespace ::editor::skeleton;

// What the export needs from the editor around it besides its questions and progress, which go
// through the prompts.
class ExportHost {
  public:
    virtual ~ExportHost() = default;
    // Body-part generation, which reports its own failures; false stops the export.
    virtual bool GenerateBodyParts() = 0;
    // The adjustment of "Scale To Ground" (when that option is on).
    virtual void ScaleToGround() = 0;
    virtual void RedrawView() = 0;
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

// The path written; cancelled when a dialog was; refused with the message the user is shown;
// or failed without one when the generation (which tells its own failures) stopped it. Each step
// is reported as progress, the frames also as a bar. Every frame's pose goes through `posing`,
// so the generated model follows each one.
Result<std::string> ExportFlexModel(Posing& posing, ExportHost& host, Prompts& prompts,
                                    const ExportRequest& request);

}  // namespace editor::flexexport
