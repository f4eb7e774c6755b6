// The whole export through its driver: the file's chunks, what fmtoobj and the editor's own
// reader make of every frame, the quick limit, the refusals and the state put back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor/io/mesh_readers.h"
#include "editor/model/pose_record.h"
#include "editor/skeleton/pose_file.h"
#include "editor/skeleton/skeleton_posing.h"
#include "flexmodel/packed_space.h"
#include "fmtoobj/converter.h"
#include "tests/editor/export/export_fixture.h"
#include "tests/editor/export/flex_file.h"

using namespace ::editor::skeleton;

namespace {

constexpr std::size_t REFSKEL_RECORD = 1336;

void ExpectReadableEverywhere(const std::string& path, const std::vector<std::string>& names,
                              int vertexCount) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    for (const std::string& name : names) {
        fmtoobj::ConverterOptions options;
        options.extended = true;
        options.frameName = name;
        std::ostringstream console;
        fmtoobj::MemoryDirectory output;
        EXPECT_EQ(fmtoobj::ConvertModel(bytes, options, console, output), 0)
            << name << ": " << console.str();
        EXPECT_FALSE(output.files.empty()) << name;

        auto mesh = std::make_unique<MeshData>();
        std::string refusal;
        EXPECT_EQ(editor::io::ReadFmFrame(*mesh, path, name, &refusal), 0) << name << refusal;
        EXPECT_EQ(mesh->vertexCount, vertexCount) << name;
    }
}

}  // namespace

TEST(ExportDriverTest, WritesEveryChunkThatBothReadersTakeForEveryFrame) {
    ExportFixture fixture;
    ASSERT_EQ(fixture.Run(), ExportResult::Written);
    FlexFile file{ReadFile(fixture.Output())};

    bool exact = false;
    const auto chunks = file.Chunks(exact);
    EXPECT_TRUE(exact);
    const std::vector<std::pair<std::string, int32_t>> expected = {
        {"header", 40},
        {"skin", 128},
        {"st coord", 60 * 4},
        {"tris", 100 * 12},
        {"frames", 5 * (60 * 4 + 40)},
        {"glcmds", (100 * 10 + 16) * 4},
        {"mesh nodes", 8256},
        {"skeleton", 20 + 4 * 60 + 4 + 5 * 108},
        {"references", 8 + 5 * 252},
    };
    EXPECT_EQ(chunks, expected);
    const FlexHeader header = file.Header();
    EXPECT_EQ(header.numGlCmds, 1016);
    EXPECT_EQ(header.numFrames, 5);
    EXPECT_EQ(header.frameSize, 60 * 4 + 40);
    EXPECT_EQ(ReadFile(fixture.directory.File("refskel.bin")).size(), 5 * REFSKEL_RECORD);
    EXPECT_FALSE(std::filesystem::exists(fixture.Output() + ".partial"));
    EXPECT_EQ(fixture.written, fixture.Output());
    EXPECT_TRUE(fixture.host.messages.empty());
    ExpectReadableEverywhere(fixture.Output(), {"step1", "step2", "step3", "step4", "step5"}, 60);
}

TEST(ExportDriverTest, FramesFollowThePosesMirrored) {
    ExportFixture fixture;
    ASSERT_EQ(fixture.Run(), ExportResult::Written);
    FlexFile file{ReadFile(fixture.Output())};
    for (int frame = 0; frame < 5; ++frame) {
        const PackedSpace space = PackedSpace::Of(file.Frame(frame));
        auto mesh = std::make_unique<MeshData>();
        ASSERT_EQ(
            editor::io::ReadFmFrame(*mesh, fixture.Output(), "step" + std::to_string(frame + 1)),
            0);
        const Vector& model = fixture.document->model.mesh.vertices[7];
        const FlexPoint decoded = space.DecodeVertex(file.Vertex(frame, 7));
        // The stand-in deformation moves by the root, then the export negates x.
        const PoseVec root = SteppingPoses(*fixture.document, 5)[frame].startPositions[8];
        EXPECT_NEAR(decoded[0], -(model.x - root.x), space.scale[0]) << frame;
        EXPECT_NEAR(decoded[1], model.y + root.y, space.scale[1]) << frame;
        EXPECT_NEAR(decoded[2], model.z + root.z, space.scale[2]) << frame;
    }
}

