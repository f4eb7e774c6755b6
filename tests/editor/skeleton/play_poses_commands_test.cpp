// "Play Poses" in a frame whose Ui ticks when told: poses follow one another and loop, and Esc
// or the command again brings the earlier pose and lengths back.
#include <fstream>
#include <functional>

#include "editor/shell/command_router.h"
#include "editor/skeleton/pose_file.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "tests/editor/skeleton/frame_fixture.h"

using namespace ::editor::skeleton;

namespace {

class TickingUi : public ScriptedUi {
  public:
    bool StartTicking(int intervalMs, std::function<void()> tick,
                      std::function<void()> escape) override {
        interval = intervalMs;
        this->tick = std::move(tick);
        this->escape = std::move(escape);
        return true;
    }
    void StopTicking() override {
        tick = nullptr;
        escape = nullptr;
    }
    int interval = 0;
    std::function<void()> tick;
    std::function<void()> escape;
};

class PlayPosesTest : public ::testing::Test {
  protected:
    PlayPosesTest() {
        frame_ = std::make_unique<CMainFrame>(ui_, settings_, scratch_.Path().string() + "/",
                                              (scratch_.Path() / "mn.log").string());
        frame_->SetWriteSettingsOnClose(false);
        frame_->PreCreate();
        EXPECT_TRUE(frame_->Create());
    }
    ~PlayPosesTest() override { frame_->Close(); }

    ModelDocument& Document() { return frame_->Document(); }
    PoseVec Joint(int j) {
        return PoseFromDisplay(JointScenePosition(Document(), &Document().joints[j]));
    }
    bool Saw(const std::string& line) const {
        const auto& lines = ui_.Transcript();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    // Two poses: "stand" as the skeleton is, "reach" with the left upper arm turned up and the
    // left thigh twice as long.
    std::string WritePoses() {
        PoseRecord stand;
        frame_->Posing().Capture(stand);
        SetPoseName(stand, "stand");
        PoseRecord reach = stand;
        SetPoseName(reach, "reach");
        reach.angles[11].angleZ -= 1.2;
        reach.startPositions[2] =
            reach.startPositions[1] + (reach.startPositions[2] - reach.startPositions[1]) * 2.0;
        std::vector<uint8_t> bytes = SerializePoseFile({stand, reach});
        std::string path = (scratch_.Path() / "two.spz").string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    void Play(const std::string& path) {
        ui_.Queue(ScriptedAnswer::File(path));
        ui_.Queue(ScriptedAnswer::Text("20"));
        ASSERT_TRUE(frame_->RunCommand(ID_SKELETON_PLAY_POSES));
    }

    ScratchDirectory scratch_{"play-poses"};
    TickingUi ui_;
    MemorySettingsStore settings_;
    std::unique_ptr<CMainFrame> frame_;
};

TEST_F(PlayPosesTest, PosesLoopUntilEscapeThenTheOldPoseComesBack) {
    std::string path = WritePoses();
    PoseVec elbowBefore = Joint(12);
    double thighBefore = Document().bones[1].length;
    Play(path);
    ASSERT_TRUE(ui_.tick);
    EXPECT_EQ(ui_.interval, 50);
    EXPECT_TRUE(frame_->Commands().IsChecked(ID_SKELETON_PLAY_POSES));
    EXPECT_TRUE(Saw("status: Pose 'stand' (1 of 2)"));

    ui_.tick();
    EXPECT_TRUE(Saw("status: Pose 'reach' (2 of 2)"));
    EXPECT_GT(Length(Joint(12) - elbowBefore), 1.0);
    EXPECT_NEAR(Document().bones[1].length, 2.0 * thighBefore, 1e-4);  // scene positions are floats
    ui_.tick();                                                        // round again
    EXPECT_LT(Length(Joint(12) - elbowBefore), 1e-4);
    ui_.tick();

    ui_.escape();
    EXPECT_FALSE(ui_.tick);
    EXPECT_FALSE(frame_->Commands().IsChecked(ID_SKELETON_PLAY_POSES));
    EXPECT_TRUE(Saw("status: Stopped playing " + path + "."));
    EXPECT_LT(Length(Joint(12) - elbowBefore), 1e-4);
    EXPECT_NEAR(Document().bones[1].length, thighBefore, 1e-9);
}

TEST_F(PlayPosesTest, TheCommandAgainStopsAndBadInputIsRefused) {
    std::string path = WritePoses();
    PoseVec elbowBefore = Joint(12);
    Play(path);
    ui_.tick();
    ASSERT_TRUE(frame_->RunCommand(ID_SKELETON_PLAY_POSES));
    EXPECT_FALSE(ui_.tick);
    EXPECT_LT(Length(Joint(12) - elbowBefore), 1e-4);

    ui_.Queue(ScriptedAnswer::File(path));
    ui_.Queue(ScriptedAnswer::Text("0"));
    ASSERT_TRUE(frame_->RunCommand(ID_SKELETON_PLAY_POSES));
    EXPECT_EQ(ui_.Transcript().back(),
              "message: The rate must be a number of poses per second from 1 to 100.");
    EXPECT_FALSE(ui_.tick);

    std::ofstream((scratch_.Path() / "bad.spz").string()) << "not poses";
    ui_.Queue(ScriptedAnswer::File((scratch_.Path() / "bad.spz").string()));
    ASSERT_TRUE(frame_->RunCommand(ID_SKELETON_PLAY_POSES));
    EXPECT_EQ(ui_.Transcript().back(), "message: Incorrect pose format in '" +
                                           (scratch_.Path() / "bad.spz").string() + "'.");
}

}  // namespace
