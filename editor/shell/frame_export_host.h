#pragma once
// The animated FlexModel export as the frame runs it: its host (generation and redraws through
// the frame), the request the frame's options make, and the run that says how it ended.

#include <optional>
#include <string>

#include "editor/export/export_driver.h"

namespace editor::shell {

using namespace ::editor::flexexport;

class CMainFrame;

class FrameExportHost : public ExportHost {
  public:
    explicit FrameExportHost(CMainFrame& frame) : frame_(frame) {}

    bool GenerateBodyParts() override;
    void ScaleToGround() override;
    void RedrawView() override;

  private:
    CMainFrame& frame_;
};

// The frame's export options ("Quick Export", the texture flips) and its program directory;
// poses asked for.
ExportRequest FrameExportRequest(const CMainFrame& frame);

// Runs the export with the frame's dialogs and status line, then tells the user how it ended
// ("Flex model generated in ..." or the reason it stopped); the path written, or why not.
Result<std::string> RunFrameExport(CMainFrame& frame, const ExportRequest& request);

}  // namespace editor::shell
