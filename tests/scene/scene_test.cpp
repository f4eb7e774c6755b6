#include <gtest/gtest.h>

#include <numbers>

#include "scene/image.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/stage.h"
#include "scene/view.h"

using namespace ::scene;

namespace {

void ExpectNear(const Vector& actual, const Vector& expected, double tolerance = 1e-4) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

class CountedLight : public C3dPtLight {
  public:
    explicit CountedLight(int& deleted) : deleted_(deleted) {}
    ~CountedLight() override { ++deleted_; }

  private:
    int& deleted_;
};

class CountedImage : public C3dImage {
  public:
    explicit CountedImage(int& deleted) : deleted_(deleted) {}
    ~CountedImage() override { ++deleted_; }

  private:
    int& deleted_;
};

TEST(SceneTest, StartsWithItsDefaults) {
    C3dScene scene;
    EXPECT_EQ(scene.GetAmbientLight().GetKind(), C3dLightKind::Ambient);
    EXPECT_EQ(scene.GetAmbientLight().GetColor(), (C3dColor{0.5f, 0.5f, 0.5f}));
    EXPECT_EQ(scene.GetAmbientLight().GetParent(), &scene);
    EXPECT_EQ(scene.GetBackgroundColor(), (C3dColor{0, 0, 0}));
    EXPECT_EQ(scene.GetBackgroundImage(), nullptr);
    ExpectNear(scene.GetCameraPosition(), Vector(0, 0, -10));
    ExpectNear(scene.GetCameraDirection(), Vector(0, 0, 1));
    ExpectNear(scene.GetCameraUp(), Vector(0, 1, 0));
    EXPECT_EQ(scene.GetStage(), nullptr);
}

TEST(SceneTest, OwnsItsLightsAndImages) {
    int lightsDeleted = 0, imagesDeleted = 0;
    C3dShape shape;
    {
        C3dScene scene;
        auto* kept = new CountedLight(lightsDeleted);
        auto* removed = new CountedLight(lightsDeleted);
        ASSERT_TRUE(scene.AddLight(kept));
        ASSERT_TRUE(scene.AddLight(removed));
        ASSERT_TRUE(scene.AddLight(kept));  // twice is still once
        EXPECT_EQ(scene.GetLights().size(), 2u);
        EXPECT_EQ(kept->GetParent(), &scene);
        ASSERT_TRUE(scene.RemoveLight(removed));
        EXPECT_EQ(lightsDeleted, 1);
        EXPECT_FALSE(scene.AddLight(nullptr));

        auto* background = new CountedImage(imagesDeleted);
        ASSERT_TRUE(scene.AddImage(background));
        ASSERT_TRUE(scene.AddImage(new CountedImage(imagesDeleted)));
        ASSERT_TRUE(scene.SetBackgroundImage(background));
        ASSERT_TRUE(scene.RemoveImage(background));
        EXPECT_EQ(imagesDeleted, 1);
        EXPECT_EQ(scene.GetBackgroundImage(), nullptr);

        // Creating the root again keeps the lights in the tree.
        ASSERT_TRUE(scene.Create());
        EXPECT_EQ(kept->GetParent(), &scene);
        EXPECT_EQ(scene.GetAmbientLight().GetParent(), &scene);

        // Shapes are only linked in: they outlive the scene.
        ASSERT_TRUE(scene.AddChild(&shape));
    }
    EXPECT_EQ(lightsDeleted, 2);
    EXPECT_EQ(imagesDeleted, 2);
    EXPECT_EQ(shape.GetParent(), nullptr);
}

TEST(SceneTest, LightsKeepTheirKindAndColour) {
    C3dDirLight light;
    EXPECT_EQ(light.GetKind(), C3dLightKind::Directional);
    EXPECT_TRUE(light.SetColor(0.25, 0.5, 1));
    EXPECT_EQ(light.GetColor(), (C3dColor{0.25f, 0.5f, 1.0f}));
    EXPECT_TRUE(light.Create(C3dLightKind::Spot, 1, 0, 0));
    EXPECT_EQ(light.GetKind(), C3dLightKind::Spot);
    EXPECT_EQ(C3dParPtLight().GetKind(), C3dLightKind::ParallelPoint);
    EXPECT_EQ(C3dSpotLight().GetKind(), C3dLightKind::Spot);
    EXPECT_EQ(C3dAmbLight().GetKind(), C3dLightKind::Ambient);
}

TEST(StageTest, CameraFollowsTheSceneSettingsRelativeToTheScene) {
    C3dScene scene;
    C3dStage stage;
    ASSERT_TRUE(stage.Create(64, 48));
    // The default camera lands as soon as the scene is shown.
    ASSERT_TRUE(stage.SetScene(&scene));
    EXPECT_EQ(scene.GetStage(), &stage);
    ExpectNear(stage.GetCamera().GetPosition(&scene), Vector(0, 0, -10));
    // Settings changed later are applied at once, in the scene's coordinates even when the
    // scene itself is moved.
    scene.SetPosition(Vector(5, 0, 0));
    ASSERT_TRUE(scene.SetCameraPosition(Vector(0, 0, 100)));
    ASSERT_TRUE(scene.SetCameraDirection(Vector(0, 0, -1), Vector(1, 0, 0)));
    ExpectNear(stage.GetCamera().GetPosition(&scene), Vector(0, 0, 100));
    ExpectNear(stage.GetCamera().LocalToWorld(Vector(0, 0, 0)), Vector(5, 0, 100));
    Vector direction, up;
    stage.GetCamera().GetOrientation(&scene, direction, up);
    ExpectNear(direction, Vector(0, 0, -1));
    ExpectNear(up, Vector(1, 0, 0));
    EXPECT_FALSE(scene.SetCameraDirection(Vector(1, 0, 0), Vector(2, 0, 0)));

    // Another stage takes the scene over; the first one is left empty.
    C3dStage other;
    ASSERT_TRUE(other.SetScene(&scene));
    EXPECT_EQ(stage.GetScene(), nullptr);
    EXPECT_EQ(scene.GetStage(), &other);
    EXPECT_EQ(other.GetViewport().GetPickRoot(), &scene);
    EXPECT_FALSE(other.SetSize(0, 10));
}

TEST(StageTest, DeletingTheSceneFirstLeavesTheStageEmpty) {
    C3dStage stage;
    {
        C3dScene scene;
        stage.SetScene(&scene);
    }
    EXPECT_EQ(stage.GetScene(), nullptr);
    EXPECT_EQ(stage.GetViewport().GetPickRoot(), nullptr);
}

class RecordingRenderer : public C3dRenderer {
  public:
    bool Render(const C3dStage& stage) override {
        ++frames;
        lastScene = stage.GetScene();
        return true;
    }
    int frames = 0;
    const C3dScene* lastScene = nullptr;
};

class RecordingListener : public C3dViewListener {
  public:
    void OnViewMessage(uint32_t message, uint64_t wParam, int64_t lParam) override {
        lastMessage = message;
        lastW = wParam;
        lastL = lParam;
    }
    uint32_t lastMessage = 0;
    uint64_t lastW = 0;
    int64_t lastL = 0;
};

TEST(ViewTest, UpdateMovesTheSceneAndRenders) {
    C3dScene scene;
    C3dView view;
    RecordingRenderer renderer;
    view.SetRenderer(&renderer);
    EXPECT_FALSE(view.Update(1.0));  // no stage yet
    ASSERT_TRUE(view.SetScene(&scene));
    ASSERT_TRUE(view.Create(320, 200));
    EXPECT_EQ(view.GetScene(), &scene);
    C3dShape spinner;
    scene.AddChild(&spinner);
    spinner.SetRotation(Vector(0, 0, 1), std::numbers::pi / 4);
    ASSERT_TRUE(view.Update(1.0));
    ASSERT_TRUE(view.Update(1.0));
    EXPECT_EQ(renderer.frames, 2);
    EXPECT_EQ(renderer.lastScene, &scene);
    ExpectNear(spinner.GetTransform().Column(0), Vector(0, 1, 0));

    // A resize keeps the scene and the camera.
    ASSERT_TRUE(view.Resize(640, 480));
    EXPECT_FALSE(view.Resize(0, 480));
    EXPECT_EQ(view.GetViewport()->GetWidth(), 640);
    EXPECT_EQ(view.GetScene(), &scene);
    ExpectNear(view.GetStage()->GetCamera().GetPosition(&scene), Vector(0, 0, -10));
}

TEST(ViewTest, MessagesReachTheListener) {
    C3dView view;
    EXPECT_FALSE(view.RouteMessage(0x100, 0x25, 1));
    RecordingListener listener;
    view.SetListener(&listener);
    EXPECT_TRUE(view.RouteMessage(0x100, 0x25, -7));
    EXPECT_EQ(listener.lastMessage, 0x100u);
    EXPECT_EQ(listener.lastW, 0x25u);
    EXPECT_EQ(listener.lastL, -7);
}

}  // namespace
