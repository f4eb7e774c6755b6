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

// A main frame on a scripted Ui and an in-memory profile, its program directory a fresh
// temporary directory.
class FrameTest : public ::testing::Test {
  protected:
    FrameTest() {
        dir_ = std::filesystem::temp_directory_path() /
               ("skeleton-frame-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        frame_ = std::make_unique<CMainFrame>(ui_, settings_, dir_.string() + "/", File("mn.log"));
        frame_->SetWriteSettingsOnClose(false);
    }
    ~FrameTest() override {
        frame_->Close();
        frame_.reset();
        std::filesystem::remove_all(dir_);
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

    std::filesystem::path dir_;
    ScriptedUi ui_;
    MemorySettingsStore settings_;
    std::unique_ptr<CMainFrame> frame_;
};
