#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "bytes/whole_file.h"
#include "editor/groups/binding_file.h"
#include "editor/io/mesh_readers.h"
#include "editor/model/mesh_data.h"
#include "editor/model/pose_record.h"
#include "editor/skeleton/pose_file.h"
#include "editor/skeleton/pose_math.h"
#include "fmtoobj/converter.h"
#include "fmtoobj/output_directory.h"
#include "tests/app/run_program.h"
#include "tests/editor/export/flex_file.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::model;
using namespace ::editor::skeleton;

namespace {

namespace fs = std::filesystem;

const fs::path kSamples = MARIONET_SAMPLES_DIR;

std::vector<uint8_t> Bytes(const fs::path& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(bytes::ReadWholeFile(path.string(), bytes).Ok()) << path;
    return bytes;
}

// The lowest z of the frame's vertices as fmtoobj writes them (z is up): where the feet are.
double LowestPoint(const std::string& obj) {
    std::istringstream lines(obj);
    double lowest = 1e30;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("v ", 0) == 0) {
            std::istringstream v(line.substr(2));
            double x = 0, y = 0, z = 0;
            v >> x >> y >> z;
            lowest = std::min(lowest, z);
        }
    }
    return lowest;
}

int BoneNamed(const std::string& name) {
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        if (name == BoneTableName(bone)) {
            return bone;
        }
    }
    ADD_FAILURE() << "no bone " << name;
    return 0;
}

PoseVec Centre(const std::vector<PoseVec>& points, const std::vector<int>& which) {
    PoseVec sum;
    for (int v : which) {
        sum = sum + points[v];
    }
    return which.empty() ? sum : sum * (1.0 / which.size());
}

double Dot(const PoseVec& a, const PoseVec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

PoseVec Level(const PoseVec& v) {
    return {v.x, v.y, 0.0};
}

double DegreesBetween(const PoseVec& a, const PoseVec& b) {
    const double cosine = Dot(Normalized(a), Normalized(b));
    return std::acos(std::clamp(cosine, -1.0, 1.0)) * 180.0 / M_PI;
}

// One leg of her mesh, found from her bindings: each joint is the ring of vertices where the
// triangles of the bones on either side of it meet; her toes are the two foot vertices furthest
// from her ankle as she stands in her mesh.
struct Leg {
    std::string side;
    int foot = 0;  // the skeleton's foot bone
    std::vector<int> hip, knee, ankle, toes;
};

class Road : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        scratch_ = std::make_unique<ScratchDirectory>("road");
        fs::create_symlink(kSamples, scratch_->Path() / "samples");
        fs::create_directory(Out());
        status_ = RunProgram("--batch ../samples/road.mnb", output_, Out().string());
        ParsePoseFile(Bytes(kSamples / "cmu_01_01_jump.spz"), poses_);
    }
    static void TearDownTestSuite() { scratch_.reset(); }

    static fs::path Out() { return scratch_->Path() / "out"; }

    // Every vertex of the frame in the file's space (pose space: +X forward, +Z up).
    static std::vector<PoseVec> FrameVertices(const FlexFile& file, int frame) {
        const FrameHeader header = file.Frame(frame);
        std::vector<PoseVec> vertices;
        for (int v = 0; v < file.Header().numXyz; ++v) {
            const PackedVertex packed = file.Vertex(frame, v);
            vertices.push_back({packed.x * header.scale[0] + header.translate[0],
                                packed.y * header.scale[1] + header.translate[1],
                                packed.z * header.scale[2] + header.translate[2]});
        }
        return vertices;
    }

    static std::set<int> BoundVertices(const FlexFile& file, const TriangleSet& triangles) {
        std::set<int> vertices;
        triangles.ForEachSet(
            [&](int t) {
                const TriangleRecord record = *ReadTriangleRecord(
                    file.Reader(), file.Chunk("tris")->dataOffset + t * TRIANGLE_RECORD_SIZE);
                vertices.insert(record.vertexIndex.begin(), record.vertexIndex.end());
            },
            file.Header().numTris);
        return vertices;
    }

    static Leg LegOf(const FlexFile& file, const std::string& side) {
        editor::groups::BoneBindings bindings;
        EXPECT_TRUE(
            editor::groups::ParseBindingFile(Bytes(kSamples / "sydney" / "sydney.bnd"), bindings));
        auto bound = [&](const std::string& bone) {
            return BoundVertices(file, bindings[BoneNamed(side + " " + bone)]);
        };
        auto ring = [&](const std::string& upper, const std::string& lower) {
            const std::set<int> a = bound(upper);
            const std::set<int> b = bound(lower);
            std::vector<int> shared;
            std::set_intersection(a.begin(), a.end(), b.begin(), b.end(),
                                  std::back_inserter(shared));
            return shared;
        };
        Leg leg{side,
                BoneNamed(side + " foot"),
                ring("pelvis", "thigh"),
                ring("thigh", "calf"),
                ring("calf", "foot"),
                {}};

        auto rest = std::make_unique<MeshData>();
        EXPECT_GE(editor::io::ReadMd2Frame(*rest, (kSamples / "sydney" / "sydney.md2").string(),
                                           "stand1"),
                  0);
        std::vector<PoseVec> standing;
        for (int v = 0; v < rest->vertexCount; ++v) {
            standing.push_back({rest->vertices[v].x, rest->vertices[v].y, rest->vertices[v].z});
        }
        const PoseVec ankle = Centre(standing, leg.ankle);
        std::set<int> foot = bound("foot");
        std::vector<int> toes(foot.begin(), foot.end());
        std::sort(toes.begin(), toes.end(), [&](int a, int b) {
            return Length(standing[a] - ankle) > Length(standing[b] - ankle);
        });
        leg.toes.assign(toes.begin(), toes.begin() + std::min<size_t>(2, toes.size()));
        return leg;
    }

    static inline std::unique_ptr<ScratchDirectory> scratch_;
    static inline int status_ = -1;
    static inline std::string output_;
    static inline std::vector<PoseRecord> poses_;
};

}  // namespace

