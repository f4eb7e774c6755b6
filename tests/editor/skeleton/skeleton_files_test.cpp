#include "editor/skeleton/skeleton_files.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"
#include "bytes/side_file.h"
#include "editor/skeleton/bone_file.h"
#include "editor/skeleton/pose_file.h"
#include "tests/editor/skeleton/scripted_prompts.h"

using namespace ::bytes;
using namespace ::editor::skeleton;

namespace {
class SkeletonFilesTest : public ::testing::Test {
  protected:
    void SetUp() override { dir_ = scratch_.Path(); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    static std::vector<uint8_t> Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    static void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    static PoseRecord Pose(double marker) {
        PoseRecord record;
        record.startPositions[8] = {marker, 0.0, 0.0};
        return record;
    }
    std::vector<std::string> NamesIn(const std::string& path) {
        std::vector<PoseRecord> records;
        EXPECT_TRUE(ParsePoseFile(Bytes(path), records));
        std::vector<std::string> names;
        for (const PoseRecord& r : records) {
            names.push_back(PoseName(r));
        }
        return names;
    }

    ScratchDirectory scratch_{"skeleton_files"};
    std::filesystem::path dir_;
    // The operations as the shell runs them: a refused one's message is what the user sees.
    struct ShownFiles {
        template <typename... Args>
        Result<std::string> LoadPose(Args&&... args) {
            return Shown(files.LoadPose(std::forward<Args>(args)...));
        }
        template <typename... Args>
        Result<std::string> SavePose(Args&&... args) {
            return Shown(files.SavePose(std::forward<Args>(args)...));
        }
        template <typename... Args>
        Result<std::string> LoadBones(Args&&... args) {
            return Shown(files.LoadBones(std::forward<Args>(args)...));
        }
        template <typename... Args>
        Result<std::string> SaveBones(Args&&... args) {
            return Shown(files.SaveBones(std::forward<Args>(args)...));
        }
        Result<std::string> Shown(Result<std::string> result) {
            if (result.Kind() == Failure::Refused) {
                prompts.messages.push_back(result.Reason());
            }
            return result;
        }
        ScriptedPrompts& prompts;
        SkeletonFiles files{prompts};
    };

    ScriptedPrompts prompts_;
    ShownFiles files_{prompts_};
};
}  // namespace

TEST_F(SkeletonFilesTest, SaveCreatesOneRecordFileAndLoadTakesItWhateverItsName) {
    std::string path = Path("one.spz");
    std::string name;
    ASSERT_EQ(files_.SavePose(path, "default", name, Pose(4.5)), path);
    EXPECT_EQ(name, "default");
    EXPECT_EQ(Bytes(path).size(), 1800u);

    PoseRecord loaded;
    ASSERT_EQ(files_.LoadPose(path, "anything", name, loaded), path);
    EXPECT_EQ(name, "default");
    EXPECT_EQ(loaded.startPositions[8].x, 4.5);
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(SkeletonFilesTest, SavingFramesOrdersThemAndAsksBeforeOverwriting) {
    std::string path = Path("walk.spz");
    std::string name;
    for (const char* frame : {"walk1", "walk3", "run1", "walk2", "jump"}) {
        ASSERT_TRUE(files_.SavePose(path, frame, name, Pose(1.0)));
    }
    EXPECT_EQ(NamesIn(path), (std::vector<std::string>{"walk1", "walk2", "walk3", "run1", "jump"}));

    std::vector<uint8_t> before = Bytes(path);
    prompts_.yesNoAnswers = {false};
    EXPECT_FALSE(files_.SavePose(path, "walk2", name, Pose(2.0)));
    ASSERT_EQ(prompts_.questions.size(), 1u);
    EXPECT_EQ(prompts_.questions[0], "OK to overwrite ''walk2' in " + path + "'?");
    EXPECT_EQ(Bytes(path), before);

    prompts_.yesNoAnswers = {true};
    ASSERT_TRUE(files_.SavePose(path, "walk2", name, Pose(2.0)));
    PoseRecord loaded;
    ASSERT_TRUE(files_.LoadPose(path, "walk2", name, loaded));
    EXPECT_EQ(loaded.startPositions[8].x, 2.0);
    EXPECT_EQ(NamesIn(path).size(), 5u);
}

TEST_F(SkeletonFilesTest, LongNamesAreCutAndMissingFramesReported) {
    std::string path = Path("long.spz");
    std::string name;
    ASSERT_TRUE(files_.SavePose(path, "abcdefghijklmnopqrst", name, Pose(1.0)));
    ASSERT_TRUE(files_.SavePose(path, "second", name, Pose(2.0)));
    EXPECT_EQ(NamesIn(path)[0], "abcdefghijklmno");

    PoseRecord loaded;
    ASSERT_TRUE(files_.LoadPose(path, "abcdefghijklmnoXYZ", name, loaded));
    EXPECT_EQ(name, "abcdefghijklmno");
    EXPECT_FALSE(files_.LoadPose(path, "third", name, loaded));
    EXPECT_EQ(prompts_.messages.back(),
              "Pose file '" + path + "' does not have a frame named 'third'.");
}

TEST_F(SkeletonFilesTest, DialogsSupplyMissingNamesAndCancelSilently) {
    std::string path = Path("dialog.spz");
    std::string name;
    prompts_.textAnswers = {std::string("pose7")};
    prompts_.fileAnswers = {path};
    ASSERT_EQ(files_.SavePose(std::nullopt, std::nullopt, name, Pose(7.0)), path);
    EXPECT_EQ(prompts_.questions[0], "Enter a name for this pose (15 chars max)");
    EXPECT_EQ(prompts_.statuses.back(), "Enter a file name to save the pose to...");
    EXPECT_EQ(prompts_.lastFilter, "Marionet Pose Files (*.spz)|*.spz|All Files (*.*)|*.*||");
    ASSERT_TRUE(files_.SavePose(path, "pose8", name, Pose(8.0)));

    PoseRecord loaded;
    prompts_.fileAnswers = {path};
    prompts_.textAnswers = {std::string("pose8")};
    ASSERT_EQ(files_.LoadPose(std::nullopt, std::nullopt, name, loaded), path);
    EXPECT_EQ(prompts_.offeredChoices, (std::vector<std::string>{"pose7", "pose8"}));
    EXPECT_EQ(prompts_.questions.back(), "Type or select name of frame to load:");
    EXPECT_EQ(loaded.startPositions[8].x, 8.0);
    EXPECT_EQ(prompts_.statuses.back(), "Enter a file name to load pose information from...");

    prompts_.fileAnswers = {std::nullopt};
    EXPECT_FALSE(files_.LoadPose(std::string(), std::nullopt, name, loaded));
    prompts_.fileAnswers = {path};
    prompts_.textAnswers = {std::nullopt};
    EXPECT_FALSE(files_.LoadPose(std::nullopt, std::nullopt, name, loaded));
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(SkeletonFilesTest, BadPoseFilesGiveTheirMessagesAndAreNotReplaced) {
    std::string name;
    PoseRecord loaded;
    std::string missing = Path("missing.spz");
    EXPECT_FALSE(files_.LoadPose(missing, std::nullopt, name, loaded));
    EXPECT_EQ(prompts_.messages.back(), "Can't open '" + missing + "'.");

    std::string bad = Path("bad.spz");
    ByteWriter damaged(SerializePoseFile({Pose(1.0), Pose(2.0)}));
    damaged.PatchInt32(0, 3);  // promises a third record that is not there
    const std::vector<uint8_t> bytes = damaged.Take();
    Write(bad, bytes);
    EXPECT_FALSE(files_.LoadPose(bad, "x", name, loaded));
    EXPECT_EQ(prompts_.messages.back(), "Incorrect pose format in '" + bad + "'.");
    EXPECT_FALSE(files_.SavePose(bad, "x", name, Pose(1.0)));
    EXPECT_EQ(prompts_.messages.back(), "Incorrect pose format in '" + bad + "'.");
    EXPECT_EQ(Bytes(bad), bytes);

    // A directory cannot be read nor replaced.
    std::string folder = Path("folder.spz");
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(files_.SavePose(folder, "x", name, Pose(1.0)));
    EXPECT_FALSE(prompts_.messages.back().empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST_F(SkeletonFilesTest, FailedWriteKeepsTheOldFile) {
    std::string path = Path("keep.spz");
    std::string name;
    ASSERT_TRUE(files_.SavePose(path, "a", name, Pose(1.0)));
    std::vector<uint8_t> before = Bytes(path);
    // The temporary file beside it cannot be created when a directory has its name.
    std::filesystem::create_directory(SideFilePath(path));
    EXPECT_FALSE(files_.SavePose(path, "b", name, Pose(2.0)));
    EXPECT_EQ(prompts_.messages.back(), "Can't open '" + path + "'.");
    EXPECT_EQ(Bytes(path), before);
}

TEST_F(SkeletonFilesTest, BoneFilesRoundTripAndAreRangeChecked) {
    BoneLengths lengths;
    DefaultBoneLengths(lengths);
    lengths[36] = 64.0;
    std::string path = Path("corvus.bnz");
    ASSERT_EQ(files_.SaveBones(path, lengths), path);
    std::vector<uint8_t> bytes = Bytes(path);
    ASSERT_EQ(bytes.size(), 296u);
    EXPECT_EQ(ByteReader(bytes).Double(0), 4.44);
    EXPECT_EQ(ByteReader(bytes).Double(288), 64.0);

    BoneLengths loaded = {};
    ASSERT_EQ(files_.LoadBones(path, loaded), path);
    for (int b = 0; b < NUM_BONES; ++b) {
        EXPECT_EQ(loaded[b], lengths[b]);
    }

    // Overwrite refused: nothing written.
    prompts_.yesNoAnswers = {false};
    BoneLengths other;
    DefaultBoneLengths(other);
    EXPECT_FALSE(files_.SaveBones(path, other));
    EXPECT_EQ(prompts_.questions.back(), "OK to overwrite '" + path + "'?");
    EXPECT_EQ(Bytes(path), bytes);

    for (double bad : {0.0, 64.000001, -1.0}) {
        ByteWriter changed(bytes);
        changed.PatchDouble(80, bad);
        Write(path, changed.Take());
        BoneLengths untouched = {};
        EXPECT_FALSE(files_.LoadBones(path, untouched));
        EXPECT_EQ(prompts_.messages.back(),
                  "Bone lengths are invlid (must be in range 0.0 - 64.0).");
        EXPECT_EQ(untouched[0], 0.0);
    }
    for (size_t size : {295u, 297u, 0u}) {
        std::vector<uint8_t> wrong(size, 0);
        Write(path, wrong);
        EXPECT_FALSE(files_.LoadBones(path, loaded));
        EXPECT_EQ(prompts_.messages.back(),
                  "'" + path + "' does not appear to be a valid .bnz file.");
    }
}
