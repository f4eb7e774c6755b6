#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <set>

#include "editor/io/assimp_import.h"
#include "editor/io/assimp_model_reader.h"
#include "editor/io/import_mesh.h"
#include "editor/io/mesh_simplify.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_group_table.h"
#include "io_test_support.h"
#include "scene/shape.h"
#include "tests/support/rigged_character.h"

using namespace ::editor::io;
using namespace ::editor::model;
using namespace ::scene;

namespace {

const std::string MODELS = "/usr/share/assimp/models/";

bool HaveModels() {
    return std::filesystem::exists(MODELS + "BLEND/HUMAN.blend");
}

// Answers every Yes/No question as told and counts them.
class AnsweringQuestions : public ScriptedQuestions {
  public:
    explicit AnsweringQuestions(bool yes) : yes_(yes) {}
    bool AskYesNo(const std::string& question) override {
        asked.push_back(question);
        return yes_;
    }
    std::vector<std::string> asked;

  private:
    bool yes_;
};

std::unique_ptr<MeshData> NewMesh() {
    auto mesh = std::make_unique<MeshData>();
    mesh->groupTable = std::make_unique<TriangleGroupTable>();
    return mesh;
}

// Real files of every kind open; those over the capacity only after the question, and then
// under every capacity. spider.obj goes through assimp here as well as through the editor's
// own reader.
TEST(AssimpImport, RealFilesOpenAndHeavyOnesAreSimplifiedUnderTheCapacity) {
    if (!HaveModels()) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    struct Case {
        const char* file;
        bool heavy;
    };
    for (const Case& c : {Case{"IQM/mrfixit.iqm", true}, Case{"BLEND/HUMAN.blend", true},
                          Case{"FBX/spider.fbx", false}, Case{"Collada/duck.dae", true},
                          Case{"glTF2/BoxTextured-glTF/BoxTextured.gltf", false}}) {
        SCOPED_TRACE(c.file);
        ImportedModel model;
        const bytes::Status read = ReadAssimpModel(MODELS + c.file, model);
        ASSERT_TRUE(read) << read.Reason();
        EXPECT_EQ(FitsCapacity(model, MAX_MESH_ELEMENTS), !c.heavy);

        C3dShape shape;
        auto mesh = NewMesh();
        AnsweringQuestions yes(true);
        ImportReport report;
        const bytes::Result<std::string> imported =
            ImportMesh(shape, *mesh, MODELS + c.file, &yes, nullptr, &report);
        ASSERT_TRUE(imported) << imported.Reason();
        EXPECT_EQ(yes.asked.size(), c.heavy ? 1u : 0u);
        EXPECT_EQ(report.Simplified(), c.heavy);
        EXPECT_GT(mesh->TriangleCount(), c.heavy ? 1500 : 0);
        EXPECT_LE(mesh->TriangleCount(), MAX_MESH_ELEMENTS);
        EXPECT_EQ(static_cast<std::size_t>(mesh->TriangleCount()), report.trianglesAfter);
        std::cout << c.file << ": " << report.trianglesBefore << " -> " << report.trianglesAfter
                  << " triangles, " << mesh->vertexCount << " vertices, " << mesh->texVertexCount
                  << " texture vertices\n";
    }
    // The editor's own OBJ reader and assimp's see the same spider.
    ImportedModel spider;
    const bytes::Status read = ReadAssimpModel(MODELS + "OBJ/spider.obj", spider);
    ASSERT_TRUE(read) << read.Reason();
    C3dShape shape;
    auto own = NewMesh();
    ASSERT_TRUE(ImportMesh(shape, *own, MODELS + "OBJ/spider.obj", nullptr));
    EXPECT_EQ(spider.TriangleCount(), static_cast<std::size_t>(own->TriangleCount()));
}

TEST(AssimpImport, NoToTheQuestionKeepsTheRefusal) {
    if (!HaveModels()) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    C3dShape shape;
    auto mesh = NewMesh();
    AnsweringQuestions no(false);
    bytes::Result<std::string> imported =
        ImportMesh(shape, *mesh, MODELS + "IQM/mrfixit.iqm", &no, nullptr, nullptr);
    ASSERT_EQ(no.asked.size(), 1u);
    EXPECT_EQ(no.asked[0],
              "'mrfixit.iqm' has 2988 triangles and 1504 vertices; a FlexModel holds 2048 of "
              "each. Simplify it to fit?");
    EXPECT_EQ(imported.Kind(), bytes::Failure::Refused);
    EXPECT_EQ(imported.Reason(), "2988 triangles, more than 2048");
    EXPECT_EQ(mesh->TriangleCount(), 0);
    // Without anyone to ask, the same.
    imported = ImportMesh(shape, *mesh, MODELS + "IQM/mrfixit.iqm", nullptr);
    EXPECT_EQ(imported.Kind(), bytes::Failure::Refused);
    EXPECT_EQ(imported.Reason(), "2988 triangles, more than 2048");
}

TEST(AssimpImport, BadFilesGiveAssimpsReasonWithoutACrash) {
    TempDir dir;
    const std::string garbage = dir.File("broken.fbx");
    WriteText(garbage, "Kaydara FBX Binary  but nothing more");
    C3dShape shape;
    auto mesh = NewMesh();
    bytes::Result<std::string> imported = ImportMesh(shape, *mesh, garbage, nullptr);
    EXPECT_FALSE(imported);
    EXPECT_FALSE(imported.Reason().empty());
    EXPECT_NE(imported.Reason().back(), '.');
    const std::string unknown = dir.File("picture.xyzzy");
    WriteText(unknown, "nothing");
    imported = ImportMesh(shape, *mesh, unknown, nullptr);
    EXPECT_EQ(imported.Kind(), bytes::Failure::Refused);
    EXPECT_EQ(imported.Reason(), "files of this type cannot be opened");
    // A PLY cut short once made assimp's own triangulation assert and abort the program.
    const std::string wuson = MODELS + "PLY/Wuson.ply";
    if (std::filesystem::exists(wuson)) {
        std::ifstream in(wuson, std::ios::binary);
        std::string text(262143, '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        const std::string cut = dir.File("cut.ply");
        std::ofstream(cut, std::ios::binary)
            << text.substr(0, static_cast<std::size_t>(in.gcount()));
        EXPECT_FALSE(ImportMesh(shape, *mesh, cut, nullptr));
    }
    const std::string empty = dir.File("empty.gltf");
    WriteText(empty, "{\"asset\":{\"version\":\"2.0\"},\"scenes\":[{\"nodes\":[]}]}");
    imported = ImportMesh(shape, *mesh, empty, nullptr);
    EXPECT_FALSE(imported);
    EXPECT_FALSE(imported.Reason().empty());
}

// assimp reads in a child process: a file on which assimp itself crashes (this FBX makes it free
// a block twice and abort) is refused with what happened, the editor goes on, and the next file
// opens.
TEST(AssimpImport, AFileThatCrashesAssimpIsRefusedAndTheNextOneOpens) {
    const std::string crashing =
        std::string(MARIONET_SAMPLES_DIR) + "/../fuzz/io/assimp-faults/double-free.fbx";
    C3dShape shape;
    auto mesh = NewMesh();
    const bytes::Result<std::string> refused = ImportMesh(shape, *mesh, crashing, nullptr);
    EXPECT_FALSE(refused);
    // signal 6 from assimp's abort; under the address sanitizer, its exit status.
    const std::string& refusal = refused.Reason();
    EXPECT_EQ(refusal.rfind("assimp stopped while reading 'double-free.fbx' (", 0), 0u) << refusal;
    EXPECT_EQ(mesh->TriangleCount(), 0);
    if (!HaveModels()) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    const bytes::Result<std::string> opened =
        ImportMesh(shape, *mesh, MODELS + "FBX/spider.fbx", nullptr);
    EXPECT_TRUE(opened) << opened.Reason();
    EXPECT_GT(mesh->TriangleCount(), 0);
}

// The figure's skeleton and weights come in with it, in the editor's axes: +Z up, its left
// towards +Y and its toes towards -X.
TEST(AssimpImport, ARiggedCharacterBringsItsSkeletonAndWeights) {
    TempDir dir;
    const std::string path = dir.File("figure.gltf");
    rigged_character::WriteGltf(path, false);
    ImportedModel model;
    const bytes::Status read = ReadAssimpModel(path, model);
    ASSERT_TRUE(read) << read.Reason();
    const auto& skeleton = rigged_character::Skeleton();
    ASSERT_EQ(model.rig.bones.size(), skeleton.size());
    ASSERT_EQ(model.rig.influences.size(), model.positions.size());
    std::map<std::string, const SourceBone*> byName;
    for (const SourceBone& bone : model.rig.bones) {
        byName[bone.name] = &bone;
        if (bone.parent >= 0) {
            EXPECT_LT(bone.parent, &bone - model.rig.bones.data());
        }
    }
    for (const auto& joint : skeleton) {
        ASSERT_TRUE(byName.count(joint.name)) << joint.name;
        const auto& p = byName[joint.name]->position;
        EXPECT_NEAR(p[0], -joint.position[2], 1e-3) << joint.name;
        EXPECT_NEAR(p[1], joint.position[0], 1e-3) << joint.name;
        EXPECT_NEAR(p[2], joint.position[1], 1e-3) << joint.name;
    }
    for (const auto& influences : model.rig.influences) {
        float sum = 0.0f;
        for (const SkinInfluence& influence : influences) {
            sum += influence.weight;
        }
        EXPECT_NEAR(sum, 1.0f, 1e-4);
    }
    EXPECT_EQ(model.uvs.size(), model.positions.size());
    const auto top = std::max_element(model.positions.begin(), model.positions.end(),
                                      [](const auto& a, const auto& b) { return a[2] < b[2]; });
    EXPECT_NEAR((*top)[2], 178.0f, 1e-3);
}

// --- Simplification quality ---

using Triangle = std::array<std::array<double, 3>, 3>;

std::vector<Triangle> Triangles(const ImportedModel& model) {
    std::vector<Triangle> triangles;
    for (std::size_t t = 0; t + 2 < model.indices.size(); t += 3) {
        Triangle triangle;
        for (int k = 0; k < 3; ++k) {
            const auto& p = model.positions[model.indices[t + static_cast<std::size_t>(k)]];
            triangle[static_cast<std::size_t>(k)] = {p[0], p[1], p[2]};
        }
        triangles.push_back(triangle);
    }
    return triangles;
}

std::array<double, 3> Minus(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
double Dot(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Distance from p to the triangle (Ericson's closest point on a triangle).
double Distance(const std::array<double, 3>& p, const Triangle& t) {
    const auto& a = t[0];
    const auto& b = t[1];
    const auto& c = t[2];
    const auto ab = Minus(b, a), ac = Minus(c, a), ap = Minus(p, a);
    auto at = [&](double u, double v) {
        const std::array<double, 3> q = {a[0] + ab[0] * u + ac[0] * v, a[1] + ab[1] * u + ac[1] * v,
                                         a[2] + ab[2] * u + ac[2] * v};
        const auto d = Minus(p, q);
        return std::sqrt(Dot(d, d));
    };
    const double d1 = Dot(ab, ap), d2 = Dot(ac, ap);
    if (d1 <= 0 && d2 <= 0)
        return at(0, 0);
    const auto bp = Minus(p, b);
    const double d3 = Dot(ab, bp), d4 = Dot(ac, bp);
    if (d3 >= 0 && d4 <= d3)
        return at(1, 0);
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0)
        return at(d1 / (d1 - d3), 0);
    const auto cp = Minus(p, c);
    const double d5 = Dot(ab, cp), d6 = Dot(ac, cp);
    if (d6 >= 0 && d5 <= d6)
        return at(0, 1);
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0)
        return at(0, d2 / (d2 - d6));
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0) {
        const double w = (d4 - d3) / ((d4 - d3) + (d5 - d6));
        return at(1 - w, w);
    }
    const double denominator = 1.0 / (va + vb + vc);
    return at(vb * denominator, vc * denominator);
}

// Points spread over the surface by area, and the corners themselves.
std::vector<std::array<double, 3>> Samples(const std::vector<Triangle>& triangles, int count) {
    std::vector<double> cumulative;
    double total = 0.0;
    for (const Triangle& t : triangles) {
        const auto ab = Minus(t[1], t[0]), ac = Minus(t[2], t[0]);
        const std::array<double, 3> n = {ab[1] * ac[2] - ab[2] * ac[1],
                                         ab[2] * ac[0] - ab[0] * ac[2],
                                         ab[0] * ac[1] - ab[1] * ac[0]};
        total += std::sqrt(Dot(n, n));
        cumulative.push_back(total);
    }
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::array<double, 3>> points;
    for (int i = 0; i < count; ++i) {
        const std::size_t t = static_cast<std::size_t>(
            std::lower_bound(cumulative.begin(), cumulative.end(), unit(random) * total) -
            cumulative.begin());
        const Triangle& tri = triangles[std::min(t, triangles.size() - 1)];
        double u = unit(random), v = unit(random);
        if (u + v > 1) {
            u = 1 - u;
            v = 1 - v;
        }
        points.push_back({tri[0][0] + (tri[1][0] - tri[0][0]) * u + (tri[2][0] - tri[0][0]) * v,
                          tri[0][1] + (tri[1][1] - tri[0][1]) * u + (tri[2][1] - tri[0][1]) * v,
                          tri[0][2] + (tri[1][2] - tri[0][2]) * u + (tri[2][2] - tri[0][2]) * v});
    }
    return points;
}

double OneWay(const std::vector<Triangle>& from, const std::vector<Triangle>& to) {
    double largest = 0.0;
    for (const auto& p : Samples(from, 1500)) {
        double nearest = 1e300;
        for (const Triangle& t : to) {
            nearest = std::min(nearest, Distance(p, t));
        }
        largest = std::max(largest, nearest);
    }
    return largest;
}

double Diagonal(const ImportedModel& model) {
    std::array<double, 3> low{1e300, 1e300, 1e300}, high{-1e300, -1e300, -1e300};
    for (const auto& p : model.positions) {
        for (int k = 0; k < 3; ++k) {
            low[static_cast<std::size_t>(k)] =
                std::min(low[static_cast<std::size_t>(k)], double{p[static_cast<std::size_t>(k)]});
            high[static_cast<std::size_t>(k)] =
                std::max(high[static_cast<std::size_t>(k)], double{p[static_cast<std::size_t>(k)]});
        }
    }
    const auto d = Minus(high, low);
    return std::sqrt(Dot(d, d));
}

// Halving a real character moves its surface by at most 1% of its size (the symmetric
// Hausdorff distance over sampled points); the 4x figure is printed. Every vertex that stays
// keeps its place and its texture coordinates.
TEST(MeshSimplify, HalvingKeepsTheSurfaceWithinOnePercentAndTheTextureUnchanged) {
    if (!HaveModels()) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    for (const char* file : {"IQM/mrfixit.iqm", "BLEND/HUMAN.blend"}) {
        SCOPED_TRACE(file);
        ImportedModel original;
        const bytes::Status read = ReadAssimpModel(MODELS + file, original);
        ASSERT_TRUE(read) << read.Reason();
        if (original.uvs.empty()) {
            original.uvs.assign(original.positions.size(), {0.0f, 0.0f});
        }
        const std::vector<Triangle> before = Triangles(original);
        const double diagonal = Diagonal(original);
        std::set<std::pair<std::array<float, 3>, std::array<float, 2>>> originalCorners;
        for (std::size_t v = 0; v < original.positions.size(); ++v) {
            originalCorners.insert({original.positions[v], original.uvs[v]});
        }
        for (const int reduction : {2, 4}) {
            ImportedModel lighter = original;
            SimplifyModel(lighter, original.TriangleCount() / static_cast<std::size_t>(reduction));
            EXPECT_LE(lighter.TriangleCount(),
                      original.TriangleCount() / static_cast<std::size_t>(reduction));
            EXPECT_GT(lighter.TriangleCount(),
                      original.TriangleCount() / static_cast<std::size_t>(reduction) * 9 / 10);
            const std::vector<Triangle> after = Triangles(lighter);
            const double hausdorff = std::max(OneWay(before, after), OneWay(after, before));
            std::cout << file << " " << original.TriangleCount() << " -> "
                      << lighter.TriangleCount() << " triangles (" << reduction << "x): Hausdorff "
                      << hausdorff / diagonal * 100.0 << "% of the bounding box diagonal\n";
            if (reduction == 2) {
                EXPECT_LE(hausdorff, 0.01 * diagonal);
            }
            ASSERT_EQ(lighter.uvs.size(), lighter.positions.size());
            for (std::size_t v = 0; v < lighter.positions.size(); ++v) {
                EXPECT_TRUE(originalCorners.count({lighter.positions[v], lighter.uvs[v]}));
            }
        }
    }
}

// The editor's own mesh simplified in place keeps its texture vertices where they were.
TEST(MeshSimplify, AStoredMeshIsSimplifiedWithItsTextureVertices) {
    if (!HaveModels()) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    C3dShape shape;
    auto mesh = NewMesh();
    ASSERT_TRUE(ImportMesh(shape, *mesh, MODELS + "OBJ/spider.obj", nullptr));
    ImportedModel model = ModelOfMesh(*mesh);
    EXPECT_EQ(model.TriangleCount(), static_cast<std::size_t>(mesh->TriangleCount()));
    std::set<std::pair<float, float>> texels;
    for (int i = 0; i < mesh->texVertexCount; ++i) {
        texels.insert({mesh->texVertices[i].u, mesh->texVertices[i].v});
    }
    SimplifyModel(model, model.TriangleCount() / 3);
    EXPECT_LE(model.TriangleCount(), static_cast<std::size_t>(mesh->TriangleCount()) / 3);
    for (const auto& uv : model.uvs) {
        EXPECT_TRUE(texels.count({uv[0], uv[1]}));
    }
}

}  // namespace

namespace {

// A GLB carries its picture inside: the import hands its bytes on for the skin.
TEST(AssimpImport, AnEmbeddedPictureComesWithTheReport) {
    const std::string glb = MODELS + "glTF2/BoxTextured-glTF-Binary/BoxTextured.glb";
    if (!std::filesystem::exists(glb)) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    C3dShape shape;
    auto mesh = NewMesh();
    ImportReport report;
    const bytes::Result<std::string> imported =
        ImportMesh(shape, *mesh, glb, nullptr, nullptr, &report);
    ASSERT_TRUE(imported) << imported.Reason();
    ASSERT_GT(report.embeddedSkin.size(), 8u);
    EXPECT_EQ(report.embeddedSkin[1], 'P');  // "\x89PNG"
}

}  // namespace
