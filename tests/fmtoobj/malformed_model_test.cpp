// Every fatal condition of the chunk walk and of the checks of counts, offsets and indices:
// the program's own message, status -1, and no file written.

#include <gtest/gtest.h>

#include "tests/fmtoobj/test_model.h"

namespace {

// Offsets of a chunk header's fields, counted back from the start of its data.
constexpr long VERSION_FIELD = -8;
constexpr long SIZE_FIELD = -4;
// Offsets of the header fields inside the "header" data.
constexpr long FRAME_SIZE = 8;
constexpr long NUM_XYZ = 16;
constexpr long NUM_ST = 20;
constexpr long NUM_FRAMES = 32;
constexpr long NUM_MESH_NODES = 36;
// Node 0's glStart and glCount share one int32 at the end of its record.
constexpr long NODE0_GL_RANGE = 512;

struct BadFile {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* message;
    ConverterOptions options = {};
};

std::vector<uint8_t> Tiny() {
    return BuildFlexModel(TinyModel());
}

std::vector<uint8_t> TinyWithExtras() {
    FlexModelContent model = TinyModel();
    AddSkeletonAndReferences(model);
    return BuildFlexModel(model);
}

int32_t GlRange(int16_t start, int16_t count) {
    return static_cast<int32_t>(static_cast<uint16_t>(start) |
                                static_cast<uint32_t>(static_cast<uint16_t>(count)) << 16);
}

void ExpectFatal(const BadFile& bad) {
    SCOPED_TRACE(bad.what);
    Conversion run = Convert(bad.bytes, bad.options);
    EXPECT_EQ(run.status, -1);
    std::string fatal = std::string("\nFATAL: ") + bad.message + "\n";
    ASSERT_GE(run.console.size(), fatal.size()) << run.console;
    EXPECT_EQ(run.console.substr(run.console.size() - fatal.size()), fatal);
    EXPECT_TRUE(run.output.files.empty());
}

std::vector<uint8_t> Patched(const char* ident, long offset, int32_t value) {
    return PatchInt32(TinyWithExtras(), ident, offset, value);
}

}  // namespace

TEST(MalformedModel, ChunkVersionsOtherThanTheKnownOnes) {
    const std::pair<const char*, const char*> chunks[] = {
        {"header", "HEADER"},         {"skin", "SKIN"},
        {"st coord", "ST COORD"},     {"tris", "TRIS"},
        {"frames", "FRAMES"},         {"glcmds", "GLCMDS"},
        {"mesh nodes", "MESH NODES"}, {"skeleton", "SKELETON"},
        {"references", "REFERENCES"}};
    for (auto [ident, name] : chunks) {
        std::string message = std::string("Invalid ") + name + " chunk version number";
        ExpectFatal({ident, Patched(ident, VERSION_FIELD, 0), message.c_str()});
    }
    ExpectFatal(
        {"header 1", Patched("header", VERSION_FIELD, 1), "Invalid HEADER chunk version number"});
    ExpectFatal(
        {"header 3", Patched("header", VERSION_FIELD, 3), "Invalid HEADER chunk version number"});
}

TEST(MalformedModel, ChunkSizesAndTruncation) {
    std::vector<uint8_t> tiny = Tiny();
    std::vector<uint8_t> truncated(tiny.begin(), tiny.end() - 1);
    std::vector<uint8_t> trailing = tiny;
    trailing.insert(trailing.end(), 39, 0);
    const BadFile cases[] = {
        {"size 0", Patched("skin", SIZE_FIELD, 0), "Invalid (<=0) chunk size in model"},
        {"negative size", Patched("tris", SIZE_FIELD, -12), "Invalid (<=0) chunk size in model"},
        {"size past the end", Patched("header", SIZE_FIELD, 1 << 30),
         "Invalid (too big) chunk size in model"},
        {"last chunk cut short", truncated, "Invalid (too big) chunk size in model"},
        {"part of a chunk header", trailing, "Truncated chunk header at the end of the model"},
        {"empty chunk written", WithChunk(tiny, "st coord", 1, {}),
         "Invalid (<=0) chunk size in model"},
    };
    for (const BadFile& bad : cases) {
        ExpectFatal(bad);
    }
    // The line of the offending chunk comes before the message.
    Conversion run = Convert(Patched("skin", SIZE_FIELD, 0));
    EXPECT_NE(run.console.find("skin                             version 1, length 0 bytes.\n"
                               "\nFATAL:"),
              std::string::npos);
}

