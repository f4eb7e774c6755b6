// The one-pass normals and the grid lookup give the straightforward version's files byte for
// byte.
#include <gtest/gtest.h>

#include <memory>

#include "editor/export/frame_normals.h"
#include "tests/editor/export/export_fixture.h"
#include "tests/editor/export/frames_reference.h"

TEST(FramesReferenceTest, FastFramesEqualTheReferenceByteForByte) {
    ScratchDirectory directory;
    for (int segments : {3, 50, 1024}) {
        auto document = std::make_unique<ModelDocument>();
        MakeBand(*document, segments);
        const std::string fast = directory.File("fast.fm"), slow = directory.File("slow.fm");
        ASSERT_TRUE(WriteTurningFrames(*document, 12, false, fast, directory.File("fast.bin")));
        ASSERT_TRUE(WriteTurningFrames(*document, 12, true, slow, directory.File("slow.bin")));
        EXPECT_EQ(ReadFile(fast), ReadFile(slow)) << segments;
        EXPECT_EQ(ReadFile(directory.File("fast.bin")), ReadFile(directory.File("slow.bin")));
    }
}

TEST(FramesReferenceTest, DegenerateFacesAddNothing) {
    auto mesh = std::make_unique<MeshData>();
    for (const Vector& p : {Vector(0, 0, 0), Vector(1, 0, 0), Vector(0, 1, 0), Vector(2, 0, 0)}) {
        mesh->AddVertex(p);
    }
    mesh->AddTriangle(0, 1, 2, 0, 0, 0);
    mesh->AddTriangle(0, 1, 3, 0, 0, 0);  // in a line
    mesh->AddTriangle(2, 2, 1, 0, 0, 0);  // a corner twice
    uint8_t fast[4], slow[4];
    VertexNormalIndices(*mesh, 4, fast);
    ReferenceVertexNormalIndices(*mesh, 4, slow);
    EXPECT_EQ(std::vector<uint8_t>(fast, fast + 4), std::vector<uint8_t>(slow, slow + 4));
}
