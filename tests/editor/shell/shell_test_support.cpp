#include "tests/editor/shell/shell_test_support.h"

#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <fstream>

FrameFixture::FrameFixture()
    : frame(std::make_unique<CMainFrame>(ui, settings, directory.Path().string() + "/",
                                         directory.File("mn.log"))) {}

bool FrameFixture::Start() {
    frame->PreCreate();
    return frame->Create();
}

bool FrameFixture::Saw(const std::string& line) const {
    const std::vector<std::string>& lines = ui.Transcript();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}
