// The chunk writers one by one: texture flips, packing extremes and flat axes, the torso's
// front and back, orphans, the command count, and the skeleton's clusters and frames.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>

#include "editor/export/frame_packing.h"
#include "editor/export/gl_commands_chunk.h"
#include "editor/export/mesh_chunks.h"
#include "editor/export/mesh_nodes.h"
#include "editor/export/reference_points.h"
#include "editor/export/skeleton_chunks.h"
#include "tests/editor/export/export_fixture.h"
#include "tests/editor/export/flex_file.h"

namespace {

struct FlipCase {
    float u, v;
    bool flipU, flipV;
    int16_t s, t;
};

class FlipTest : public ::testing::TestWithParam<FlipCase> {};

TEST_P(FlipTest, StoresTheFlippedTexelTruncated) {
    const FlipCase& c = GetParam();
    ScratchDirectory directory;
    auto mesh = std::make_unique<MeshData>();
    mesh->texVertices[0] = TexVertex{c.u, c.v, 0.0f};
    mesh->texVertexCount = 1;
    auto exporter = std::make_unique<FlexExporter>();
    ASSERT_TRUE(exporter->Create(directory.File("st.fm")));
    ASSERT_TRUE(WriteStCoordChunk(*exporter, *mesh, c.flipU, c.flipV));
    ASSERT_TRUE(exporter->Commit());
    FlexFile file{ReadFile(directory.File("st.fm"))};
    const StCoord coord = *ReadStCoord(file.Reader(), CHUNK_HEADER_SIZE);
    EXPECT_EQ(coord.s, c.s);
    EXPECT_EQ(coord.t, c.t);
    // The commands take the same flipped texel.
    EXPECT_EQ(int16_t(exporter->texCoords[0].u), c.s);
}

INSTANTIATE_TEST_SUITE_P(Texels, FlipTest,
                         ::testing::Values(FlipCase{10, 20, true, false, 245, 20},
                                           FlipCase{260, 20, true, false, 0, 20},
                                           FlipCase{10, 20, false, true, 10, 235},
                                           FlipCase{10.7f, 300, false, true, 10, 0},
                                           FlipCase{254.5f, 0.5f, true, true, 0, 254},
                                           FlipCase{10.9f, 20.2f, false, false, 10, 20}));

TEST(MeshChunksTest, TrianglesKeepTheirOwnTextureCorners) {
    ExportFixture fixture;
    MakeTube(*fixture.document, 3, 4, 5);
    ScratchDirectory& directory = fixture.directory;
    auto exporter = std::make_unique<FlexExporter>();
    ASSERT_TRUE(exporter->Create(directory.File("tris.fm")));
    ASSERT_TRUE(WriteTrisChunk(*exporter, fixture.document->generatedModel.mesh));
    ASSERT_TRUE(exporter->Commit());
    FlexFile file{ReadFile(directory.File("tris.fm"))};
    const TriangleRecord first = *ReadTriangleRecord(file.Reader(), CHUNK_HEADER_SIZE);
    EXPECT_EQ(first.vertexIndex, (std::array<int16_t, 3>{0, 1, 4}));
    EXPECT_EQ(first.stIndex, (std::array<int16_t, 3>{5, 6, 9}));
}

// Three vertices (one per axis extreme) plus one in the middle.
TEST(FramePackingTest, ExtremesPackToZeroAnd255AndAFlatAxisStaysFinite) {
    auto mesh = std::make_unique<MeshData>();
    for (const Vector& p : {Vector(-3.25, 10, 7), Vector(4.5, -2, 7), Vector(0.1, 0.2, 7)}) {
        mesh->AddVertex(p);
    }
    const uint8_t normals[3] = {5, 6, 7};
    ByteWriter frame;
    const PackedSpace space = PackFrame(*mesh, 3, normals, "a_very_long_frame_name", frame);
    const ByteReader reader(frame.Bytes());
    const FrameHeader header = *ReadFrameHeader(reader, 0);
    EXPECT_EQ(header.Name(), "a_very_long_fra");
    EXPECT_EQ(header.scale[2], 0.0f);
    EXPECT_EQ(header.translate[2], 7.0f);
    const PackedVertex low = *ReadPackedVertex(reader, FRAME_HEADER_SIZE);
    const PackedVertex high = *ReadPackedVertex(reader, FRAME_HEADER_SIZE + 4);
    EXPECT_EQ((std::array<int, 4>{low.x, low.y, low.z, low.normalIndex}),
              (std::array<int, 4>{0, 255, 0, 5}));
    EXPECT_EQ((std::array<int, 4>{high.x, high.y, high.z, high.normalIndex}),
              (std::array<int, 4>{255, 0, 0, 6}));

    ReferencePoints points;
    RestReferencePoints(BoneLengths{}, points);
    points[0][0] = Vector(4.5, 10, 7);
    points[0][1] = Vector(4.5, 10, 1e30);
    PackReferencePoints(space, points);
    for (const Vector& point : {points[0][0], points[0][1]}) {
        EXPECT_TRUE(std::isfinite(point.z));
        const FlexPoint world = space.DecodePoint({point.x, point.y, point.z});
        EXPECT_EQ(world[2], 7.0f);
    }
    // Stored with the bias of one half that readers keep.
    EXPECT_FLOAT_EQ(points[0][0].x, 255.5f);
    EXPECT_FLOAT_EQ(points[0][0].y, 255.5f);
}

// A mesh of separate or joined triangles for the node passes; bindings and the bones' local z
// given per case.
struct NodeCase {
    const char* what;
    std::vector<std::array<int, 3>> triangles;
    std::vector<std::pair<int, std::vector<int>>> boneTriangles;  // bone, its triangles
    std::vector<float> localZ;                                    // per vertex, in its bone
    std::vector<int> expectedNode;                                // per triangle; -1 none
};

class MeshNodeTest : public ::testing::TestWithParam<NodeCase> {};

TEST_P(MeshNodeTest, AssignsEachTriangleToOneNode) {
    const NodeCase& c = GetParam();
    auto document = std::make_unique<ModelDocument>();
    MeshData& mesh = document->generatedModel.mesh;
    for (int v = 0; v < 12; ++v) {
        mesh.AddVertex(Vector(v, v % 3, v % 5));
    }
    for (const auto& t : c.triangles) {
        // Texture corners differ from the vertex corners: the torso split must use vertices.
        mesh.AddTriangle(t[0], t[1], t[2], 11 - t[0], 11 - t[1], 11 - t[2]);
    }
    for (const auto& [bone, triangles] : c.boneTriangles) {
        BonePart& part = document->bones[bone];
        for (int t : triangles) {
            part.boundTriangles.SetBit(t);
            for (int v : c.triangles[t]) {
                part.boundVertices.SetBit(v);
                part.mesh.vertices[v] =
                    Vector(1.0, 1.0, v < int(c.localZ.size()) ? c.localZ[v] : 1.0f);
            }
        }
    }
    auto nodes = std::make_unique<MeshNodeSets>();
    AssignMeshNodes(*document, *nodes);
    for (int t = 0; t < int(c.triangles.size()); ++t) {
        int node = -1;
        for (int n = 0; n < NUM_MESH_NODES; ++n) {
            if (nodes->triangles[n].Test(t)) {
                EXPECT_EQ(node, -1) << "triangle " << t << " in two nodes";
                node = n;
            }
        }
        EXPECT_EQ(node, c.expectedNode[t]) << "triangle " << t;
    }
    for (int n = 0; n < NUM_MESH_NODES; ++n) {
        EXPECT_EQ(nodes->triangles[n].Count() > 0, nodes->corners[n].Count() > 0) << n;
    }
}

constexpr int UPPER_TORSO = 25, NECK = 26, RIGHT_UPPER_ARM = 17, LOWER_TORSO = 9;

const NodeCase NODE_CASES[] = {
    {"two corners in front", {{0, 1, 2}}, {{UPPER_TORSO, {0}}}, {1, 0, -1}, {0}},
    {"two corners behind", {{0, 1, 2}}, {{UPPER_TORSO, {0}}}, {1, -0.5f, -1}, {1}},
    {"front and back across two torso bones",
     {{0, 1, 2}, {3, 4, 5}},
     {{UPPER_TORSO, {0}}, {LOWER_TORSO, {1}}},
     {-1, -1, 2, 3, 0, -2},
     {1, 0}},
    {"neck and upper torso: head node only",
     {{0, 1, 2}},
     {{UPPER_TORSO, {0}}, {NECK, {0}}},
     {},
     {15}},
    {"orphan joins its first corner's neighbour",
     {{0, 1, 2}, {0, 3, 4}},
     {{RIGHT_UPPER_ARM, {1}}},
     {},
     {5, 5}},
    {"orphan chain is adopted pass by pass",
     {{0, 1, 2}, {3, 4, 2}, {3, 5, 6}},
     {{RIGHT_UPPER_ARM, {2}}},
     {},
     {5, 5, 5}},
    {"orphans waiting on each other stay undrawn",
     {{0, 1, 2}, {2, 3, 4}, {4, 5, 6}},
     {{RIGHT_UPPER_ARM, {2}}},
     {},
     {-1, -1, 5}},
    {"isolated triangle joins node 0",
     {{0, 1, 2}, {3, 4, 5}},
     {{RIGHT_UPPER_ARM, {0}}},
     {},
     {5, 0}},
};

INSTANTIATE_TEST_SUITE_P(Cases, MeshNodeTest, ::testing::ValuesIn(NODE_CASES),
                         [](const auto& info) {
                             std::string name = info.param.what;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) {
                                     ch = '_';
                                 }
                             }
                             return name;
                         });

