// The skins in the view: found beside an opened file, chosen, composed by "Merged Skin...",
// switched with View > Skin and remembered in the settings.
#include <gtest/gtest.h>

#include <fstream>

#include "editor/io/image_file.h"
#include "editor/model/mesh_data.h"
#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/settings_names.h"
#include "scene/image.h"
#include "scene/mesh.h"
#include "scene/shape.h"
#include "shell_test_support.h"

using namespace ::editor::io;
using namespace ::editor::model;
using namespace ::scene;

namespace {

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A 24-bit Targa of one colour.
void WriteSkin(const std::string& path, uint8_t r, uint8_t g, uint8_t b) {
    C3dImage image;
    ASSERT_TRUE(CreateFilled(image, 4, 4, r, g, b));
    std::vector<uint8_t> bytes;
    ASSERT_EQ(WriteTga(image, bytes), 1);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

const char* const kSquare =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 0.5 0\nvt 0.5 0.5\nvt 0 0.5\n"
    "f 1/1 2/2 3/3\nf 1/1 3/3 4/4\n";

// The skin's colour at its first texel; nothing when the shape carries none.
std::optional<int> SkinRed(const MeshPart& part) {
    const C3dImage* skin = part.Shape() ? part.Shape()->Mesh().GetSkin() : nullptr;
    uint8_t r = 0, g = 0, b = 0;
    if (skin == nullptr || !GetPixel(*skin, 0, 0, r, g, b)) {
        return std::nullopt;
    }
    return r;
}

}  // namespace

TEST(SkinDisplay, TheOpenedFilesSkinIsShownWhileTheViewAsksForIt) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    const std::string model = fixture.directory.File("knight.obj");
    Write(model, std::string("mtllib knight.mtl\n") + kSquare);
    Write(fixture.directory.File("knight.mtl"), "newmtl a\nmap_Kd maps\\armour.pcx\n");
    WriteSkin(fixture.directory.File("ARMOUR.tga"), 200, 0, 0);

    fixture.ui.Queue(ScriptedAnswer::File(model));
    ASSERT_TRUE(frame.RunCommand(ID_FILE_OPEN));
    ModelDocument& document = frame.Document();
    EXPECT_FALSE(SkinRed(document.model));  // View > Skin is off
    ASSERT_TRUE(frame.RunCommand(ID_VIEW_SKIN));
    EXPECT_TRUE(frame.Commands().IsChecked(ID_VIEW_SKIN));
    EXPECT_EQ(SkinRed(document.model), 200);
    // The model's shape is rebuilt by many commands; the skin stays on it.
    ASSERT_TRUE(document.model.RebuildShape());
    EXPECT_EQ(SkinRed(document.model), 200);
    // The generated model is built from the model's mesh and follows with the same skin.
    document.generatedModel.mesh.CopyGeometryFrom(document.model.mesh);
    ASSERT_TRUE(document.generatedModel.RebuildShape());
    EXPECT_EQ(SkinRed(document.generatedModel), 200);
    EXPECT_EQ(document.model.Skin()->GetWidth(), 256);

    frame.WriteSettings();
    EXPECT_EQ(fixture.settings.GetInt(settings::kOptions, settings::kViewSkin, 0), 1);
    ASSERT_TRUE(frame.RunCommand(ID_VIEW_SKIN));
    EXPECT_FALSE(SkinRed(document.model));
    frame.WriteSettings();
    EXPECT_EQ(fixture.settings.GetInt(settings::kOptions, settings::kViewSkin, 1), 0);
}

TEST(SkinDisplay, AMissingSkinSaysWhatWasLookedForAndOneCanBeChosenOrComposed) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    ASSERT_TRUE(frame.RunCommand(ID_VIEW_SKIN));
    const std::string model = fixture.directory.File("bare.obj");
    Write(model, kSquare);
    fixture.ui.Queue(ScriptedAnswer::File(model));
    ASSERT_TRUE(frame.RunCommand(ID_FILE_OPEN));
    EXPECT_TRUE(
        fixture.Saw("status: No skin for 'bare.obj': looked beside it for bare.tga, "
                    "bare.pcx, bare.bmp, bare.png, bare.jpg, bare.jpeg, bare.m8, bare*"));
    EXPECT_FALSE(SkinRed(frame.Document().model));

    // Model Skin...: a picture that cannot be read keeps things as they were.
    const std::string chosen = fixture.directory.File("chosen.tga");
    Write(fixture.directory.File("broken.tga"), "not a picture");
    fixture.ui.Queue(ScriptedAnswer::File(fixture.directory.File("broken.tga")));
    ASSERT_TRUE(frame.RunCommand(ID_MODEL_SKIN));
    EXPECT_FALSE(SkinRed(frame.Document().model));
    WriteSkin(chosen, 90, 0, 0);
    fixture.ui.Queue(ScriptedAnswer::File(chosen));
    ASSERT_TRUE(frame.RunCommand(ID_MODEL_SKIN));
    EXPECT_EQ(SkinRed(frame.Document().model), 90);

    // The skin "Merged Skin..." saves is the model's from then on.
    const std::string merged = fixture.directory.File("merged.tga");
    WriteSkin(fixture.directory.File("part.tga"), 30, 0, 0);
    fixture.ui.Queue(ScriptedAnswer::File(fixture.directory.File("part.tga")));
    fixture.ui.Queue(ScriptedAnswer::File(merged));
    ASSERT_TRUE(frame.RunCommand(ID_EXPORT_MERGED_SKIN));
    ASSERT_NE(frame.Document().model.Skin(), nullptr);
    EXPECT_EQ(frame.Document().model.Skin()->GetName(), merged);

    ASSERT_TRUE(frame.RunCommand(ID_FILE_NEW));
    EXPECT_EQ(frame.Document().model.Skin(), nullptr);
}
