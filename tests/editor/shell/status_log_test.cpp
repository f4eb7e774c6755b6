#include <gtest/gtest.h>

#include <fstream>

#include "tests/editor/shell/shell_test_support.h"

namespace {

TEST(StatusLogTest, FirstMessageOfARunTruncatesTheLogLaterOnesAppend) {
    TempDirectory directory;
    std::string log = directory.File("mn.log");
    std::ofstream(log) << "left over from the last run\n";
    ScriptedUi ui;
    MemorySettingsStore settings;
    {
        CMainFrame frame(ui, settings, directory.Path().string() + "/", log);
        EXPECT_EQ(ReadLines(log).size(), 1u);  // untouched until the first message
        frame.SetStatus("Loading...");
        frame.SetStatus("Imported: %s (%d)", "cube.obj", 12);
        EXPECT_EQ(ReadLines(log),
                  (std::vector<std::string>{"Loading...", "Imported: cube.obj (12)"}));
    }
    EXPECT_EQ(ui.Transcript(),
              (std::vector<std::string>{"status: Loading...", "status: Imported: cube.obj (12)"}));
    CMainFrame nextRun(ui, settings, directory.Path().string() + "/", log);
    nextRun.SetStatus("Ready.");
    EXPECT_EQ(ReadLines(log), (std::vector<std::string>{"Ready."}));
}

TEST(StatusLogTest, LongMessagesAreCutAt255Characters) {
    TempDirectory directory;
    std::string log = directory.File("mn.log");
    ScriptedUi ui;
    MemorySettingsStore settings;
    CMainFrame frame(ui, settings, directory.Path().string() + "/", log);
    std::string longText(300, 'x');
    frame.SetStatus("%s", longText.c_str());
    ASSERT_EQ(ReadLines(log).size(), 1u);
    EXPECT_EQ(ReadLines(log)[0], std::string(255, 'x'));
    EXPECT_EQ(ui.Transcript().back(), "status: " + std::string(255, 'x'));
    EXPECT_EQ(FormatStatus("%d-%s", 7, "ok"), "7-ok");
}

TEST(StatusLogTest, WithoutALogMessagesStillReachTheStatusLine) {
    TempDirectory directory;
    ScriptedUi ui;
    MemorySettingsStore settings;
    CMainFrame frame(ui, settings, directory.Path().string() + "/",
                     directory.File("missing/dir/mn.log"));
    frame.SetStatus("first");
    frame.SetStatus("second");
    EXPECT_EQ(ui.Transcript(), (std::vector<std::string>{"status: first", "status: second"}));
    StatusLog unopened(directory.File("missing/mn.log"));
    unopened.Append("x");
    EXPECT_FALSE(unopened.IsOpen());
}

}  // namespace
