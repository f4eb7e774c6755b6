// Smooth joints on characters whose limbs run through their joints: far less edge stretch than
// the rigid parts over the jump clip, volume kept at bent and twisted elbows, and vertices away
// from every joint exactly where the rigid parts put them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "bytes/whole_file.h"
#include "editor/generate/body_parts.h"
#include "editor/generate/joint_weights.h"
#include "editor/generate/mesh_deformation.h"
#include "editor/groups/model_bindings.h"
#include "editor/model/model_document.h"
#include "editor/skeleton/pose_file.h"
#include "editor/skeleton/pose_math.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "tests/editor/generate/jointed_character.h"

using namespace ::editor::generate;
using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

constexpr int LEFT_UPPER_ARM = 11;
constexpr int LEFT_LOWER_ARM = 12;
constexpr double PI = 3.14159265358979323846;

using Edges = std::vector<std::pair<int, int>>;

Edges EdgesOf(const MeshData& mesh) {
    std::set<std::pair<int, int>> edges;
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        int c[3];
        mesh.GetTriangle(t, c[0], c[1], c[2]);
        for (int k = 0; k < 3; ++k) {
            edges.insert(std::minmax(c[k], c[(k + 1) % 3]));
        }
    }
    return {edges.begin(), edges.end()};
}

using Positions = std::vector<Vector>;

double Length(const Positions& p, const std::pair<int, int>& edge) {
    return Vector::Subtract(p[edge.first], p[edge.second]).Length();
}

// The 99th, 99.9th percentile and maximum of the stretches.
struct Stretch {
    double p99, p999, max;
};

Stretch Percentiles(std::vector<double> ratios) {
    std::sort(ratios.begin(), ratios.end());
    auto at = [&](double share) {
        return ratios[std::min(ratios.size() - 1, static_cast<std::size_t>(share * ratios.size()))];
    };
    return {at(0.99), at(0.999), ratios.back()};
}

double Volume(const MeshData& mesh, const Positions& p) {
    double volume = 0.0;
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        int a, b, c;
        mesh.GetTriangle(t, a, b, c);
        volume += p[a].Dot(Vector::Cross(p[b], p[c])) / 6.0;
    }
    return std::fabs(volume);
}

Rotation3 AboutAxis(const PoseVec& axis, double angle) {
    const PoseVec k = Normalized(axis);
    const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    Rotation3 r;
    r.m[0][0] = t * k.x * k.x + c;
    r.m[0][1] = t * k.x * k.y - s * k.z;
    r.m[0][2] = t * k.x * k.z + s * k.y;
    r.m[1][0] = t * k.x * k.y + s * k.z;
    r.m[1][1] = t * k.y * k.y + c;
    r.m[1][2] = t * k.y * k.z - s * k.x;
    r.m[2][0] = t * k.x * k.z - s * k.y;
    r.m[2][1] = t * k.y * k.z + s * k.x;
    r.m[2][2] = t * k.z * k.z + c;
    return r;
}

class SmoothJoints : public ::testing::Test {
  protected:
    void SetUp() override {
        scene_.Create();
        document_->SetScene(&scene_);
        BuildSkeleton(posing_);
        LinkSkeleton(*document_, scene_);
        posing_.Apply(document_->defaultPose);
    }
    void TearDown() override {
        UnlinkSkeleton(*document_);
        scene_.RemoveAllChildren();
    }

    void Make(const std::function<void(MeshData&, BoundTriangles&, const GuessSkeleton&)>& build) {
        auto mesh = std::make_unique<MeshData>();
        BoundTriangles bound;
        build(*mesh, bound, SkeletonForGuess(*document_));
        InstallModel(*document_, *mesh, bound);
        TriangleSet highlight;
        ASSERT_EQ(GenerateBodyParts(posing_, store_, highlight, nullptr), GENERATION_DONE);
    }
    Positions Posed(const PoseRecord& pose, bool smooth) {
        document_->jointBlend.smooth = smooth ? 1 : 0;
        posing_.Apply(pose);
        return Positions(Generated().vertices, Generated().vertices + Generated().vertexCount);
    }
    double VolumeOf(const Positions& p) const { return Volume(Generated(), p); }
    const MeshData& Generated() const { return document_->generatedModel.mesh; }

    // Edge stretch over every pose of the jump against its first pose.
    Stretch JumpStretch(bool smooth) {
        std::vector<uint8_t> bytes;
        std::vector<PoseRecord> jump;
        EXPECT_TRUE(
            bytes::ReadWholeFile(MARIONET_SOURCE_DIR "/samples/cmu_01_01_jump.spz", bytes).Ok());
        EXPECT_TRUE(ParsePoseFile(bytes, jump));
        const Edges edges = EdgesOf(Generated());
        std::vector<double> first;
        std::vector<double> ratios;
        for (const PoseRecord& pose : jump) {
            const Positions posed = Posed(pose, smooth);
            for (std::size_t e = 0; e < edges.size(); ++e) {
                if (first.size() < edges.size()) {
                    first.push_back(Length(posed, edges[e]));
                } else if (first[e] > 1e-6) {
                    ratios.push_back(Length(posed, edges[e]) / first[e]);
                }
            }
        }
        return Percentiles(ratios);
    }

