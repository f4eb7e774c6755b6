#include <gtest/gtest.h>

#include <memory>

#include "editor/io/import_mesh.h"
#include "editor/io/import_table.h"
#include "editor/io/mesh_readers.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_group_table.h"
#include "flexmodel/model_builder.h"
#include "io_test_support.h"
#include "scene/shape.h"
#include "scene/texture.h"

using namespace ::editor::model;
using namespace ::editor::io;
using namespace ::flexmodel;
using namespace ::scene;

namespace {

TEST(ImportTable, TheFilterListsEveryFormatInTableOrder) {
    EXPECT_EQ(BuildImportFilter(),
              "WaveFront Files (*.obj)|*.obj|3D Studio Files (*.3ds)|*.3ds|Quake 2 Files "
              "(*.md2)|*.md2|Heretic II Files (.fm)|*.fm|AutoCAD Files (*.dxf)|*.dxf|DirectX Files "
              "(*.x)|*.x|All Files (*.*)|*.*||");
}

// The editor's own formats lead; every other format assimp reads follows them once, in the
// all-models entry and in an entry of its own before all files.
TEST(ImportTable, TheOpenDialogListsAllModelFilesFirst) {
    const std::string filter = BuildOpenModelFilter();
    const std::string own = "*.obj;*.3ds;*.md2;*.fm;*.dxf;*.x";
    ASSERT_EQ(filter.rfind("All Model Files (" + own + ";*.", 0), 0u) << filter;
    const std::string ownEntries = BuildImportFilter();
    const std::string allFiles = "All Files (*.*)|*.*||";
    EXPECT_NE(filter.find(ownEntries.substr(0, ownEntries.size() - allFiles.size()) +
                          "Other Model Files ("),
              std::string::npos);
    EXPECT_EQ(filter.substr(filter.size() - allFiles.size()), allFiles);
    for (const char* extension :
         {"*.fbx;", "*.gltf;", "*.glb;", "*.dae;", "*.iqm;", "*.blend;", "*.md5mesh;", "*.ply;"}) {
        EXPECT_NE(filter.find(extension), std::string::npos) << extension;
    }
    const std::size_t others = filter.find("Other Model Files (");
    EXPECT_EQ(filter.find("*.obj", others), std::string::npos);
    EXPECT_EQ(filter.find("*.x;", others), std::string::npos);
    // LightWave files are left out: assimp aborts the program on damaged ones.
    EXPECT_EQ(filter.find("*.lwo"), std::string::npos);
}

TEST(ImportTable, TheExtensionFromTheLastDotChoosesTheReaderIgnoringCase) {
    EXPECT_EQ(ImportTypeOfPath("model.OBJ"), IMPORT_OBJ);
    EXPECT_EQ(ImportTypeOfPath("/a.b/c.3Ds"), IMPORT_3DS);
    EXPECT_EQ(ImportTypeOfPath("tris.fm"), IMPORT_FM);
    EXPECT_EQ(ImportTypeOfPath("box.X"), IMPORT_X);
    EXPECT_EQ(ImportTypeOfPath("/dir.obj/model"), -1);
    EXPECT_EQ(ImportTypeOfPath("model"), -1);
    EXPECT_EQ(ImportTypeOfPath("model.objx"), -1);
}

class ImportMeshTest : public ::testing::Test {
  protected:
    TempDir dir;
    C3dShape shape;
    ScriptedQuestions questions;
    std::string lastImportPath;
    std::unique_ptr<MeshData> mesh = [] {
        auto m = std::make_unique<MeshData>();
        m->groupTable = std::make_unique<TriangleGroupTable>();
        return m;
    }();
};

TEST_F(ImportMeshTest, AnyDxfFileBecomesTheTestCube) {
    const std::string path = dir.File("anything.dxf");
    WriteText(path, "not really a drawing");
    auto imported = ImportMesh(shape, *mesh, path, &questions, &lastImportPath);
    ASSERT_TRUE(imported.Ok()) << imported.Reason();
    EXPECT_EQ(*imported, path);
    EXPECT_EQ(lastImportPath, path);
    EXPECT_EQ(shape.GetName(), "File object: " + path);
    EXPECT_EQ(mesh->vertexCount, 8);
    EXPECT_EQ(mesh->faceCount, 12);
    EXPECT_EQ(mesh->texVertexCount, 3);
    EXPECT_EQ(shape.GetFaceCount(), 12);
    EXPECT_EQ(mesh->vertices[6], Vector(10, 10, 10));
    EXPECT_TRUE(questions.filtersAsked.empty());
}

TEST_F(ImportMeshTest, WithoutAPathTheDialogAsksAndCancelEndsSilently) {
    questions.openPaths.push_back(std::nullopt);
    EXPECT_TRUE(ImportMesh(shape, *mesh, "", &questions).Cancelled());
    EXPECT_EQ(questions.filtersAsked.at(0), BuildOpenModelFilter());
    EXPECT_EQ(questions.extensionsAsked.at(0), "obj");

    const std::string path = dir.File("cube.dxf");
    WriteText(path, "");
    questions.openPaths.push_back(path);
    EXPECT_EQ(ImportMesh(shape, *mesh, "", &questions), path);
}

TEST_F(ImportMeshTest, UnknownExtensionsAndBadFilesFailButAreRemembered) {
    const std::string text = dir.File("notes.txt");
    WriteText(text, "v 1 2 3\n");
    const bytes::Result<std::string> unknown =
        ImportMesh(shape, *mesh, text, &questions, &lastImportPath);
    EXPECT_EQ(unknown.Kind(), bytes::Failure::Refused);
    EXPECT_EQ(unknown.Reason(), "files of this type cannot be opened");
    EXPECT_EQ(lastImportPath, text);
    EXPECT_FALSE(ImportMesh(shape, *mesh, dir.File("missing.obj"), &questions));
    const std::string broken = dir.File("broken.3ds");
    WriteBytes(broken, {0x4D, 0x4D, 6, 0, 0, 0});
    EXPECT_FALSE(ImportMesh(shape, *mesh, broken, &questions));
    EXPECT_EQ(shape.GetName(), "3D Shape");
}

TEST_F(ImportMeshTest, QuakeFamilyFilesAskForTheFrameAndCancelFails) {
    FlexModelContent content;
    content.skins = {"a"};
    content.stCoords = {{0, 0}, {10, 0}, {0, 10}};
    content.triangles = {{{0, 1, 2}, {0, 1, 2}}};
    content.frames = {
        FlexFrame{"first", PackedSpace{}, {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}}},
        FlexFrame{"second", PackedSpace{}, {{0, 0, 0, 0}, {2, 0, 0, 0}, {0, 2, 0, 0}}}};
    const std::string path = dir.File("tris.FM");
    WriteBytes(path, BuildFlexModel(content));

