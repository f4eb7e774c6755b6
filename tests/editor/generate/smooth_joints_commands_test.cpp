// "Smooth Joints" and "Joint Blend..." in the main frame: the view follows the toggle at once,
// the zone is checked before it is taken, and both choices live in the settings profile.
#include <gtest/gtest.h>

#include <memory>

#include "editor/groups/model_bindings.h"
#include "editor/shell/command_router.h"
#include "editor/shell/settings_names.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_posing.h"
#include "tests/editor/generate/jointed_character.h"
#include "tests/editor/skeleton/frame_fixture.h"

using namespace ::editor::skeleton;
using namespace ::editor::shell::settings;

namespace {

class SmoothJointsCommands : public FrameTest {
  protected:
    bool Checked() const { return frame_->Commands().IsChecked(ID_MODEL_SMOOTH_JOINTS); }
    bool AnswerBlend(const std::string& text) {
        ui_.Queue(ScriptedAnswer::Text(text));
        return Run(ID_MODEL_JOINT_BLEND);
    }
};

}  // namespace

TEST_F(SmoothJointsCommands, TheToggleShowsAtOnceAndTheZoneIsCheckedAndKept) {
    Start();
    // Off at first start, with the default zone.
    EXPECT_FALSE(Checked());
    EXPECT_EQ(Document().jointBlend.zonePercent,
              static_cast<uint32_t>(DEFAULT_JOINT_BLEND_PERCENT));

    auto mesh = std::make_unique<MeshData>();
    BoundTriangles bound;
    AddJointedCharacter(*mesh, bound, SkeletonForGuess(Document()), {1.2, 4, 12, false});
    InstallModel(Document(), *mesh, bound);
    ASSERT_TRUE(frame_->MakePoseable());
    PoseRecord bent;
    frame_->Posing().Capture(bent);
    bent.angles[2].angleY += 1.2;  // the left knee
    frame_->Posing().Apply(bent);
    const MeshData& generated = Document().generatedModel.mesh;
    const std::vector<Vector> rigid(generated.vertices, generated.vertices + generated.vertexCount);

    ASSERT_TRUE(Run(ID_MODEL_SMOOTH_JOINTS));
    EXPECT_TRUE(Checked());
    EXPECT_EQ(LastLine(), "status: Smooth joints on: the bones blend within 50% of each joint.");
    int moved = 0;
    for (int v = 0; v < generated.vertexCount; ++v) {
        moved += generated.vertices[v] == rigid[v] ? 0 : 1;
    }
    EXPECT_GT(moved, 0) << "the generated model follows the toggle without a new pose";

    for (const char* wrong : {"abc", "0", "150", "-20"}) {
        ASSERT_TRUE(AnswerBlend(wrong));
        EXPECT_EQ(LastLine(), std::string("message: '") + wrong +
                                  "' is not a blend zone from 1 to 100 percent (for example 20).");
        EXPECT_EQ(Document().jointBlend.zonePercent, 50u);
    }
    ASSERT_TRUE(AnswerBlend("35%"));
    EXPECT_EQ(LastLine(), "status: Joint blend zone: 35% of the shorter bone at each joint.");
    EXPECT_EQ(Document().jointBlend.zonePercent, 35u);

    frame_->WriteSettings();
    EXPECT_EQ(settings_.GetInt(kModel, kSmoothJoints, -1), 1);
    EXPECT_EQ(settings_.GetInt(kModel, kJointBlend, -1), 35);
    // Read back at the next start; a zone the dialog could not have taken falls back.
    Document().jointBlend.smooth = 0;
    frame_->ReadSettings();
    EXPECT_TRUE(Checked());
    EXPECT_EQ(Document().jointBlend.zonePercent, 35u);
    settings_.WriteInt(kModel, kJointBlend, 500);
    frame_->ReadSettings();
    EXPECT_EQ(Document().jointBlend.zonePercent,
              static_cast<uint32_t>(DEFAULT_JOINT_BLEND_PERCENT));

    ASSERT_TRUE(Run(ID_MODEL_SMOOTH_JOINTS));
    EXPECT_FALSE(Checked());
    for (int v = 0; v < generated.vertexCount; ++v) {
        ASSERT_EQ(generated.vertices[v], rigid[v]) << v;
    }
}