TEST(GlCommandsTest, HundredAssignedTrianglesGiveTenWordsEachAndOneEndPerNode) {
    ExportFixture fixture;
    MakeTube(*fixture.document, 6, 10);  // 100 triangles, all on the lower torso
    FlexExporter exporter;
    ASSERT_TRUE(exporter.Create(fixture.directory.File("gl.fm")));
    WriteStCoordChunk(exporter, fixture.document->generatedModel.mesh, false, false);
    ASSERT_TRUE(WriteGlCommandsAndMeshNodes(exporter, *fixture.document));
    EXPECT_EQ(exporter.header.numGlCmds, 1016);
    ASSERT_TRUE(exporter.Commit());
    FlexFile file{ReadFile(fixture.directory.File("gl.fm"))};
    const std::size_t records = file.Chunk("mesh nodes")->dataOffset;
    int words = 0;
    for (int node = 0; node < NUM_MESH_NODES; ++node) {
        const MeshNodeRecord record =
            *ReadMeshNodeRecord(file.Reader(), records + node * MESH_NODE_RECORD_SIZE);
        EXPECT_EQ(record.glStart, words) << node;
        words += record.glCount;
        if (node > 1) {
            EXPECT_EQ(record.glCount, 1) << node;
            EXPECT_EQ(std::count(record.triangleMask.begin(), record.triangleMask.end(), 0),
                      int(MASK_BYTES));
        }
    }
    EXPECT_EQ(words, 1016);
    // The first fan: -3, then s, t, vertex of each corner.
    const std::size_t commands = file.Chunk("glcmds")->dataOffset;
    const int firstNode = *file.Reader().Int32(commands) == 0 ? 1 : 0;
    const std::size_t start = commands + 4 * firstNode;
    EXPECT_EQ(*file.Reader().Int32(start), -3);
    const TexVertex& texel = fixture.document->generatedModel.mesh.texVertices[0];
    EXPECT_EQ(*file.Reader().Float(start + 4), texel.u / 256.0f);
}

