#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bytes/side_file.h"
#include "editor/groups/binding_file.h"
#include "tests/editor/skeleton/frame_fixture.h"

using namespace ::editor::groups;
using namespace ::editor::model;

namespace {

class BindingFileCommands : public FrameTest {
  protected:
    void SetUp() override {
        Start();
        // A model of 1500 triangles (vertices shared; the shape is not needed).
        MeshData& mesh = Document().model.mesh;
        for (int v = 0; v < 3; ++v) {
            mesh.AddVertex(Vector(v, v * v, 1));
        }
        for (int t = 0; t < 1500; ++t) {
            mesh.AddTriangle(0, 1, 2, 0, 0, 0);
        }
    }

    void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    std::vector<uint8_t> ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    void Load(const std::string& path) {
        ui_.Queue(ScriptedAnswer::File(path));
        Run(ID_FILE_LOAD_BINDINGS);
    }
    void Save(const std::string& path) {
        ui_.Queue(ScriptedAnswer::File(path));
        Run(ID_FILE_SAVE_BINDINGS);
    }
};

TEST_F(BindingFileCommands, FilesOfAnyOtherSizeAreRefused) {
    for (std::size_t size : {10211u, 10213u}) {
        const std::string path = File("short" + std::to_string(size) + ".bnd");
        WriteBytes(path, std::vector<uint8_t>(size, 0xFF));
        Load(path);
        EXPECT_EQ(LastLine(), "message: '" + path + "' does not appear to be a valid .bnd file.");
        EXPECT_FALSE(Document().bones[0].boundTriangles.Any());
    }
    Load(File("missing.bnd"));
    EXPECT_EQ(LastLine(), "message: Can't open '" + File("missing.bnd") + "'.");
}

TEST_F(BindingFileCommands, SavedBindingsLoadBackAndExtraTrianglesAreDropped) {
    Document().bones[3].boundTriangles.SetRange(10, 20);
    Document().bones[36].boundTriangles.SetBit(2000);  // beyond the model's 1500 triangles
    const std::string path = File("walk.bnd");
    Save(path);
    EXPECT_TRUE(Saw("status: Enter a file name to save the bindings to..."));
    EXPECT_EQ(LastLine(), "status: Ready.");
    ASSERT_EQ(ReadBytes(path).size(), BINDING_FILE_BYTES);

    for (BonePart& bone : Document().bones) {
        bone.boundTriangles.ClearAll();
    }
    Load(path);
    EXPECT_TRUE(Saw("status: Enter a file name to load the bindings from..."));
    EXPECT_EQ(LastLine(),
              "status: WARNING: More triangles than model in bindings file - extra ignored!");
    EXPECT_EQ(Document().bones[3].boundTriangles.Count(), 20);
    EXPECT_FALSE(Document().bones[36].boundTriangles.Any());

    Save(path);
    Load(path);
    EXPECT_EQ(LastLine(), "status: Bindings loaded from '" + path + "'.");
}

TEST_F(BindingFileCommands, AFailedSaveKeepsTheOldFile) {
    const std::string path = File("keep.bnd");
    Document().bones[5].boundTriangles.SetBit(7);
    Save(path);
    const std::vector<uint8_t> before = ReadBytes(path);
    // A directory where the new file is written first stops the save before the old file is
    // touched.
    std::filesystem::create_directories(bytes::SideFilePath(path));
    Document().bones[5].boundTriangles.SetBit(8);
    Save(path);
    EXPECT_EQ(LastLine(), "message: Can't open '" + path + "'.");
    EXPECT_EQ(ReadBytes(path), before);
}

}  // namespace
