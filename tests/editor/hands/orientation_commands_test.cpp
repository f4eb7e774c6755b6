#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "editor/hands/orientation_file.h"
#include "scene/scene.h"
#include "tests/editor/skeleton/frame_fixture.h"

using namespace ::editor::hands;
using namespace ::editor::model;

namespace {

class OrientationCommands : public FrameTest {
  protected:
    void SetUp() override {
        Start();
        MeshData& mesh = Document().prop.mesh;
        mesh.AddVertex(Vector(0, 0, 0));
        mesh.AddVertex(Vector(1, 0, 0));
        mesh.AddVertex(Vector(0, 1, 0));
        mesh.AddTriangle(0, 1, 2, 0, 0, 0);
        Document().prop.RebuildShape();
        frame_->Scene()->AddChild(Prop());
    }

    C3dShape* Prop() { return Document().prop.Shape(); }
    C3dScene* Scene() { return Document().scene; }

    void Load(const std::string& path) {
        ui_.Queue(ScriptedAnswer::File(path));
        Run(ID_FILE_LOAD_ORIENTATION);
    }
    void Save(const std::string& path) {
        ui_.Queue(ScriptedAnswer::File(path));
        Run(ID_FILE_SAVE_ORIENTATION);
    }
    static std::vector<uint8_t> ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    static float FloatAt(const std::vector<uint8_t>& bytes, std::size_t offset) {
        float value = 0.0f;
        std::memcpy(&value, bytes.data() + offset, sizeof value);
        return value;
    }
};

TEST_F(OrientationCommands, OnlyTheModelOrThePropCanBePlaced) {
    const struct {
        const char* name;
        C3dShape* selection;
    } cases[] = {
        {"nothing", nullptr},
        {"a joint", Document().joints[13].Shape()},
        {"a bone", Document().bones[13].Shape()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        frame_->Selection().Select(c.selection);
        for (int command : {ID_FILE_LOAD_ORIENTATION, ID_FILE_SAVE_ORIENTATION}) {
            ui_.ClearTranscript();
            Run(command);
            EXPECT_EQ(LastLine(), "message: Please select an object first.");
            EXPECT_FALSE(Saw("unanswered: Open") || Saw("unanswered: Save As"));
        }
    }
}

TEST_F(OrientationCommands, AMovedPropComesBackFloatForFloat) {
    frame_->Selection().Select(Prop());
    Prop()->SetPosition(Vector(12.5, -3.25, 40.125), Scene());
    Prop()->SetOrientation(Vector(0.6, 0.0, 0.8), Vector(0.0, 1.0, 0.0), Scene());
    const std::string path = File("prop.ori");
    Save(path);
    EXPECT_TRUE(Saw("status: Enter a file name to save the orientation to..."));
    EXPECT_EQ(LastLine(), "status: Ready.");
    const std::vector<uint8_t> saved = ReadBytes(path);
    ASSERT_EQ(saved.size(), 48u);
    for (std::size_t record : {0u, 16u, 32u}) {
        EXPECT_EQ(saved[record], 0x98);
        EXPECT_EQ(saved[record + 1], 0x16);
        EXPECT_EQ(saved[record + 2], 0x44);
        EXPECT_EQ(saved[record + 3], 0x00);
    }
    EXPECT_EQ(FloatAt(saved, 4), 12.5f);
    EXPECT_EQ(FloatAt(saved, 8), -3.25f);
    EXPECT_EQ(FloatAt(saved, 12), 40.125f);

    Prop()->SetPosition(Vector(0, 0, 0), Scene());
    Prop()->SetOrientation(Vector(0, 0, 1), Vector(1, 0, 0), Scene());
    Load(path);
    EXPECT_TRUE(Saw("status: Enter a file name to load the orientation from..."));
    EXPECT_EQ(LastLine(), "status: Ready.");
    Vector direction, up;
    Prop()->GetOrientation(Scene(), direction, up);
    EXPECT_EQ(Prop()->GetPosition(Scene()),
              Vector(FloatAt(saved, 4), FloatAt(saved, 8), FloatAt(saved, 12)));
    EXPECT_EQ(direction, Vector(FloatAt(saved, 20), FloatAt(saved, 24), FloatAt(saved, 28)));
    EXPECT_EQ(up, Vector(FloatAt(saved, 36), FloatAt(saved, 40), FloatAt(saved, 44)));

    Save(File("again.ori"));
    EXPECT_EQ(ReadBytes(File("again.ori")), saved);
}

TEST_F(OrientationCommands, BrokenFilesAreRefusedAndLeaveThePropWhereItIs) {
    frame_->Selection().Select(Prop());
    Prop()->SetPosition(Vector(1, 2, 3), Scene());
    const std::vector<uint8_t> good = SerializeOrientation({});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // The default orientation (direction +z, up +y) with floats replaced at byte offsets.
    auto with = [&good](std::initializer_list<std::pair<std::size_t, float>> floats) {
        std::vector<uint8_t> bytes = good;
        for (const auto& [offset, value] : floats) {
            std::memcpy(bytes.data() + offset, &value, sizeof value);
        }
        return bytes;
    };
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"47 bytes", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"49 bytes",
         [&good] {
             std::vector<uint8_t> longer = good;
             longer.push_back(0);
             return longer;
         }()},
        {"a position that is no number", with({{8, nan}})},
        {"a zero direction", with({{28, 0.0f}})},
        {"up along the direction", with({{40, 0.0f}, {44, 1.0f}})},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = File("broken" + std::to_string(n++) + ".ori");
        WriteBytes(path, c.bytes);
        Load(path);
        EXPECT_EQ(LastLine(), "message: '" + path + "' does not appear to be a valid .ori file.");
        EXPECT_EQ(Prop()->GetPosition(Scene()), Vector(1, 2, 3));
    }
    Load(File("missing.ori"));
    EXPECT_EQ(LastLine(), "message: Can't open '" + File("missing.ori") + "'.");
}

TEST_F(OrientationCommands, AFailedSaveSaysSoAndKeepsTheOldFile) {
    frame_->Selection().Select(Prop());
    const std::string path = File("no-such-folder/prop.ori");
    Save(path);
    EXPECT_EQ(LastLine(), "message: Can't open '" + path + "'.");

    // A directory in the file's place cannot be replaced; it stays as it was.
    const std::string folder = File("taken.ori");
    std::filesystem::create_directory(folder);
    Save(folder);
    EXPECT_NE(LastLine(), "status: Ready.");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

}  // namespace