    // The current pose with the lower arm turned by `turn` (in pose space, about the elbow).
    PoseRecord LowerArmTurned(const Rotation3& turn) {
        PoseRecord record;
        ReadPose(*document_, record);
        // The bone axes that run along the bone and up from it: the ones CaptureBoneAngles aims.
        const Rotation3 probe = PoseRotation(CaptureBoneAngles({1, 0, 0}, {0, 0, 1}));
        const PoseVec along = Transposed(probe) * PoseVec{1, 0, 0};
        const PoseVec up = Transposed(probe) * PoseVec{0, 0, 1};
        const Rotation3 now = turn * PoseRotation(record.angles[LEFT_LOWER_ARM]);
        record.angles[LEFT_LOWER_ARM] = CaptureBoneAngles(now * along, now * up);
        return record;
    }
    // The lower arm's direction and a direction across it, in pose space.
    PoseVec LowerArmDirection() {
        PoseRecord record;
        ReadPose(*document_, record);
        return Normalized(record.startPositions[LEFT_LOWER_ARM + 1] -
                          record.startPositions[LEFT_LOWER_ARM]);
    }

    // The positions a plain linear blend of the same weights gives (for comparison).
    Positions LinearBlend(const PoseRecord& pose) {
        Positions mesh = Posed(pose, false);
        for (int a = 0; a < NUM_BONES; ++a) {
            const BonePart& bone = document_->bones[a];
            for (int v = 0; v < static_cast<int>(mesh.size()); ++v) {
                if (!bone.boundVertices.Test(v) || !bone.mesh.usedVertices.Test(v)) {
                    continue;
                }
                const Vector& l = bone.mesh.vertices[v];
                const PoseVec rest = bone.rest.rotation * PoseVec{l.x, l.y, l.z} + bone.rest.start;
                const VertexBlend& blend = document_->jointBlend.vertices[v];
                auto moved = [&](int b) {
                    const RestFrame& frame = document_->bones[b].rest;
                    return PoseRotation(pose.angles[b]) *
                               (Transposed(frame.rotation) * (rest - frame.start)) +
                           pose.startPositions[b];
                };
                double own = 1.0;
                PoseVec sum{0, 0, 0};
                for (int k = 0; k < blend.count; ++k) {
                    own -= blend.weights[k];
                    sum = sum + moved(blend.bones[k]) * blend.weights[k];
                }
                mesh[v] = DisplayFromPose(sum + moved(a) * own);
            }
        }
        return mesh;
    }

    C3dScene scene_;
    std::unique_ptr<ModelDocument> document_ = std::make_unique<ModelDocument>();
    MeshDeformation deformation_;
    LocalCoordinateStore store_;
    Posing posing_{*document_, deformation_};
};

}  // namespace

TEST_F(SmoothJoints, JointedCharactersStretchFarLessThanRigidPartsOverTheJump) {
    const struct {
        const char* name;
        TubeShape shape;
    } characters[] = {{"slim", {1.2, 4, 12, false}}, {"stocky", {2.6, 3, 16, true}}};
    for (const auto& character : characters) {
        SCOPED_TRACE(character.name);
        document_->Reset();
        TearDown();
        SetUp();
        Make([&](MeshData& mesh, BoundTriangles& bound, const GuessSkeleton& skeleton) {
            AddJointedCharacter(mesh, bound, skeleton, character.shape);
        });
        const Stretch rigid = JumpStretch(false);
        const Stretch smooth = JumpStretch(true);
        std::printf(
            "[ figures ] %s character, edge stretch over the jump: rigid 99%% %.3f 99.9%% "
            "%.3f max %.3f; smooth 99%% %.3f 99.9%% %.3f max %.3f\n",
            character.name, rigid.p99, rigid.p999, rigid.max, smooth.p99, smooth.p999, smooth.max);
        EXPECT_LE(smooth.p99, 1.4);
        EXPECT_LT(smooth.p99, rigid.p99 - 0.15);
        EXPECT_LT(smooth.p999, rigid.p999 - 0.2);
        EXPECT_LT(smooth.max, 0.6 * rigid.max);
    }
}

TEST_F(SmoothJoints, ABentOrTwistedElbowKeepsItsVolume) {
    Make([](MeshData& mesh, BoundTriangles& bound, const GuessSkeleton& skeleton) {
        AddBoneChain(mesh, bound, skeleton, {LEFT_UPPER_ARM, LEFT_LOWER_ARM}, {1.5, 8, 16, true});
    });
    const double straight = VolumeOf(Posed(LowerArmTurned(Rotation3{}), true));
    const PoseVec along = LowerArmDirection();
    const PoseVec across = Normalized(PoseVec{along.y, -along.x, 0.0});
    const struct {
        const char* name;
        Rotation3 turn;
    } cases[] = {{"bent 90", AboutAxis(across, PI / 2)},
                 {"bent 135", AboutAxis(across, 3 * PI / 4)},
                 {"twisted 90", AboutAxis(along, PI / 2)}};
    for (const auto& bend : cases) {
        SCOPED_TRACE(bend.name);
        const PoseRecord pose = LowerArmTurned(bend.turn);
        const double rigid = VolumeOf(Posed(pose, false)) / straight;
        const double linear = VolumeOf(LinearBlend(pose)) / straight;
        const double smooth = VolumeOf(Posed(pose, true)) / straight;
        std::printf(
            "[ figures ] elbow %s: volume kept rigid %.3f, linear blend %.3f, smooth "
            "%.3f\n",
            bend.name, rigid, linear, smooth);
        EXPECT_GE(smooth, 0.9);
        EXPECT_GT(smooth, linear);
    }
}

