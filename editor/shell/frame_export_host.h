#pragma once
// The animated FlexModel export as the frame runs it: its host (generation, dialogs, status,
// progress and redraws through the frame) and the request the frame's options make.

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
    void Status(const std::string& text) override;
    void Message(const std::string& text) override;
    std::optional<std::string> AskSaveFile(const std::string& extension,
                                           const std::string& filter) override;
    std::optional<std::string> AskOpenFile(const std::string& extension,
                                           const std::string& filter) override;
    void RedrawView() override;
    void Progress(int done, int total) override;
    void EndProgress() override;

  private:
    CMainFrame& frame_;
};

// The frame's export options ("Quick Export", the texture flips) and its program directory;
// poses asked for.
ExportRequest FrameExportRequest(const CMainFrame& frame);

}  // namespace editor::shell
