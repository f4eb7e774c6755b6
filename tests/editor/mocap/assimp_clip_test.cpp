#include "editor/mocap/assimp_clip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "bytes/whole_file.h"
#include "editor/mocap/bvh_reader.h"
#include "editor/mocap/clip_bytes.h"
#include "editor/mocap/mocap_import.h"
#include "tests/support/rigged_character.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::mocap;

namespace {

std::string Clip(const char* name) {
    return std::string(MARIONET_BVH_DIR) + "/" + name;
}

BvhClip ReadBvhFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(bytes::ReadWholeFile(path, bytes));
    BvhClip clip;
    BvhError error;
    EXPECT_TRUE(ReadBvh(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                        clip, error))
        << error.message;
    return clip;
}

std::vector<PoseRecord> Poses(const BvhClip& clip) {
    BoneLengths lengths;
    DefaultBoneLengths(lengths);
    MocapOptions options;
    options.baseName = "take";
    bytes::Result<std::vector<PoseRecord>> poses = ConvertClip(clip, options, lengths);
    EXPECT_TRUE(poses) << poses.Reason();
    return poses ? *poses : std::vector<PoseRecord>{};
}

// The largest turn, in degrees, between the same bone of two poses.
double LargestBoneTurn(const PoseRecord& a, const PoseRecord& b) {
    double largest = 0.0;
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        const Rotation3 ra = PoseRotation(a.angles[bone]);
        const Rotation3 rb = PoseRotation(b.angles[bone]);
        double trace = 0.0;
        for (int i = 0; i < 3; ++i) {
            for (int k = 0; k < 3; ++k) {
                trace += ra.m[k][i] * rb.m[k][i];
            }
        }
        const double cosine = std::clamp((trace - 1.0) / 2.0, -1.0, 1.0);
        largest = std::max(largest, std::acos(cosine) * 180.0 / 3.14159265358979323846);
    }
    return largest;
}

double LargestTurn(const std::vector<PoseRecord>& a, const std::vector<PoseRecord>& b) {
    EXPECT_EQ(a.size(), b.size());
    double largest = 0.0;
    for (std::size_t k = 0; k < std::min(a.size(), b.size()); ++k) {
        largest = std::max(largest, LargestBoneTurn(a[k], b[k]));
    }
    return largest;
}

// assimp reads BVH clips too: the same clip through its scene and through the editor's own
// reader must give the same poses, which checks the whole road from a scene's node turns to
// the clip's channels on real motion capture.
TEST(AssimpClip, TheSameClipThroughAssimpGivesTheBvhReadersPoses) {
    for (const char* name : {"01_01.bvh", "Boxing_Toes.bvh"}) {
        if (!std::filesystem::exists(Clip(name))) {
            GTEST_SKIP() << "assimp-testmodels is not installed";
        }
        BvhClip throughAssimp;
        const bytes::Status read = ReadAssimpClip(Clip(name), "", throughAssimp);
        ASSERT_TRUE(read) << read.Reason();
        const BvhClip own = ReadBvhFile(Clip(name));
        EXPECT_NEAR(throughAssimp.frameTime * (throughAssimp.frameCount - 1),
                    own.frameTime * (own.frameCount - 1), 1e-6);
        const double largest = LargestTurn(Poses(throughAssimp), Poses(own));
        std::cout << name << ": largest bone difference " << largest << " degrees\n";
        EXPECT_LT(largest, 1.0) << name;
    }
}