    questions.frameNames.push_back(std::nullopt);
    EXPECT_FALSE(ImportMesh(shape, *mesh, path, &questions));
    ASSERT_EQ(questions.frameListsShown.size(), 1u);
    EXPECT_EQ(questions.frameListsShown[0], (std::vector<std::string>{"first", "second"}));

    questions.frameNames.push_back("second");
    ASSERT_TRUE(ImportMesh(shape, *mesh, path, &questions));
    EXPECT_EQ(mesh->vertices[1], Vector(-2, 0, 0));

    questions.frameNames.push_back("SECOND");
    EXPECT_FALSE(ImportMesh(shape, *mesh, path, &questions));

    // Without anyone to ask (a script), the first frame is read.
    ASSERT_TRUE(ImportMesh(shape, *mesh, path, nullptr));
    EXPECT_EQ(mesh->vertices[1], Vector(-1, 0, 0));
}

// Written by assimp's DirectX exporter (see data/README.md).
TEST_F(ImportMeshTest, DirectXFilesLoadTheirFirstMeshAsStored) {
    auto imported = ImportMesh(shape, *mesh, DataFile("twoboxes.x"), &questions);
    ASSERT_TRUE(imported.Ok()) << imported.Reason();
    EXPECT_EQ(mesh->vertexCount, 8);
    EXPECT_EQ(mesh->faceCount, 12);
    EXPECT_EQ(shape.GetFaceCount(), 12);
    EXPECT_EQ(mesh->texVertexCount, 3) << "texture coordinates are not taken from the file";
    EXPECT_EQ(mesh->usedVertices.Count(), 8);
    EXPECT_EQ(shape.GetName(), "File object: " + DataFile("twoboxes.x"));
    const std::string broken = dir.File("broken.x");
    WriteText(broken, "xof 0303txt 0032\nMesh {");
    const auto refused = ImportMesh(shape, *mesh, broken, &questions);
    EXPECT_EQ(refused.Reason(), "not a DirectX file the editor can read");
    EXPECT_EQ(mesh->vertexCount, 0);
}