// The sample road runs as a modder would run it and its model is one the game's tools read: every
// frame converts, there is a frame per pose, and the jump lifts her feet off the ground.
TEST_F(Road, TheSampleCharacterBecomesAnAnimatedModel) {
    ASSERT_EQ(status_, 0) << output_;
    EXPECT_NE(output_.find("status: Flex model generated in 'sydney.fm'"), std::string::npos);
    for (const char* picture : {"1-fitted.png", "2-left-thigh.png", "3-jump53.png"}) {
        EXPECT_GT(fs::file_size(Out() / picture), 1000u) << picture;
    }

    ASSERT_FALSE(poses_.empty());
    const std::vector<uint8_t> model = Bytes(Out() / "sydney.fm");
    double lowest = 1e30;
    double highest = -1e30;
    for (const PoseRecord& pose : poses_) {
        fmtoobj::ConverterOptions options;
        options.extended = true;
        options.frameName = PoseName(pose);
        std::ostringstream console;
        fmtoobj::MemoryDirectory files;
        ASSERT_EQ(fmtoobj::ConvertModel(model, options, console, files), 0) << options.frameName;
        ASSERT_FALSE(files.files.empty());
        const double feet = LowestPoint(files.files.begin()->second);
        lowest = std::min(lowest, feet);
        highest = std::max(highest, feet);
    }
    // The count in the header is the pose count: a frame past it would not convert.
    fmtoobj::ConverterOptions past;
    past.frameName = "jump" + std::to_string(poses_.size() + 1);
    std::ostringstream console;
    fmtoobj::MemoryDirectory files;
    EXPECT_NE(fmtoobj::ConvertModel(model, past, console, files), 0);
    EXPECT_GT(highest - lowest, 3.0) << "her feet should leave the ground in the jump";
}

