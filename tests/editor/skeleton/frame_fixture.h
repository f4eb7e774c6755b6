#pragma once

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/scripted_ui.h"
#include "scene/input/memory_settings_store.h"
#include "scene/shape.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::model;
using namespace ::editor::shell;
using namespace ::scene::input;
using namespace ::scene;

// A main frame on a scripted Ui and an in-memory profile, its program directory a fresh
// temporary directory.
class FrameTest : public ::testing::Test {
  protected:
    FrameTest() {
        dir_ = scratch_.Path();
        frame_ = std::make_unique<CMainFrame>(ui_, settings_, dir_.string() + "/", File("mn.log"));
        frame_->SetWriteSettingsOnClose(false);
    }
    ~FrameTest() override {
        frame_->Close();
        frame_.reset();
    }

    void Start() {
        frame_->PreCreate();
        ASSERT_TRUE(frame_->Create());
    }
    std::string File(const std::string& name) const { return (dir_ / name).string(); }
    bool Saw(const std::string& line) const {
        const auto& lines = ui_.Transcript();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::string LastLine() const {
        return ui_.Transcript().empty() ? std::string() : ui_.Transcript().back();
    }
    ModelDocument& Document() { return frame_->Document(); }
    bool Run(int id) { return frame_->RunCommand(id); }

    ScratchDirectory scratch_{"skeleton-frame"};
    std::filesystem::path dir_;
    ScriptedUi ui_;
    MemorySettingsStore settings_;
    std::unique_ptr<CMainFrame> frame_;
};