// A glTF clip of a Mixamo skeleton whose joints' rest frames are turned, against the same
// motion written as BVH: the poses agree within a degree per bone.
TEST(AssimpClip, AGltfClipMatchesTheSameClipsBvh) {
    ScratchDirectory scratch;
    const std::string gltf = (scratch.Path() / "wave.gltf").string();
    const std::string bvh = (scratch.Path() / "wave.bvh").string();
    rigged_character::WriteGltf(gltf);
    rigged_character::WriteBvh(bvh);
    std::vector<std::string> takes;
    bytes::Status read = ListClipTakes(gltf, takes);
    ASSERT_TRUE(read) << read.Reason();
    EXPECT_EQ(takes, std::vector<std::string>{"Wave"});
    BvhClip clip;
    read = ReadAssimpClip(gltf, "wave", clip);
    ASSERT_TRUE(read) << read.Reason();
    EXPECT_EQ(clip.frameCount, rigged_character::kFrames);
    const double largest = LargestTurn(Poses(clip), Poses(ReadBvhFile(bvh)));
    std::cout << "glTF against BVH: largest bone difference " << largest << " degrees\n";
    EXPECT_LT(largest, 1.0);
}

// assimp reads clips in a child process: a file on which assimp itself crashes is refused with
// what happened, and the next clip reads. The clip comes back from the child whole; a stream cut
// anywhere is refused.
TEST(AssimpClip, AFileThatCrashesAssimpIsRefusedAndTheNextOneReads) {
    const std::string crashing =
        std::string(MARIONET_SAMPLES_DIR) + "/../fuzz/io/assimp-faults/double-free.fbx";
    BvhClip clip;
    std::vector<std::string> takes;
    // signal 6 from assimp's abort; under the address sanitizer, its exit status.
    for (const Status& read :
         {ListClipTakes(crashing, takes), ReadAssimpClip(crashing, "", clip)}) {
        EXPECT_FALSE(read);
        EXPECT_EQ(read.Reason().rfind("assimp stopped while reading 'double-free.fbx' (", 0), 0u)
            << read.Reason();
    }

    ScratchDirectory scratch;
    const std::string gltf = (scratch.Path() / "wave.gltf").string();
    rigged_character::WriteGltf(gltf);
    const Status read = ReadAssimpClip(gltf, "", clip);
    ASSERT_TRUE(read) << read.Reason();
    const std::vector<uint8_t> bytes = ClipToBytes(clip);
    BvhClip back;
    ASSERT_TRUE(ClipFromBytes(bytes, back));
    EXPECT_EQ(back.values, clip.values);
    ASSERT_EQ(back.joints.size(), clip.joints.size());
    EXPECT_EQ(back.joints.back().name, clip.joints.back().name);
    EXPECT_EQ(back.joints.back().channelCount, clip.joints.back().channelCount);
    for (std::size_t cut = 0; cut < bytes.size(); cut += 1 + cut / 64) {
        EXPECT_FALSE(ClipFromBytes({bytes.data(), cut}, back)) << cut;
    }
}

TEST(AssimpClip, FilesWithoutAUsableAnimationSayWhy) {
    ScratchDirectory scratch;
    const std::string still = (scratch.Path() / "still.obj").string();
    std::ofstream(still) << "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    BvhClip clip;
    bytes::Status read = ReadAssimpClip(still, "", clip);
    EXPECT_EQ(read.Kind(), bytes::Failure::Refused);
    EXPECT_EQ(read.Reason(), "it holds no animation");
    std::vector<std::string> takes;
    EXPECT_FALSE(ListClipTakes(still, takes));
    read = ReadAssimpClip((scratch.Path() / "none.fbx").string(), "", clip);
    EXPECT_EQ(read.Reason(), "the file cannot be opened");
    const std::string garbage = (scratch.Path() / "garbage.fbx").string();
    std::ofstream(garbage) << "Kaydara FBX Binary  \x00\x1a\x00 nothing more";
    read = ReadAssimpClip(garbage, "", clip);
    EXPECT_FALSE(read);
    EXPECT_FALSE(read.Reason().empty());
    if (std::filesystem::exists(Clip("01_01.bvh"))) {
        read = ReadAssimpClip(Clip("01_01.bvh"), "run", clip);
        EXPECT_FALSE(read);
        EXPECT_EQ(read.Reason().rfind("it has no animation 'run' (it has ", 0), 0u)
            << read.Reason();
    }
}

}  // namespace
