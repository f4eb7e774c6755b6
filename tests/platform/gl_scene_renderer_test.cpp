#include "platform/offscreen_renderer.h"

#include <gtest/gtest.h>

#include "scene/image.h"
#include "scene/light.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/view.h"

using namespace ::platform;
using namespace ::scene;

namespace {

constexpr int kSize = 64;

// A square of side 2 facing the camera, which looks along +z from (0, 0, -10).
// Front faces turn clockwise as the camera sees them; reversed, the square shows its back.
void MakeSquare(C3dShape& shape, double z, bool reversed = false) {
    const Vector vertices[] = {{-1, -1, z}, {-1, 1, z}, {1, 1, z}, {1, -1, z}};
    const uint32_t faces[] = {4, 0, 1, 2, 3, 0};
    const uint32_t backFaces[] = {4, 3, 2, 1, 0, 0};
    if (reversed) {
        ASSERT_TRUE(shape.CreateFromFaces(vertices, 4, nullptr, 0, backFaces, 6));
        return;
    }
    ASSERT_TRUE(shape.CreateFromFaces(vertices, 4, nullptr, 0, faces, 6));
}

class RendererTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(renderer_.Create(kSize, kSize));
        ASSERT_TRUE(scene_.Create());
        ASSERT_TRUE(view_.Create(kSize, kSize));
        ASSERT_TRUE(view_.SetScene(&scene_));
        scene_.GetAmbientLight().SetColor(1.0, 1.0, 1.0);
    }

    QColor At(int x, int y) {
        renderer_.Draw(*view_.GetStage());
        return renderer_.Picture().pixelColor(x, y);
    }

    OffscreenRenderer renderer_;
    C3dScene scene_;
    C3dView view_;
};

}  // namespace

TEST_F(RendererTest, BackgroundColourFillsTheEmptyView) {
    scene_.SetBackgroundColor(0.0, 0.0, 1.0);
    const QColor corner = At(1, 1);
    EXPECT_EQ(corner.red(), 0);
    EXPECT_EQ(corner.blue(), 255);
}

TEST_F(RendererTest, SolidFacesShowTheirColourAndTheNearerOneWins) {
    C3dShape far;
    MakeSquare(far, 5.0);
    far.SetColor(0.0, 1.0, 0.0);
    C3dShape near;
    MakeSquare(near, 0.0);
    near.SetColor(1.0, 0.0, 0.0);
    // Drawn far last, so only the depth test keeps the near square in front.
    scene_.AddChild(&near);
    scene_.AddChild(&far);
    const QColor centre = At(kSize / 2, kSize / 2);
    EXPECT_GT(centre.red(), 200);
    EXPECT_LT(centre.green(), 50);
    near.SetVisible(false);
    EXPECT_GT(At(kSize / 2, kSize / 2).green(), 200);
}

TEST_F(RendererTest, FacesLitOnlyByAmbientLightAreDimmed) {
    scene_.GetAmbientLight().SetColor(0.4, 0.4, 0.4);
    C3dShape square;
    MakeSquare(square, 0.0);
    square.SetColor(1.0, 1.0, 1.0);
    scene_.AddChild(&square);
    const int ambientOnly = At(kSize / 2, kSize / 2).red();
    EXPECT_NEAR(ambientOnly, 102, 3);
    // A directional light shining straight at the face adds its full colour.
    auto* light = new C3dDirLight();
    light->SetColor(0.5, 0.5, 0.5);
    scene_.AddLight(light);
    const Vector normal = square.GetFaceNormal(0);
    light->SetOrientation(normal.Negate(), Vector(0, 1, 0));
    EXPECT_NEAR(At(kSize / 2, kSize / 2).red(), 230, 3);
}

TEST_F(RendererTest, WireframeShapesLeaveTheirInsideSeeThrough) {
    scene_.SetBackgroundColor(0.0, 0.0, 0.0);
    C3dShape square;
    MakeSquare(square, 0.0);
    square.SetColor(1.0, 1.0, 0.0);
    square.SetQuality(C3D_QUALITY_WIREFRAME);
    scene_.AddChild(&square);
    EXPECT_EQ(At(kSize / 2, kSize / 2).red(), 0);
    const QImage picture = renderer_.Picture();
    int edgePixels = 0;
    for (int x = 0; x < kSize; ++x) {
        edgePixels += picture.pixelColor(x, kSize / 2).red() > 200 ? 1 : 0;
    }
    EXPECT_GE(edgePixels, 2);
}