// She moves the way the skeleton does, measured on her mesh in every exported frame: her feet
// point where the skeleton's toes point, and where she crouches her knees bend forward, over her
// toes, not backward. A character turned away from the skeleton fails both by about 180 degrees.
TEST_F(Road, HerFeetAndKneesFollowTheSkeletonThroughTheJump) {
    ASSERT_EQ(status_, 0) << output_;
    const FlexFile file{Bytes(Out() / "sydney.fm")};
    ASSERT_EQ(file.Header().numFrames, static_cast<int>(poses_.size()));
    const Leg legs[] = {LegOf(file, "left"), LegOf(file, "right")};
    for (const Leg& leg : legs) {
        ASSERT_FALSE(leg.hip.empty() || leg.knee.empty() || leg.ankle.empty()) << leg.side;
        ASSERT_EQ(leg.toes.size(), 2u) << leg.side;
    }

    // Where she stands at the start of the clip; a crouch lowers her hips by a twelfth of her
    // 61-unit height or more.
    const double standingHip = Centre(FrameVertices(file, 0), legs[0].hip).z;
    constexpr double kCrouchDrop = 5.0;
    double worstFoot = 0.0;
    std::string worstFootFrame;
    double leastKnee = 1e30;
    double mostKnee = -1e30;
    std::vector<std::string> crouch;
    for (int frame = 0; frame < file.Header().numFrames; ++frame) {
        const PoseRecord& pose = poses_[frame];
        const std::string name = PoseName(pose);
        ASSERT_EQ(std::string(file.Frame(frame).Name()), name);
        const std::vector<PoseVec> vertices = FrameVertices(file, frame);
        const bool crouching = Centre(vertices, legs[0].hip).z < standingHip - kCrouchDrop &&
                               Centre(vertices, legs[1].hip).z < standingHip - kCrouchDrop;
        if (crouching) {
            crouch.push_back(name);
        }
        for (const Leg& leg : legs) {
            const PoseVec hip = Centre(vertices, leg.hip);
            const PoseVec knee = Centre(vertices, leg.knee);
            const PoseVec ankle = Centre(vertices, leg.ankle);
            const PoseVec herFoot = Centre(vertices, leg.toes) - ankle;
            const PoseVec toes = PoseRotation(pose.angles[leg.foot]) * PoseVec{1.0, 0.0, 0.0};
            // A foot pointing nearly straight down (off the ground in the jump) has no
            // horizontal direction worth comparing; its whole direction still must agree.
            EXPECT_LT(DegreesBetween(herFoot, toes), 35.0) << name << ", " << leg.side << " foot";
            if (Length(Level(toes)) >= 0.5) {
                const double angle = DegreesBetween(Level(herFoot), Level(toes));
                EXPECT_LT(angle, 30.0) << name << ", " << leg.side << " foot";
                if (angle > worstFoot) {
                    worstFoot = angle;
                    worstFootFrame = name + " " + leg.side;
                }
            }
            if (crouching) {
                // The knee's distance in front of the line from hip to ankle, "front" being the
                // way her own foot points: a knee bent toward her heel bends backward.
                const PoseVec line = Normalized(ankle - hip);
                const PoseVec offLine = (knee - hip) - line * Dot(knee - hip, line);
                const double forward = Dot(offLine, Normalized(Level(herFoot)));
                EXPECT_GT(forward, 2.0) << name << ", " << leg.side << " knee";
                leastKnee = std::min(leastKnee, forward);
                mostKnee = std::max(mostKnee, forward);
            }
        }
    }
    EXPECT_GE(crouch.size(), 10u) << "the clip crouches before each of its jumps";
    std::printf(
        "feet: worst level angle %.1f degrees (%s); crouch: %zu frames (%s ... %s), "
        "knees %.1f to %.1f units in front of hip-ankle\n",
        worstFoot, worstFootFrame.c_str(), crouch.size(),
        crouch.empty() ? "" : crouch.front().c_str(), crouch.empty() ? "" : crouch.back().c_str(),
        leastKnee, mostKnee);
}
