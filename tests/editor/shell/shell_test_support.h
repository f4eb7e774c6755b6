#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/shell/main_frame.h"
#include "editor/shell/scripted_ui.h"
#include "scene/input/memory_settings_store.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::shell;
using namespace ::scene::input;

using TempDirectory = ScratchDirectory;

// A frame on a scripted Ui and an in-memory profile, with its program directory and log in a
// temporary directory.
struct FrameFixture {
    TempDirectory directory;
    ScriptedUi ui;
    MemorySettingsStore settings;
    std::unique_ptr<CMainFrame> frame;

    FrameFixture();
    // PreCreate and Create; returns whether creation succeeded.
    bool Start();
    std::string LogPath() const { return directory.File("mn.log"); }
    // Whether the transcript holds this line.
    bool Saw(const std::string& line) const;
};

std::vector<std::string> ReadLines(const std::string& path);