TEST(SkeletonChunksTest, ClustersAndFramesComeFromTheBindingsAndRefskel) {
    ScratchDirectory directory;
    auto document = std::make_unique<ModelDocument>();
    const std::string refskel = directory.File("refskel.bin");
    ByteWriter records;
    ReferencePoints points;
    for (int frame = 0; frame < 4; ++frame) {  // one record more than the frames
        for (int bone = 0; bone < NUM_BONES; ++bone) {
            for (int k = 0; k < 3; ++k) {
                points[bone][k] = Vector(frame, bone, k);
            }
        }
        AppendRefSkelRecord(records, points);
    }
    std::ofstream(refskel, std::ios::binary)
        .write(reinterpret_cast<const char*>(records.Bytes().data()), records.Size());

    struct Case {
        std::vector<std::pair<int, int>> bound;  // bone, vertex
        std::vector<int32_t> sizes;
        std::vector<int32_t> indices;
    };
    const Case cases[] = {
        {{}, {0, 0, 0}, {}},
        // Head, then neck and left chest (cluster 1 in its table order), then lower torso;
        // a vertex bound to two bones of a cluster is written twice.
        {{{27, 4}, {10, 7}, {26, 9}, {26, 7}, {9, 1}}, {1, 3, 1}, {4, 7, 9, 7, 1}},
    };
    for (const Case& c : cases) {
        for (BonePart& bone : document->bones) {
            bone.boundVertices.ClearAll();
        }
        for (auto [bone, vertex] : c.bound) {
            document->bones[bone].boundVertices.SetBit(vertex);
        }
        FlexExporter exporter;
        exporter.header.numFrames = 3;
        ASSERT_TRUE(exporter.Create(directory.File("skeleton.fm")));
        ASSERT_TRUE(WriteSkeletonChunk(exporter, *document, refskel, [](const std::string&) {}));
        ASSERT_TRUE(WriteReferencesChunk(exporter, refskel, [](const std::string&) {}));
        ASSERT_TRUE(exporter.Commit());
        FlexFile file{ReadFile(directory.File("skeleton.fm"))};
        const std::size_t indexCount = c.indices.size();
        EXPECT_EQ(file.Chunk("skeleton")->dataSize, 24 + 4 * indexCount + 3 * 108);
        EXPECT_EQ(file.Chunk("references")->dataSize, 764u);
        std::vector<int32_t> values;
        for (std::size_t i = 0; i < 5 + indexCount + 1; ++i) {
            values.push_back(file.Int32At("skeleton", 4 * i));
        }
        std::vector<int32_t> expected = {5, 3};
        expected.insert(expected.end(), c.sizes.begin(), c.sizes.end());
        expected.insert(expected.end(), c.indices.begin(), c.indices.end());
        expected.push_back(1);
        EXPECT_EQ(values, expected);
        // Frame 2's neck direction point, then frame 2's top-of-hellstaff up point.
        const std::size_t positions = 4 * (5 + indexCount + 1);
        EXPECT_EQ(file.FloatAt("skeleton", positions + 4 * (2 * 27 + 2 * 9 + 3)), 2.0f);
        EXPECT_EQ(file.FloatAt("skeleton", positions + 4 * (2 * 27 + 2 * 9 + 4)), 26.0f);
        EXPECT_EQ(file.FloatAt("references", 8 + 4 * (2 * 63 + 6 * 9 + 7)), 24.0f);
        EXPECT_EQ(file.FloatAt("references", 8 + 4 * (2 * 63 + 6 * 9 + 8)), 2.0f);
    }
}

