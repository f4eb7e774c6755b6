// Exact console and OBJ texts of small files.

#include <gtest/gtest.h>

#include "tests/fmtoobj/test_model.h"

namespace {

const char* const TINY_CONSOLE =
    "header                           version 2, length 40 bytes.\n"
    "    Skins are 256 x 256 pixels.\n"
    "    2 skins identified.\n"
    "    1 animation frames, size 56 each.\n"
    "    4 3D vertices, 4 texture verteces, and 12 glcmds.\n"
    "    1 triangles, 2 mesh nodes.\n"
    "skin                             version 1, length 128 bytes.\n"
    "st coord                         version 1, length 16 bytes.\n"
    "tris                             version 1, length 12 bytes.\n"
    "frames                           version 1, length 56 bytes.\n"
    "    searching for frame 'stand1'...\n"
    "glcmds                           version 1, length 48 bytes.\n"
    "mesh nodes                       version 3, length 1032 bytes.\n"
    "\n"
    "Wrote: stand1FFFF.obj\n";

const char* const TINY_VERTICES =
    "\n# 3D Vertices\n\n"
    "# vertex 1 (tris.fm vertex 0, unscaled [0,0,0])\n"
    "v    1.0000  -2.0000   0.2500\n"
    "# vertex 2 (tris.fm vertex 1, unscaled [10,0,0])\n"
    "v    6.0000  -2.0000   0.2500\n"
    "# vertex 3 (tris.fm vertex 2, unscaled [0,20,0])\n"
    "v    1.0000  18.0000   0.2500\n"
    "# vertex 4 (tris.fm vertex 3, unscaled [0,0,30])\n"
    "v    1.0000  -2.0000  60.2500\n";

const char* const TINY_TEXTURE_VERTICES =
    "\n# Texture Vertices\n\n"
    "# texture vertex 1 (tris.fm texture vertex 0, [0,0])\n"
    "vt   0.0000   0.0000\n"
    "# texture vertex 2 (tris.fm texture vertex 1, [128,0])\n"
    "vt   0.5000   0.0000\n"
    "# texture vertex 3 (tris.fm texture vertex 2, [0,64])\n"
    "vt   0.0000   0.2500\n"
    "# texture vertex 4 (tris.fm texture vertex 3, [255,255])\n"
    "vt   0.9961   0.9961\n";

const char* const NODE_NOTES =
    "usemtl x\n"
    "# NOTE: Vertex indeces are based at 1, not 0, for .OBJ\n"
    "# NOTE: This differs from zero-based tris.fm\n";

std::string Group(const std::string& name) {
    return "\ng " + name + " stand1\n" + NODE_NOTES;
}

std::string TinyObj() {
    return std::string("o stand1FFFF.obj\n") + TINY_VERTICES + TINY_TEXTURE_VERTICES +
           "\n# Triangles\n\ng stand1\n" + Group("Node0") +
           "# Triangles for TRIFAN(3): 0   1   2  \n"
           "f 3/3 2/2 1/1\n" +
           Group("Node1");
}

}  // namespace

TEST(ExportGolden, TinyModelWithDefaultOptions) {
    Conversion run = Convert(TinyModel());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.console, TINY_CONSOLE);
    ASSERT_EQ(run.output.files.size(), 1u);
    EXPECT_EQ(run.output.files["stand1FFFF.obj"], TinyObj());
}

TEST(ExportGolden, StripsAlternateTheirOrderAndFansReverseIt) {
    FlexModelContent model = TinyModel();
    model.glCommandWords.clear();
    model.meshNodes.clear();
    auto c = [](int v) {
        static const int st[4][2] = {{0, 0}, {128, 0}, {0, 64}, {255, 255}};
        return Corner(v, st[v][0], st[v][1]);
    };
    AddNode(model, {{GlCommandKind::Strip, {c(0), c(1), c(2), c(3), c(1)}},
                    {GlCommandKind::Fan, {c(3), c(0), c(1), c(2)}},
                    {GlCommandKind::Fan, {c(0), c(1)}}});
    Conversion run = Convert(model);
    ASSERT_EQ(run.status, 0);
    std::string expected = std::string("\n# Triangles\n\ng stand1\n") + Group("Node0") +
                           "# Triangles for TRIFAN(5): 0   1   2   3   1  \n"
                           "f 3/3 2/2 1/1\n"
                           "f 2/2 3/3 4/4\n"
                           "f 2/2 4/4 3/3\n"
                           "# Triangles for TRIFAN(4): 3   0   1   2  \n"
                           "f 2/2 1/1 4/4\n"
                           "f 3/3 2/2 4/4\n"
                           "# Triangles for TRIFAN(2): 0   1  \n";
    const std::string& obj = run.output.files["stand1FFFF.obj"];
    ASSERT_GE(obj.size(), expected.size());
    EXPECT_EQ(obj.substr(obj.size() - expected.size()), expected);
}