TEST(ExportDriverTest, QuickExportKeepsThirtyTwoFramesEverywhere) {
    ExportFixture fixture;
    WritePoseFile(*fixture.request.poseFile, SteppingPoses(*fixture.document, 40));
    fixture.request.quick = true;
    ASSERT_EQ(fixture.Run(), ExportResult::Written);
    FlexFile file{ReadFile(fixture.Output())};
    EXPECT_EQ(file.Header().numFrames, 32);
    EXPECT_EQ(file.Chunk("frames")->dataSize, 32u * file.Header().frameSize);
    // The tube is bound to the lower torso, cluster 2.
    EXPECT_EQ(file.Chunk("skeleton")->dataSize, 24u + 4 * 60 + 32 * 108);
    EXPECT_EQ(file.Chunk("references")->dataSize, 8u + 32 * 252);
    EXPECT_EQ(ReadFile(fixture.directory.File("refskel.bin")).size(), 32 * REFSKEL_RECORD);
    EXPECT_EQ(fixture.host.progress.back(), std::make_pair(32, 32));
    EXPECT_EQ(fixture.host.progressEnded, 1);
}

TEST(ExportDriverTest, ProgressIsReportedEveryTwentyFifthFrameUnlessTheGeneratedModelIsShown) {
    for (bool viewGenerated : {false, true}) {
        ExportFixture fixture;
        fixture.document->viewGenerated = viewGenerated;
        WritePoseFile(*fixture.request.poseFile, SteppingPoses(*fixture.document, 60, "run"));
        ASSERT_EQ(fixture.Run(), ExportResult::Written);
        std::vector<std::string> frameLines;
        for (const std::string& line : fixture.host.statuses) {
            if (line.starts_with("Processing frame")) {
                frameLines.push_back(line);
            }
        }
        if (viewGenerated) {
            EXPECT_EQ(frameLines.size(), 60u);
            EXPECT_EQ(frameLines[1], "Processing frame 'run2'...");
            EXPECT_EQ(fixture.host.redraws, 120);
        } else {
            EXPECT_EQ(frameLines,
                      (std::vector<std::string>{"Processing frame #1 of 60 ('run1')...",
                                                "Processing frame #26 of 60 ('run26')...",
                                                "Processing frame #51 of 60 ('run51')...",
                                                "Processing frame #60 of 60 ('run60')..."}));
            EXPECT_EQ(fixture.host.redraws, 4);
        }
        EXPECT_TRUE(fixture.host.Saw("All frames processed."));
    }
}

TEST(ExportDriverTest, ALongPoseNameIsCutToFifteenCharacters) {
    ExportFixture fixture;
    std::vector<PoseRecord> poses = SteppingPoses(*fixture.document, 1);
    // A record from another tool may fill all 16 bytes of the name.
    std::memcpy(poses[0].name, "abcdefghijklmnopqrst", 16);
    WritePoseFile(*fixture.request.poseFile, poses);
    ASSERT_EQ(fixture.Run(), ExportResult::Written);
    FlexFile file{ReadFile(fixture.Output())};
    EXPECT_EQ(file.Frame(0).Name(), "abcdefghijklmno");
    EXPECT_EQ(file.Frame(0).name[15], '\0');
}

struct Refusal {
    friend void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.what; }
    const char* what;
    std::optional<std::string> output;  // relative to the fixture's directory
    std::string poseBytes;              // "" keeps the good pose file; "-" removes it
    bool generates;
    ExportResult result;
    const char* message;  // "" for none; "%s" stands for the pose file
};

class ExportRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(ExportRefusalTest, KeepsTheEarlierFileAndPutsTheEditorBack) {
    const Refusal& refusal = GetParam();
    ExportFixture fixture;
    const std::string earlier = "an earlier good model";
    std::ofstream(fixture.Output()) << earlier;
    fixture.host.generates = refusal.generates;
    fixture.host.outputAnswer =
        refusal.output ? std::optional(fixture.directory.File(*refusal.output)) : std::nullopt;
    if (refusal.poseBytes == "-") {
        std::filesystem::remove(*fixture.request.poseFile);
    } else if (!refusal.poseBytes.empty()) {
        std::vector<uint8_t> bytes = ReadFile(*fixture.request.poseFile);
        bytes.resize(std::stoul(refusal.poseBytes));
        std::ofstream(*fixture.request.poseFile, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    ModelDocument& document = *fixture.document;
    document.model.Show(1);
    PoseRecord before;
    fixture.posing.Capture(before);
    BoneLengths lengths;
    GetBoneLengths(document, lengths);
    const Vector local = document.bones[9].mesh.vertices[3];

    EXPECT_EQ(fixture.Run(), refusal.result);

    std::string message = refusal.message;
    if (auto at = message.find("%s"); at != std::string::npos) {
        message.replace(at, 2, *fixture.request.poseFile);
    }
    EXPECT_EQ(fixture.host.messages,
              message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
    std::vector<uint8_t> kept = ReadFile(fixture.Output());
    EXPECT_EQ(std::string(kept.begin(), kept.end()), earlier);
    EXPECT_FALSE(std::filesystem::exists(fixture.Output() + ".partial"));
    EXPECT_EQ(document.model.visible, 1u);
    EXPECT_EQ(document.exporting, 0u);
    EXPECT_EQ(document.bones[9].mesh.vertices[3], local);
    PoseRecord after;
    fixture.posing.Capture(after);
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        EXPECT_NEAR(before.startPositions[bone].x, after.startPositions[bone].x, 1e-4) << bone;
        EXPECT_NEAR(before.startPositions[bone].y, after.startPositions[bone].y, 1e-4) << bone;
        EXPECT_NEAR(before.startPositions[bone].z, after.startPositions[bone].z, 1e-4) << bone;
        EXPECT_NEAR(document.bones[bone].length, lengths[bone], 1e-5) << bone;
    }
}

const Refusal REFUSALS[] = {
    {"generation fails", "out.fm", "", false, ExportResult::Failed, ""},
    {"save dialog cancelled", std::nullopt, "", true, ExportResult::Cancelled, ""},
    {"pose file missing", "out.fm", "-", true, ExportResult::Failed,
     "Can't read animations from '%s' - export aborted."},
    {"pose count promises more records", "out.fm", "3000", true, ExportResult::Failed,
     "Can't read animations from '%s' - export aborted."},
    {"pose file without records", "out.fm", "8", true, ExportResult::Failed,
     "Can't read animations from '%s' - export aborted."},
    {"output not creatable", "missing/out.fm", "", true, ExportResult::Failed,
     "Can't create output file - export aborted."},
};

INSTANTIATE_TEST_SUITE_P(Refusals, ExportRefusalTest, ::testing::ValuesIn(REFUSALS),
                         [](const auto& info) {
                             std::string name = info.param.what;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST(ExportDriverTest, CancelledPoseDialogWritesNothing) {
    ExportFixture fixture;
    fixture.request.poseFile.reset();
    fixture.host.poseAnswer.reset();
    EXPECT_EQ(fixture.Run(), ExportResult::Cancelled);
    EXPECT_TRUE(fixture.host.Saw("Enter a file name to load animation (pose) data from..."));
    EXPECT_FALSE(std::filesystem::exists(fixture.Output()));
    EXPECT_FALSE(std::filesystem::exists(fixture.directory.File("refskel.bin")));
    EXPECT_EQ(fixture.document->model.visible, 1u);
}

TEST(ExportDriverTest, AFailingChunkKeepsTheEarlierFile) {
    ExportFixture fixture;
    std::ofstream(fixture.Output()) << "earlier";
    // "refskel.bin" cannot be written where a directory of that name stands.
    std::filesystem::create_directories(fixture.directory.File("refskel.bin.partial"));
    EXPECT_EQ(fixture.Run(), ExportResult::Failed);
    EXPECT_EQ(fixture.host.messages,
              std::vector<std::string>{"Error writing animation frames - export aborted."});
    EXPECT_FALSE(fixture.host.Saw("Writing glcmds and mesh nodes chunks..."));
    std::vector<uint8_t> kept = ReadFile(fixture.Output());
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "earlier");
    EXPECT_FALSE(std::filesystem::exists(fixture.Output() + ".partial"));
}