TEST_F(SmoothJoints, VerticesAwayFromJointsFollowTheirBoneExactly) {
    document_->jointBlend.zonePercent = 20;
    Make([](MeshData& mesh, BoundTriangles& bound, const GuessSkeleton& skeleton) {
        AddJointedCharacter(mesh, bound, skeleton, {1.2, 4, 12, false});
    });
    PoseRecord pose = LowerArmTurned(AboutAxis(LowerArmDirection(), 0.7));
    pose.angles[1].angleY += 0.6;
    const Positions rigid = Posed(pose, false);
    const Positions smooth = Posed(pose, true);
    const int vertices = static_cast<int>(rigid.size());
    int blended = 0;
    for (int v = 0; v < vertices; ++v) {
        if (document_->jointBlend.vertices[v].count == 0) {
            EXPECT_EQ(smooth[v], rigid[v]) << v;
        } else {
            ++blended;
        }
    }
    // Some rings on either side of each joint blend, most of every limb does not.
    EXPECT_GT(blended, 50);
    EXPECT_LT(blended, vertices / 2);

    // A narrower zone blends fewer vertices; the weights come from the stored rest pose, so they
    // can be recomputed in any pose.
    document_->jointBlend.zonePercent = 5;
    ComputeJointWeights(*document_);
    int narrower = 0;
    for (int v = 0; v < vertices; ++v) {
        narrower += document_->jointBlend.vertices[v].count != 0 ? 1 : 0;
    }
    EXPECT_GT(narrower, 0);
    EXPECT_LT(narrower, blended);
}

// Where the binding's seam lies off its joint (the lower arm's first rings bound to the upper
// arm), every bone's share still changes along the surface no faster than across the zone: no
// edge where a vertex's blend stops short of its neighbour's and the surface tears.
TEST_F(SmoothJoints, SharesRunOnWithoutAJumpWhereTheSeamLiesOffItsJoint) {
    constexpr int SIDES = 12;
    constexpr int RINGS = 16;
    for (const int ringsPast : {0, 6}) {
        SCOPED_TRACE(ringsPast);
        document_->Reset();
        TearDown();
        SetUp();
        document_->jointBlend.zonePercent = 20;
        Make([&](MeshData& mesh, BoundTriangles& bound, const GuessSkeleton& skeleton) {
            AddBoneChain(mesh, bound, skeleton, {LEFT_UPPER_ARM, LEFT_LOWER_ARM},
                         {1.0, RINGS, SIDES, false});
            for (int t = RINGS * 2 * SIDES; t < (RINGS + ringsPast) * 2 * SIDES; ++t) {
                bound[LEFT_LOWER_ARM].ClearBit(t);
                bound[LEFT_UPPER_ARM].SetBit(t);
            }
        });
        const MeshData& mesh = document_->model.mesh;
        // Each vertex's share of the lower arm's motion.
        std::vector<double> lower(mesh.vertexCount, 0.0);
        for (int v = 0; v < mesh.vertexCount; ++v) {
            const VertexBlend& blend = document_->jointBlend.vertices[v];
            double others = 0.0;
            for (int k = 0; k < blend.count; ++k) {
                others += blend.weights[k];
            }
            const bool ownedByLower = document_->bones[LEFT_LOWER_ARM].boundVertices.Test(v);
            lower[v] = ownedByLower ? 1.0 - others : others;
        }
        const double zone = 0.2 * std::min(document_->bones[LEFT_UPPER_ARM].length,
                                           document_->bones[LEFT_LOWER_ARM].length);
        const Positions rest(mesh.vertices, mesh.vertices + mesh.vertexCount);
        double steepest = 0.0;
        for (const auto& edge : EdgesOf(mesh)) {
            steepest = std::max(steepest, std::fabs(lower[edge.first] - lower[edge.second]) /
                                              (Length(rest, edge) / zone));
        }
        // Along the limb the share rises over two zones and fades over two more: at most one
        // zone's worth per zone of surface.
        EXPECT_LE(steepest, 1.05);
        double upperArmTakes = 0.0;
        for (int v = 0; v < mesh.vertexCount; ++v) {
            if (!document_->bones[LEFT_LOWER_ARM].boundVertices.Test(v)) {
                upperArmTakes = std::max(upperArmTakes, lower[v]);
            }
        }
        EXPECT_GT(upperArmTakes, 0.3) << "the upper arm's rings by the seam blend";
    }
}