TEST(ExportGolden, SparseListsOnlyUsedEntriesRenumbered) {
    FlexModelContent model = TinyModel();
    model.glCommandWords.clear();
    model.meshNodes.clear();
    AddNode(model,
            {{GlCommandKind::Fan, {Corner(3, 255, 255), Corner(1, 128, 0), Corner(2, 0, 64)}}});
    AddNode(model, {{GlCommandKind::Fan, {Corner(0, 0, 0), Corner(1, 128, 0), Corner(2, 0, 64)}}});
    ConverterOptions options;
    options.sparse = true;
    options.nodeMask = 1;
    Conversion run = Convert(model, options);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.output.files["stand10001.obj"],
              "o stand10001.obj\n"
              "\n# 3D Vertices\n\n"
              "# vertex 1 (tris.fm vertex 1, unscaled [10,0,0])\n"
              "v    6.0000  -2.0000   0.2500\n"
              "# vertex 2 (tris.fm vertex 2, unscaled [0,20,0])\n"
              "v    1.0000  18.0000   0.2500\n"
              "# vertex 3 (tris.fm vertex 3, unscaled [0,0,30])\n"
              "v    1.0000  -2.0000  60.2500\n"
              "\n# Texture Vertices\n\n"
              "# texture vertex 1 (tris.fm texture vertex 1, [128,0])\n"
              "vt   0.5000   0.0000\n"
              "# texture vertex 2 (tris.fm texture vertex 2, [0,64])\n"
              "vt   0.0000   0.2500\n"
              "# texture vertex 3 (tris.fm texture vertex 3, [255,255])\n"
              "vt   0.9961   0.9961\n"
              "\n# Triangles\n\ng stand1\n" +
                  Group("Node0") +
                  "# Triangles for TRIFAN(3): 3   1   2  \n"
                  "f 2/2 1/1 3/3\n");
}

TEST(ExportGolden, UnmatchedTextureCoordinateIsReportedAndNumberedZero) {
    FlexModelContent model = TinyModel();
    model.glCommandWords.clear();
    model.meshNodes.clear();
    AddNode(model,
            {{GlCommandKind::Fan, {GlVertex{0.1f, 0.0f, 0}, Corner(1, 128, 0), Corner(2, 0, 64)}}});
    Conversion plain = Convert(model);
    ASSERT_EQ(plain.status, 0);
    const char* error = "ERROR: Can't find texture vertex [0.100000,0.000000]\n";
    EXPECT_NE(plain.console.find(std::string(error) + "Wrote: stand1FFFF.obj\n"),
              std::string::npos);
    EXPECT_NE(plain.output.files["stand1FFFF.obj"].find("f 3/3 2/2 1/0\n"), std::string::npos);

    ConverterOptions options;
    options.sparse = true;
    Conversion sparse = Convert(model, options);
    // Once while marking used entries and once while writing the face.
    EXPECT_NE(sparse.console.find(std::string(error) + error), std::string::npos);
    const std::string& obj = sparse.output.files["stand1FFFF.obj"];
    EXPECT_NE(obj.find("f 3/2 2/1 1/0\n"), std::string::npos);
    EXPECT_EQ(obj.find("[0,0])"), std::string::npos);  // texture vertex 0 is unused
}

TEST(ExportGolden, ExtendedPrintoutOfReferencesAndSkeleton) {
    FlexModelContent model = TinyModel();
    AddSkeletonAndReferences(model);
    ConverterOptions options;
    options.extended = true;
    Conversion run = Convert(model, options);
    ASSERT_EQ(run.status, 0);
    std::string expected = "Wrote: stand1FFFF.obj\n";
    const char* labels[] = {"left hand ref ", "right hand ref", "right foot ref", "left foot ref ",
                            "staff ref     ", "blade ref     ", "hellhead ref  "};
    for (int r = 0; r < 7; ++r) {
        char line[200];
        std::snprintf(line, sizeof line,
                      "%s: org=(   1,  -2,%4d) dir=(   4,  -2,%4d) up=(   1,  -2,%4d)\n"
                      "    l1 =   3.00; l2 =   4.00; angle is 1.5708 radians.\n",
                      labels[r], 2 * r, 2 * r, 2 * r + 4);
        expected += line;
    }
    expected +=
        "lower back    : org=(   1,  -2,   0) dir=(   1,   1,   0) up=(   1,  -6,   0)\n"
        "    l1 =   3.00; l2 =   4.00; angle is 3.1416 radians.\n"
        "upper back    : org=(   6,  -2,   0) dir=(   6,   1,   0) up=(   6,  -6,   0)\n"
        "    l1 =   3.00; l2 =   4.00; angle is 3.1416 radians.\n"
        "neck          : org=(  11,  -2,   0) dir=(  11,   1,   0) up=(  11,  -6,   0)\n"
        "    l1 =   3.00; l2 =   4.00; angle is 3.1416 radians.\n";
    ASSERT_GE(run.console.size(), expected.size());
    EXPECT_EQ(run.console.substr(run.console.size() - expected.size()), expected);
    EXPECT_NE(run.console.find("skeleton                         version 1, length 148 bytes.\n"
                               "references                       version 1, length 260 bytes.\n"),
              std::string::npos);
}

TEST(ExportGolden, UnknownChunkIsReportedAndSkipped) {
    std::vector<uint8_t> bytes = WithChunk(BuildFlexModel(TinyModel()), "weird", 7, {1, 2, 3, 4});
    Conversion run = Convert(bytes);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.console.find("weird                            version 7, length 4 bytes.\n"
                               "WARNING: Unrecognized chunk identifier: weird\n\nWrote:"),
              std::string::npos);
    EXPECT_EQ(run.output.files["stand1FFFF.obj"], TinyObj());
}
