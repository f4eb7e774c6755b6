#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editor/io/image_file.h"
#include "editor/model/model_document.h"
#include "editor/props/skin_merge.h"
#include "scene/image.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "tests/editor/props/texture_mesh.h"
#include "tests/support/declining_prompts.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::io;
using namespace ::editor::model;
using namespace ::editor::props;
using namespace ::scene;

namespace {

namespace fs = std::filesystem;

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

Rgb PixelOf(const C3dImage& image, int x, int y) {
    Rgb p{};
    EXPECT_TRUE(GetPixel(image, x, y, p.r, p.g, p.b)) << x << "," << y;
    return p;
}

constexpr Rgb BLUE{0, 0, 255};
constexpr Rgb RED{255, 0, 0};
constexpr Rgb GREEN{0, 255, 0};

// Answers open dialogs from a queue of paths (nothing: cancel) and save dialogs with one path.
class PathAnswers : public DecliningPrompts {
  public:
    std::optional<std::string> AskOpenFile(const FileDialogRequest&) override {
        if (opens.empty()) {
            return std::nullopt;
        }
        std::string path = opens.front();
        opens.pop_front();
        return path;
    }
    std::optional<std::string> AskSaveFile(const FileDialogRequest&) override { return save; }

    std::deque<std::string> opens;
    std::optional<std::string> save;
};

// Answers the dialogs and records every status line and message, and the redraws.
class RecordingSkinHost : public PathAnswers {
  public:
    void ReportProgress(const std::string& step) override { statuses.push_back(step); }

    // Composes as the frame does, keeping what the merge says.
    bool MergeSkins(ModelDocument& document) {
        Keep(::editor::props::MergeSkins(document, *this, [this] { ++redraws; }));
        return done;
    }
    bool LoadBackground(C3dScene& scene) {
        Keep(::editor::props::LoadBackground(scene, *this));
        return done;
    }

    std::vector<std::string> messages;
    std::vector<std::string> statuses;
    int redraws = 0;
    bool done = false;

  private:
    void Keep(const MergeOutcome& outcome) {
        messages.insert(messages.end(), outcome.messages.begin(), outcome.messages.end());
        if (!outcome.status.empty()) {
            statuses.push_back(outcome.status);
        }
        done = outcome.done;
    }
};

class SkinMerge : public ::testing::Test {
  protected:
    void SetUp() override {
        scene.Create();
        document->SetScene(&scene);
        AddTexturedRect(document->model.mesh, 0, 0, 100, 100);
        ASSERT_TRUE(document->model.RebuildShape());
        scene.AddChild(document->model.shape.get());
    }

    std::string WritePicture(const std::string& name, int width, int height, Rgb colour) {
        C3dImage image;
        EXPECT_TRUE(CreateFilled(image, width, height, colour.r, colour.g, colour.b));
        const std::string path = (dir / name).string();
        EXPECT_TRUE(SaveTgaFile(image, path, nullptr));
        return path;
    }

    std::unique_ptr<C3dImage> LoadSaved() {
        auto image = std::make_unique<C3dImage>();
        EXPECT_TRUE(LoadImageFile(*image, *host.save, nullptr));
        return image;
    }

    MergedProp& AddMerge(const std::string& name, int x, int y, int w, int h) {
        MergedProp& merge = document->mergedProps[document->mergedPropCount++];
        merge.propRegion = SkinRegion{x, y, w, h, x, y, 1.0, 1.0, 0, name};
        merge.modelRegion = SkinRegion{};
        return merge;
    }