TEST(MalformedModel, MissingOrMisorderedChunks) {
    std::vector<uint8_t> all = TinyWithExtras();
    const BadFile cases[] = {
        {"empty file", {}, "Model has no HEADER chunk"},
        {"no header", Reorder(all, {"skin", "st coord", "glcmds", "mesh nodes"}),
         "Model has no HEADER chunk"},
        {"no st coord", Reorder(all, {"header", "frames", "glcmds", "mesh nodes"}),
         "Model has no ST COORD chunk"},
        {"no frames", Reorder(all, {"header", "st coord", "glcmds", "mesh nodes"}),
         "Model has no FRAMES chunk"},
        {"no glcmds", Reorder(all, {"header", "st coord", "frames", "mesh nodes"}),
         "Model has no GLCMDS chunk"},
        {"no mesh nodes", Reorder(all, {"header", "st coord", "frames", "glcmds"}),
         "Model has no MESH NODES chunk"},
        {"frames first", Reorder(all, {"frames", "header"}),
         "FRAMES chunk comes before the HEADER chunk"},
        {"skeleton first", Reorder(all, {"header", "skeleton", "frames"}),
         "SKELETON chunk comes before the FRAMES chunk"},
        {"references first", Reorder(all, {"header", "references", "frames"}),
         "REFERENCES chunk comes before the FRAMES chunk"},
        {"two headers", Reorder(all, {"header", "header"}), "Model has more than one HEADER chunk"},
        {"two frames", Reorder(all, {"header", "frames", "frames"}),
         "Model has more than one FRAMES chunk"},
    };
    for (const BadFile& bad : cases) {
        ExpectFatal(bad);
    }
    // Only the order of what the walk needs matters.
    Conversion reordered = Convert(Reorder(
        all, {"header", "mesh nodes", "glcmds", "st coord", "frames", "references", "skeleton"}));
    EXPECT_EQ(reordered.status, 0);
}

TEST(MalformedModel, HeaderCountsBeyondWhatTheDataHolds) {
    const BadFile cases[] = {
        {"short header", WithChunk({}, "header", 2, std::vector<uint8_t>(36)),
         "HEADER chunk is too small"},
        {"too many vertices", Patched("header", NUM_XYZ, 2049),
         "Model has 2049 3D vertices, more than 2048 or fewer than 0"},
        {"negative vertices", Patched("header", NUM_XYZ, -1),
         "Model has -1 3D vertices, more than 2048 or fewer than 0"},
        {"too many texture vertices", Patched("header", NUM_ST, 6145),
         "Model has 6145 texture vertices, more than 6144 or fewer than 0"},
        {"too many mesh nodes", Patched("header", NUM_MESH_NODES, 17),
         "Model has 17 mesh nodes, more than 16 or fewer than 0"},
        {"frame size too small", Patched("header", FRAME_SIZE, 55),
         "Frame size 55 is too small for 4 3D vertices"},
        {"no frames", Patched("header", NUM_FRAMES, 0), "Model has no animation frames"},
        {"frames beyond the chunk", Patched("header", NUM_FRAMES, 2),
         "FRAMES chunk is smaller than its animation frames"},
        {"frame size beyond the chunk", Patched("header", FRAME_SIZE, 0x7FFFFFFF),
         "FRAMES chunk is smaller than its animation frames"},
        {"texture vertices beyond the chunk", Patched("header", NUM_ST, 5),
         "ST COORD chunk holds fewer than the 5 texture vertices of the header"},
        {"mesh nodes beyond the chunk", Patched("header", NUM_MESH_NODES, 3),
         "MESH NODES chunk holds fewer than the 3 mesh nodes of the header"},
    };
    for (const BadFile& bad : cases) {
        ExpectFatal(bad);
    }
}