TEST(SkeletonChunksTest, TooFewRefskelRecordsFail) {
    ScratchDirectory directory;
    auto document = std::make_unique<ModelDocument>();
    ByteWriter records;
    ReferencePoints points;
    RestReferencePoints(BoneLengths{}, points);
    AppendRefSkelRecord(records, points);
    const std::string refskel = directory.File("refskel.bin");
    std::ofstream(refskel, std::ios::binary)
        .write(reinterpret_cast<const char*>(records.Bytes().data()), records.Size());
    for (int frames : {2, 1}) {
        FlexExporter exporter;
        exporter.header.numFrames = frames;
        ASSERT_TRUE(exporter.Create(directory.File("skeleton.fm")));
        const auto quiet = [](const std::string&) {};
        EXPECT_EQ(WriteSkeletonChunk(exporter, *document, refskel, quiet), frames == 1);
        EXPECT_EQ(WriteReferencesChunk(exporter, refskel, quiet), frames == 1);
    }
}

TEST(ReferencePointsTest, RestPointsLieAlongTheBoneWithTheirOffsets) {
    BoneLengths lengths;
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        lengths[bone] = 10.0 + bone;
    }
    ReferencePoints points;
    RestReferencePoints(lengths, points);
    struct Expect {
        int bone, point;
        Vector at;
    };
    for (const Expect& e :
         {Expect{3, 0, {6.5, 0, 0}}, Expect{3, 1, {6.5, -20, 0}}, Expect{7, 2, {8.5, 0, 20}},
          Expect{20, 2, {30, 0, -20}}, Expect{21, 1, {31, 0, 20}}, Expect{22, 2, {32, 20, 0}},
          Expect{26, 1, {56, 0, 0}}, Expect{0, 2, {10, 0, 0}}}) {
        EXPECT_EQ(points[e.bone][e.point], e.at) << e.bone << "/" << e.point;
    }
}

}  // namespace
