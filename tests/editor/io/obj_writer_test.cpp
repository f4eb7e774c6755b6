#include <gtest/gtest.h>

#include <memory>

#include "editor/io/obj_writer.h"
#include "editor/model/mesh_data.h"
#include "io_test_support.h"
#include "scene/scene.h"
#include "scene/shape.h"

using namespace ::editor::io;
using namespace ::editor::model;
using namespace ::scene;

namespace {

std::unique_ptr<MeshData> OneTriangle() {
    auto mesh = std::make_unique<MeshData>();
    mesh->AddVertex(Vector(1.5, -2, 0));
    mesh->AddVertex(Vector(10, 20.25, 3));
    mesh->AddVertex(Vector(0, 0, -100.125));
    mesh->texVertices[0] = {128, 64, 0};
    mesh->texVertices[1] = {0, 256, 0};
    mesh->texVertices[2] = {255, 1, 0};
    mesh->texVertexCount = 3;
    mesh->AddTriangle(0, 1, 2, 0, 1, 2);
    return mesh;
}

TEST(ObjWriter, TheTextIsExactWithReversedCornersAndNormalisedTexels) {
    const std::string expected =
        "o /x/model.obj\n"
        "\n# 3D Vertices\n\n"
        "# vertex 1 (internal 3D vertex 0)\n"
        "v    1.5000  -2.0000   0.0000\n"
        "# vertex 2 (internal 3D vertex 1)\n"
        "v   10.0000  20.2500   3.0000\n"
        "# vertex 3 (internal 3D vertex 2)\n"
        "v    0.0000   0.0000 -100.1250\n"
        "\n# Total 3D Vertices: 3\n"
        "\n# Texture Vertice\n\n"
        "# texture vertex 1 (internal texture vertex 0, [128,64])\n"
        "vt   0.5000   0.2500\n"
        "# texture vertex 2 (internal texture vertex 1, [0,256])\n"
        "vt   0.0000   1.0000\n"
        "# texture vertex 3 (internal texture vertex 2, [255,1])\n"
        "vt   0.9961   0.0039\n"
        "\n# Total Texture Vertices: 3\n"
        "\n# 3D Vertex Normals\n\n"
        "\n# Total 3D Vertex Normals: 0\n"
        "\n# Triangles\n\n"
        "g mesh\n"
        "usemtl x\n"
        "f 3/3 2/2 1/1\n"
        "\n# Total Triangles: 1\n";
    EXPECT_EQ(FormatObj(*OneTriangle(), "/x/model.obj"), expected);
}

TEST(ObjWriter, AnEmptyMeshHasEverySectionWithZeroTotals) {
    const auto mesh = std::make_unique<MeshData>();
    const std::string text = FormatObj(*mesh, "e.obj");
    for (const char* line : {"# Total 3D Vertices: 0\n", "# Total Texture Vertices: 0\n",
                             "# Total 3D Vertex Normals: 0\n", "# Total Triangles: 0\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST(ObjWriter, AFaceNeverReferencesATextureVertexTheFileLacks) {
    struct Case {
        int32_t texVertexCount;
        const char* face;
    };
    for (const Case& c : {Case{3, "f 3/3 2/2 1/1\n"}, Case{2, "f 3 2 1\n"}, Case{0, "f 3 2 1\n"},
                          Case{-5, "f 3 2 1\n"}}) {
        auto mesh = OneTriangle();
        mesh->texVertexCount = c.texVertexCount;
        const std::string text = FormatObj(*mesh, "t.obj");
        EXPECT_NE(text.find(c.face), std::string::npos) << c.texVertexCount << "\n" << text;
    }
}

TEST(ObjWriter, WriteObjReplacesTheFileAndNamesItOnTheObjectLine) {
    TempDir dir;
    const std::string path = dir.File("out.obj");
    WriteText(path, "old");
    ASSERT_EQ(WriteObj(*OneTriangle(), path), 1);
    EXPECT_EQ(ReadText(path), FormatObj(*OneTriangle(), path));
    EXPECT_EQ(WriteObj(*OneTriangle(), dir.File("no/such/dir/out.obj")), 0);
}

class ExportMeshTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(shape.CreateFromFaces(mesh->vertices, mesh->vertexCount, nullptr, 0,
                                          mesh->faces, FACE_LIST_WORDS, true));
    }
    TempDir dir;
    std::unique_ptr<MeshData> mesh = OneTriangle();
    C3dShape shape;
    ScriptedQuestions questions;
    std::string lastExportPath;
};

TEST_F(ExportMeshTest, SavesTheShapesGeometryAndNamesTheShape) {
    questions.savePaths.push_back(dir.File("Saved.OBJ"));
    auto written = ExportMesh(shape, nullptr, "", mesh.get(), &questions, &lastExportPath);
    ASSERT_TRUE(written.Ok()) << written.Reason();
    EXPECT_EQ(*written, dir.File("Saved.OBJ"));
    EXPECT_EQ(lastExportPath, *written);
    EXPECT_EQ(shape.GetName(), "File object: " + *written);
    EXPECT_EQ(questions.extensionsAsked.at(0), "obj");
    EXPECT_EQ(questions.filtersAsked.at(0).rfind("WaveFront Files (*.obj)|*.obj|", 0), 0u);
    EXPECT_NE(ReadText(*written).find("f 3/3 2/2 1/1\n"), std::string::npos);
}

// A model moved and turned in the scene is saved where the scene shows it, not where it was
// opened.
TEST_F(ExportMeshTest, SavesTheGeometryAsTheSceneShowsIt) {
    C3dScene scene;
    ASSERT_TRUE(scene.AddChild(&shape));
    shape.SetOrientation(Vector(1, 0, 0), Vector(0, 1, 0), &scene);
    shape.SetPosition(0, 0, 5, &scene);
    ASSERT_TRUE(ExportMesh(shape, &scene, dir.File("moved.obj"), mesh.get(), nullptr));
    for (int i = 0; i < mesh->vertexCount; ++i) {
        const Vector shown = shape.LocalToWorld(shape.Mesh().Vertices()[i]);
        EXPECT_NEAR(mesh->vertices[i].x, shown.x, 1e-5) << i;
        EXPECT_NEAR(mesh->vertices[i].z, shown.z, 1e-5) << i;
    }
    EXPECT_NE(mesh->vertices[0].z, 0.0f);
    scene.RemoveChild(&shape);
}

TEST_F(ExportMeshTest, OnlyObjFilesAreWrittenAndCancelWritesNothing) {
    EXPECT_FALSE(
        ExportMesh(shape, nullptr, dir.File("model.3ds"), mesh.get(), nullptr, &lastExportPath));
    EXPECT_EQ(lastExportPath, dir.File("model.3ds"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("model.3ds")));
    EXPECT_FALSE(ExportMesh(shape, nullptr, dir.File("model"), mesh.get(), nullptr));
    EXPECT_FALSE(ExportMesh(shape, nullptr, dir.File("model.obj"), nullptr, nullptr));
    questions.savePaths.push_back(std::nullopt);
    EXPECT_TRUE(ExportMesh(shape, nullptr, "", mesh.get(), &questions).Cancelled());
}

}  // namespace