    ScratchDirectory scratch{"marionet-skin"};
    const fs::path dir = scratch.Path();
    C3dScene scene;
    std::unique_ptr<ModelDocument> document = std::make_unique<ModelDocument>();
    RecordingSkinHost host;
};

TEST_F(SkinMerge, WithNoMergedPropsAPlainBlueSkinIsSaved) {
    host.save = (dir / "merged.tga").string();
    ASSERT_TRUE(host.MergeSkins(*document));
    auto saved = LoadSaved();
    ASSERT_EQ(saved->GetWidth(), 256);
    ASSERT_EQ(saved->GetHeight(), 256);
    EXPECT_EQ(PixelOf(*saved, 0, 0), BLUE);
    EXPECT_EQ(PixelOf(*saved, 255, 255), BLUE);
    EXPECT_EQ(host.statuses.back(), "Ready.");
    EXPECT_EQ(scene.GetBackgroundImage(), nullptr);
    EXPECT_EQ(document->model.visible, 1u);
}

TEST_F(SkinMerge, EachMeshSkinLandsInItsRegion) {
    AddMerge("File object: body.obj", 0, 0, 128, 256);
    AddMerge("File object: sword.obj", 20, 10, 30, 40).propRegion.newX = 150;
    host.opens = {WritePicture("body.tga", 256, 256, RED),
                  WritePicture("sword.tga", 64, 64, GREEN)};
    host.save = (dir / "merged.tga").string();
    ASSERT_TRUE(host.MergeSkins(*document));
    EXPECT_EQ(host.statuses[0], "Please select the skin for mesh 'File object: body.obj'.");
    auto saved = LoadSaved();
    EXPECT_EQ(PixelOf(*saved, 0, 0), RED);
    EXPECT_EQ(PixelOf(*saved, 127, 255), RED);
    EXPECT_EQ(PixelOf(*saved, 128, 0), BLUE);
    EXPECT_EQ(PixelOf(*saved, 150, 10), GREEN);
    EXPECT_EQ(PixelOf(*saved, 179, 49), GREEN);
    EXPECT_EQ(PixelOf(*saved, 180, 10), BLUE);
    EXPECT_EQ(PixelOf(*saved, 150, 50), BLUE);
}

TEST_F(SkinMerge, ASmallPropPictureIsPaddedWithBlue) {
    // The region reaches column 60 and row 50, the picture only 40 x 30.
    AddMerge("File object: axe.obj", 20, 10, 40, 40);
    host.opens = {WritePicture("axe.tga", 40, 30, RED)};
    host.save = (dir / "merged.tga").string();
    ASSERT_TRUE(host.MergeSkins(*document));
    auto saved = LoadSaved();
    EXPECT_EQ(PixelOf(*saved, 20, 10), RED);
    EXPECT_EQ(PixelOf(*saved, 39, 29), RED);
    EXPECT_EQ(PixelOf(*saved, 40, 10), BLUE);  // padding
    EXPECT_EQ(PixelOf(*saved, 20, 30), BLUE);  // padding
    EXPECT_EQ(PixelOf(*saved, 59, 49), BLUE);
}

TEST_F(SkinMerge, ARegionPastTheSkinsEdgeIsLeftOutAndSaidSo) {
    // Coordinates reaching column 266 (u a little above 1) keep their place on the first merge.
    AddMerge("File object: wide.obj", 10, 0, 256, 20);
    host.opens = {WritePicture("wide.tga", 256, 20, RED)};
    host.save = (dir / "merged.tga").string();
    ASSERT_TRUE(host.MergeSkins(*document));
    EXPECT_NE(
        std::find(host.statuses.begin(), host.statuses.end(),
                  "Skin of 'File object: wide.obj' does not fit the merged skin - not drawn."),
        host.statuses.end());
    auto saved = LoadSaved();
    EXPECT_EQ(PixelOf(*saved, 10, 0), BLUE);
}

TEST(PreparedSkin, KeepsTheLoadedPixelsInTheUpperLeftCorner) {
    auto small = std::make_unique<C3dImage>();
    ASSERT_TRUE(CreateFilled(*small, 3, 2, 255, 0, 0));
    SetPixel(*small, 2, 1, 0, 255, 0);
    auto padded = PreparedSkin(std::move(small), 5, 4);
    ASSERT_NE(padded, nullptr);
    EXPECT_EQ(padded->GetWidth(), 5);
    EXPECT_EQ(padded->GetHeight(), 4);
    EXPECT_EQ(PixelOf(*padded, 0, 0), RED);
    EXPECT_EQ(PixelOf(*padded, 2, 1), GREEN);
    EXPECT_EQ(PixelOf(*padded, 3, 0), BLUE);
    EXPECT_EQ(PixelOf(*padded, 0, 2), BLUE);
}

TEST_F(SkinMerge, ACancelledSkinStopsAndRestoresTheView) {
    AddMerge("File object: bow.obj", 0, 0, 10, 10);
    document->dividingPlane.visible = 1;
    EXPECT_FALSE(host.MergeSkins(*document));
    EXPECT_EQ(host.statuses.back(), "No skin for 'File object: bow.obj' - skin merge aborted.");
    EXPECT_EQ(scene.GetBackgroundImage(), nullptr);
    EXPECT_EQ(document->model.visible, 1u);
    EXPECT_EQ(document->dividingPlane.visible, 1u);
}

TEST_F(SkinMerge, ACancelledSaveSaysSo) {
    EXPECT_FALSE(host.MergeSkins(*document));
    EXPECT_EQ(host.statuses.back(), "Unable to save file - skin merge aborted.");
    EXPECT_EQ(scene.GetBackgroundImage(), nullptr);
}

TEST_F(SkinMerge, WithoutAModelNothingIsAsked) {
    document->model.ReleaseShape();
    EXPECT_FALSE(host.MergeSkins(*document));
    EXPECT_EQ(host.messages, std::vector<std::string>{"Please import a player model first."});
    EXPECT_EQ(host.statuses.back(), "Prop merge aborted");
}

TEST(ApplyMergeToCanvas, ShrinksTheSkinSoFarAsTheModelWasShrunk) {
    auto canvas = BlueCanvas();
    ASSERT_TRUE(CreateFilled(*canvas, 256, 256, 255, 0, 0));
    C3dImage prop;
    ASSERT_TRUE(CreateFilled(prop, 10, 10, 0, 255, 0));
    MergedProp merge;
    merge.modelRegion = SkinRegion{0, 0, 256, 256, 0, 0, 0.5, 0.5, 0, ""};
    merge.propRegion = SkinRegion{0, 0, 10, 10, 200, 200, 1.0, 1.0, 0, "p"};
    ApplyMergeToCanvas(canvas, prop, merge);
    EXPECT_EQ(PixelOf(*canvas, 127, 127), RED);
    EXPECT_EQ(PixelOf(*canvas, 129, 129), BLUE);
    EXPECT_EQ(PixelOf(*canvas, 205, 205), GREEN);
}

TEST_F(SkinMerge, BackgroundPicturesAreKeptByTheScene) {
    host.opens = {WritePicture("back.tga", 8, 8, RED)};
    ASSERT_TRUE(host.LoadBackground(scene));
    EXPECT_EQ(host.statuses[0], "Please select the background image.");
    ASSERT_NE(scene.GetBackgroundImage(), nullptr);
    EXPECT_EQ(scene.GetBackgroundImage()->GetWidth(), 8);
    EXPECT_FALSE(host.LoadBackground(scene));
    EXPECT_EQ(host.statuses.back(), "Background image load failed.");
}

}  // namespace