TEST_F(RendererTest, BackgroundPictureCoversTheView) {
    BitmapInfoHeader header;
    header.width = 1;
    header.height = 1;
    header.bitCount = 24;
    const uint8_t pixel[] = {0, 128, 255, 0};  // orange, stored blue-green-red
    auto* image = new C3dImage();
    ASSERT_TRUE(image->Create(header, nullptr, pixel));
    scene_.AddImage(image);
    scene_.SetBackgroundImage(image);
    const QColor corner = At(0, kSize - 1);
    EXPECT_EQ(corner.red(), 255);
    EXPECT_NEAR(corner.green(), 128, 1);
    EXPECT_EQ(corner.blue(), 0);
}

TEST_F(RendererTest, BackFacesAreNotDrawn) {
    scene_.SetBackgroundColor(0.0, 0.0, 0.0);
    C3dShape square;
    MakeSquare(square, 0.0, true);
    square.SetColor(1.0, 1.0, 1.0);
    scene_.AddChild(&square);
    EXPECT_EQ(At(kSize / 2, kSize / 2).red(), 0);
}

namespace {

// A 2 x 2 skin: red, green on the top row; blue, yellow below (stored bottom row first).
C3dImage* FourColourSkin() {
    BitmapInfoHeader header;
    header.width = 2;
    header.height = 2;
    header.bitCount = 24;
    const uint8_t rows[] = {255, 0, 0,   0, 255, 255, 0, 0,   // bottom: blue, yellow
                            0,   0, 255, 0, 255, 0,   0, 0};  // top: red, green
    auto* image = new C3dImage();
    image->Create(header, nullptr, rows);
    return image;
}

// The square's corners (-1,-1), (-1,1), (1,1), (1,-1) get the skin's four corners, so that it
// appears upright: x runs to the right and y up on screen.
std::vector<C3dTexCoord> WholeSkin() {
    return {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
}

}  // namespace

TEST_F(RendererTest, ASkinShowsEachOfItsColoursInItsCornerAndTintsColouredFaces) {
    C3dImage* skin = FourColourSkin();
    scene_.AddImage(skin);
    C3dShape square;
    MakeSquare(square, 0.0);
    square.SetColor(1.0, 1.0, 1.0);
    ASSERT_TRUE(square.Mesh().SetSkin(skin, WholeSkin()));
    scene_.AddChild(&square);
    // The square covers about 12 pixels; these points lie over the middle of each texel.
    const int a = kSize / 2 - 3, b = kSize / 2 + 2;
    struct Expected {
        int x, y, r, g, b;
    } const corners[] = {
        {a, a, 255, 0, 0}, {b, a, 0, 255, 0}, {a, b, 0, 0, 255}, {b, b, 255, 255, 0}};
    for (const Expected& corner : corners) {
        const QColor seen = At(corner.x, corner.y);
        EXPECT_NEAR(seen.red(), corner.r, 70) << corner.x << "," << corner.y;
        EXPECT_NEAR(seen.green(), corner.g, 70) << corner.x << "," << corner.y;
        EXPECT_NEAR(seen.blue(), corner.b, 70) << corner.x << "," << corner.y;
    }
    // A face in a coloured group (here blue, as the temporary group is drawn) still shows it:
    // the red corner turns blue-ish but keeps some of its red.
    square.SetColor(0.0, 0.0, 1.0);
    const QColor tinted = At(a, a);
    EXPECT_GT(tinted.blue(), 120);
    EXPECT_GT(tinted.red(), 60);
    // Without the skin the face is plain blue again.
    square.Mesh().ClearSkin();
    EXPECT_LT(At(a, a).red(), 10);
}

TEST_F(RendererTest, ASkinIsDroppedWhenItsCoordinatesNoLongerMatchTheFaces) {
    C3dImage* skin = FourColourSkin();
    scene_.AddImage(skin);
    C3dShape square;
    MakeSquare(square, 0.0);
    EXPECT_FALSE(square.Mesh().SetSkin(skin, {{0, 0}, {1, 1}}));
    EXPECT_EQ(square.Mesh().GetSkin(), nullptr);
    ASSERT_TRUE(square.Mesh().SetSkin(skin, WholeSkin()));
    MakeSquare(square, 0.0);  // more faces: the old coordinates fit them no longer
    EXPECT_EQ(square.Mesh().GetSkin(), nullptr);
}