TEST(MalformedModel, DrawingCommandsOutsideTheirData) {
    std::vector<uint8_t> tiny = Tiny();
    const BadFile cases[] = {
        {"list past the words", PatchInt32(tiny, "mesh nodes", NODE0_GL_RANGE, GlRange(5, 8)),
         "Mesh node 0 commands (words 5 to 13) lie outside the 12 GLCMDS words"},
        {"negative start", PatchInt32(tiny, "mesh nodes", NODE0_GL_RANGE, GlRange(-1, 3)),
         "Mesh node 0 commands (words -1 to 2) lie outside the 12 GLCMDS words"},
        {"negative count", PatchInt32(tiny, "mesh nodes", NODE0_GL_RANGE, GlRange(0, -3)),
         "Mesh node 0 commands (words 0 to -3) lie outside the 12 GLCMDS words"},
        {"command past the chunk", PatchInt32(tiny, "glcmds", 0, -4),
         "Mesh node 0 has a command of 4 vertices running past the GLCMDS chunk"},
        {"huge command", PatchInt32(tiny, "glcmds", 0, INT32_MIN),
         "Mesh node 0 has a command of 2147483648 vertices running past the GLCMDS chunk"},
        {"vertex beyond the count", PatchInt32(tiny, "glcmds", 12, 4),
         "Mesh node 0 draws vertex 4, but the model has 4 3D vertices"},
        {"negative vertex", PatchInt32(tiny, "glcmds", 36, -1),
         "Mesh node 0 draws vertex -1, but the model has 4 3D vertices"},
    };
    for (const BadFile& bad : cases) {
        ExpectFatal(bad);
    }
    // A node outside the mask is never read, so its damage does not matter.
    ConverterOptions onlyNode1;
    onlyNode1.nodeMask = 2;
    std::vector<uint8_t> damaged = PatchInt32(tiny, "glcmds", 12, 4);
    EXPECT_EQ(Convert(damaged, onlyNode1).status, 0);
    // A command may run past glCount as long as it stays inside the chunk.
    Conversion shortCount = Convert(PatchInt32(tiny, "mesh nodes", NODE0_GL_RANGE, GlRange(0, 2)));
    EXPECT_EQ(shortCount.status, 0);
    EXPECT_NE(shortCount.output.files["stand1FFFF.obj"].find("f 3/3 2/2 1/1\n"), std::string::npos);
}

TEST(MalformedModel, SkeletonAndReferenceBlocksOutsideTheirChunks) {
    FlexModelContent model = TinyModel();
    AddSkeletonAndReferences(model);
    model.skeleton->framePoints.clear();
    model.references->framePoints.clear();
    std::vector<uint8_t> noBlocks = BuildFlexModel(model);
    const BadFile cases[] = {
        {"skeleton without the frame's positions",
         Reorder(noBlocks, {"header", "st coord", "frames", "skeleton"}),
         "SKELETON chunk has no positions for the selected frame"},
        {"references without the frame", Reorder(noBlocks, {"header", "frames", "references"}),
         "REFERENCES chunk has no references for the selected frame"},
        {"too many clusters", Patched("skeleton", 4, 1000),
         "SKELETON chunk is too small for its clusters"},
        {"negative cluster count", Patched("skeleton", 4, -1),
         "SKELETON chunk is too small for its clusters"},
        {"negative cluster size", Patched("skeleton", 8, -2),
         "SKELETON chunk is too small for its clusters"},
        {"huge cluster size", Patched("skeleton", 12, 0x7FFFFFFF),
         "SKELETON chunk is too small for its clusters"},
    };
    for (const BadFile& bad : cases) {
        ExpectFatal(bad);
    }
    // A skeleton without positions is fine and prints no joints.
    ConverterOptions extended;
    extended.extended = true;
    std::vector<uint8_t> noPositions = Patched("skeleton", 36, 0);
    Conversion run = Convert(noPositions, extended);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.console.find("lower back"), std::string::npos);
    EXPECT_NE(run.console.find("hellhead ref"), std::string::npos);
}

TEST(MalformedModel, FrameNameNotInTheFile) {
    ConverterOptions options;
    options.frameName = "jump";
    Conversion run = Convert(Tiny(), options);
    EXPECT_EQ(run.status, -1);
    EXPECT_NE(run.console.find("    searching for frame 'jump'...\n\nFATAL: No such frame name!\n"),
              std::string::npos);
    EXPECT_TRUE(run.output.files.empty());
}
