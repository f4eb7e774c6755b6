// The game's skins and folder in the main frame on Sydney (her skin found beside her): "Export
// for the Game..." writes models/player/elf/ with tris.fm and both .m8 skins, which the editor
// opens again with its skin; "Export Game Skin..." writes one .m8; failures say why.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "editor/io/image_file.h"
#include "editor/skeleton/pose_file.h"
#include "scene/image.h"
#include "tests/editor/export/export_fixture.h"
#include "tests/editor/export/flex_file.h"
#include "tests/editor/export/sydney_bound.h"
#include "tests/editor/skeleton/frame_fixture.h"

using namespace ::editor::skeleton;

namespace {

namespace fs = std::filesystem;

std::string NameField(const std::vector<uint8_t>& m8) {
    std::string name(m8.begin() + 4, m8.begin() + 36);
    return name.substr(0, name.find('\0'));
}

class GameExportTest : public FrameTest {
  protected:
    void SetUp() override {
        Start();
        for (const ScriptedAnswer& answer : SydneyBoundAnswers()) {
            ui_.Queue(answer);
        }
        ASSERT_TRUE(Run(ID_FILE_OPEN));
        ASSERT_TRUE(Run(ID_FILE_LOAD_BINDINGS));
        std::vector<uint8_t> bytes = ReadFile(JUMP);
        std::vector<PoseRecord> jump;
        ASSERT_TRUE(ParsePoseFile(bytes, jump));
        jump.resize(5);
        WritePoseFile(File("five.spz"), jump);
    }
};

TEST_F(GameExportTest, TheGameFolderHoldsTheModelAndBothSkinsAndOpensWithItsSkin) {
    const std::string folder = File("game");
    const fs::path player = fs::path(folder) / "models/player/elf";
    ui_.Queue(ScriptedAnswer::File(folder));
    ui_.Queue(ScriptedAnswer::File(File("five.spz")));
    ASSERT_TRUE(Run(ID_EXPORT_FOR_GAME));
    EXPECT_TRUE(Saw("question: Export for the Game -> " + folder));
    EXPECT_TRUE(Saw("status: Exported for the game into '" + folder +
                    "': models/player/elf/tris.fm, !skin.m8 and !skindmg.m8."));

    FlexFile model{ReadFile((player / "tris.fm").string())};
    bool exact = false;
    EXPECT_EQ(model.Chunks(exact).size(), 9u);
    EXPECT_EQ(model.Header().numFrames, 5);
    const std::vector<uint8_t> skin = ReadFile((player / "!skin.m8").string());
    std::vector<uint8_t> damaged = ReadFile((player / "!skindmg.m8").string());
    EXPECT_EQ(NameField(skin), "models/player/elf/!skin.m8");
    EXPECT_EQ(NameField(damaged), "models/player/elf/!skindmg.m8");
    // The same picture under both names.
    ASSERT_EQ(skin.size(), 1040u + 87381u);
    std::copy(skin.begin() + 4, skin.begin() + 36, damaged.begin() + 4);
    EXPECT_EQ(damaged, skin);
    EXPECT_EQ(std::distance(fs::directory_iterator(player), fs::directory_iterator()), 3);

    // The exported model opens with the skin it names, read from the .m8 beside it.
    ASSERT_TRUE(Run(ID_FILE_NEW));
    ASSERT_TRUE(Run(ID_VIEW_SKIN));
    ui_.Queue(ScriptedAnswer::File((player / "tris.fm").string()));
    ui_.Queue(ScriptedAnswer::Text("jump1"));
    ui_.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::No));
    ASSERT_TRUE(Run(ID_FILE_OPEN));
    const C3dImage* shown = Document().model.Skin();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->GetName(), (player / "!skin.m8").string());
    uint8_t rgb[3];
    const uint8_t index = skin[1040 + 100 * 256 + 37];  // pixel (37, 100) of level 0
    ASSERT_TRUE(editor::io::GetPixel(*shown, 37, 100, rgb[0], rgb[1], rgb[2]));
    EXPECT_EQ(
        (std::vector<uint8_t>(rgb, rgb + 3)),
        (std::vector<uint8_t>(skin.begin() + 260 + index * 3, skin.begin() + 260 + index * 3 + 3)));
}

TEST_F(GameExportTest, OneGameSkinIsNamedAfterItsFileInThePlayersFolder) {
    ui_.Queue(ScriptedAnswer::File(File("sydney.m8")));
    ASSERT_TRUE(Run(ID_EXPORT_GAME_SKIN));
    const std::string& status = LastLine();
    EXPECT_EQ(status.rfind("status: Game skin written to '" + File("sydney.m8") +
                               "': 9 levels from 256 x 256, 256 colours (PSNR ",
                           0),
              0u)
        << status;
    EXPECT_EQ(NameField(ReadFile(File("sydney.m8"))), "models/player/elf/sydney.m8");
    C3dImage read;
    EXPECT_EQ(editor::io::LoadImageFile(read, File("sydney.m8"), nullptr), 1);
}

TEST_F(GameExportTest, CancelsWriteNothingAndFailuresSayWhy) {
    // Cancelled at the pose file: no model, no skins.
    ui_.Queue(ScriptedAnswer::File(File("game")));
    ASSERT_TRUE(Run(ID_EXPORT_FOR_GAME));
    EXPECT_FALSE(fs::exists(File("game")));  // nor the folders made for them
    EXPECT_EQ(Document().exporting, 0u);

    // A file where the folder should be.
    std::ofstream(File("taken")) << "not a folder";
    ui_.Queue(ScriptedAnswer::File(File("taken")));
    ASSERT_TRUE(Run(ID_EXPORT_FOR_GAME));
    EXPECT_TRUE(Saw("message: Can't create the folder '" + File("taken") +
                    "/models/player/elf' - export aborted."));

    // A skin that cannot be written leaves nothing behind.
    ui_.Queue(ScriptedAnswer::File(File("missing/folder/x.m8")));
    ASSERT_TRUE(Run(ID_EXPORT_GAME_SKIN));
    EXPECT_TRUE(Saw("message: Can't write the game skin '" + File("missing/folder/x.m8") + "'."));

    // No skin at all.
    ASSERT_TRUE(Run(ID_FILE_NEW));
    ui_.ClearTranscript();
    ASSERT_TRUE(Run(ID_EXPORT_GAME_SKIN));
    ASSERT_TRUE(Run(ID_EXPORT_FOR_GAME));
    const std::string noSkin =
        "message: The model has no skin to export: open it beside its skin, or choose one with "
        "\"Model Skin...\".";
    EXPECT_EQ(std::count(ui_.Transcript().begin(), ui_.Transcript().end(), noSkin), 2);
}

}  // namespace