// assimp writes a skin weight at the vertex index the file gives, unchecked (signal 11), and its
// triangulation asserts on faces it miscounts (signal 6); only its child process goes down.
TEST_F(ImportMeshTest, DirectXFilesThatCrashAssimpAreRefusedAndTheNextOneOpens) {
    for (const std::string name : {"skin-weight-out-of-range.x", "assert-triangulate.x"}) {
        SCOPED_TRACE(name);
        const auto refused = ImportMesh(
            shape, *mesh, std::string(MARIONET_SAMPLES_DIR) + "/../fuzz/io/assimp-faults/" + name,
            &questions);
        ASSERT_FALSE(refused);
        // Under the address sanitizer, its exit status instead of the signal.
        EXPECT_EQ(refused.Reason().rfind("assimp stopped while reading '" + name + "' (", 0), 0u)
            << refused.Reason();
        EXPECT_EQ(mesh->vertexCount, 0);
        const auto opened = ImportMesh(shape, *mesh, DataFile("twoboxes.x"), &questions);
        ASSERT_TRUE(opened) << opened.Reason();
        EXPECT_EQ(mesh->faceCount, 12);
    }
}

TEST_F(ImportMeshTest, DirectXTexturesAreLoadedBesideTheFileAndOwnedByTheShape) {
    std::filesystem::copy_file(DataFile("im_true.tga"), dir.File("skin.tga"));
    const std::string path = dir.File("textured.x");
    WriteText(path,
              "xof 0303txt 0032\n"
              "Mesh tri {\n 3;\n 0.0;0.0;0.0;,\n 1.0;0.0;0.0;,\n 0.0;2.0;0.0;;\n"
              " 1;\n 3;0,1,2;;\n"
              " MeshMaterialList {\n  1;\n  1;\n  0;;\n"
              "  Material {\n   1.0;1.0;1.0;1.0;;\n   0.0;\n   0.0;0.0;0.0;;\n"
              "   0.0;0.0;0.0;;\n   TextureFilename {\n    \"skin.tga\";\n   }\n  }\n }\n"
              " MeshTextureCoords {\n  3;\n  0.0;0.0;,\n  1.0;0.0;,\n  0.0;1.0;;\n }\n"
              "}\n");
    ASSERT_TRUE(ImportMesh(shape, *mesh, path, &questions));
    ASSERT_EQ(shape.GetFaceCount(), 1);
    const C3dTexture* texture = shape.Mesh().Faces()[0].texture;
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetWidth(), 5);
    EXPECT_EQ(mesh->vertices[2], Vector(0, 2, 0));
    int a, b, c;
    mesh->GetTriangle(0, a, b, c);
    EXPECT_EQ((std::array<int, 3>{a, b, c}), (std::array<int, 3>{0, 1, 2})) << "winding as stored";

    // A texture that cannot be loaded leaves the mesh untextured but loaded.
    std::filesystem::remove(dir.File("skin.tga"));
    C3dShape other;
    ASSERT_TRUE(ImportMesh(other, *mesh, path, &questions));
    EXPECT_EQ(other.Mesh().Faces()[0].texture, nullptr);
}

}  // namespace
