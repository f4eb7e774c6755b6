// Opening a 30,000-triangle textured model through assimp and simplifying it to fit a
// FlexModel: the whole road "Open..." takes after the user answers Yes.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "editor/io/assimp_import.h"
#include "tests/support/declining_prompts.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_group_table.h"

using namespace ::editor::io;
using namespace ::editor::model;

namespace {

constexpr int kRows = 122;
constexpr int kColumns = 123;  // 2 x 122 x 123 = 30,012 triangles

// A bumpy ball with its texture wrapped round it once (a seam where the columns meet), as
// ASCII PLY: positions and texture coordinates per vertex.
std::string WriteBall() {
    const std::string path =
        (std::filesystem::temp_directory_path() / "marionet-bench-ball.ply").string();
    std::ofstream out(path);
    const int vertices = (kRows + 1) * (kColumns + 1);
    out << "ply\nformat ascii 1.0\nelement vertex " << vertices
        << "\nproperty float x\nproperty float y\nproperty float z\nproperty float s\n"
           "property float t\nelement face "
        << 2 * kRows * kColumns << "\nproperty list uchar int vertex_indices\nend_header\n";
    for (int r = 0; r <= kRows; ++r) {
        for (int c = 0; c <= kColumns; ++c) {
            const double theta = 3.14159265358979 * (r + 0.5) / (kRows + 1);
            const double phi = 6.28318530717959 * c / kColumns;
            const double radius = 40.0 + 2.0 * std::sin(5 * theta) * std::cos(7 * phi);
            out << radius * std::sin(theta) * std::cos(phi) << " "
                << radius * std::sin(theta) * std::sin(phi) << " " << radius * std::cos(theta)
                << " " << static_cast<double>(c) / kColumns << " " << static_cast<double>(r) / kRows
                << "\n";
        }
    }
    auto at = [](int r, int c) { return r * (kColumns + 1) + c; };
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            out << "3 " << at(r, c) << " " << at(r + 1, c) << " " << at(r + 1, c + 1) << "\n";
            out << "3 " << at(r, c) << " " << at(r + 1, c + 1) << " " << at(r, c + 1) << "\n";
        }
    }
    return path;
}

class AlwaysYes : public DecliningPrompts {
  public:
    bool AskYesNo(const std::string&) override { return true; }
};

void BM_OpenAndSimplify30000Triangles(benchmark::State& state) {
    const std::string path = WriteBall();
    auto mesh = std::make_unique<MeshData>();
    mesh->groupTable = std::make_unique<TriangleGroupTable>();
    AlwaysYes yes;
    ImportReport report;
    for (auto _ : state) {
        std::string refusal;
        if (ImportThroughAssimp(*mesh, path, &yes, &report, &refusal) != 0) {
            state.SkipWithError(refusal.c_str());
            break;
        }
        benchmark::DoNotOptimize(mesh->faceCount);
    }
    state.counters["before"] = static_cast<double>(report.trianglesBefore);
    state.counters["after"] = static_cast<double>(report.trianglesAfter);
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenAndSimplify30000Triangles)->Unit(benchmark::kMillisecond);

}  // namespace
