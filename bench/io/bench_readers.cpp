// Reading a capacity-sized OBJ file (2048 triangles with texture vertices and normals) from
// memory into a raw mesh, and the whole import of it into a mesh with the winding pass.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "editor/io/mesh_readers.h"
#include "editor/io/obj_parser.h"
#include "editor/model/mesh_data.h"

using namespace ::editor::io;
using namespace ::editor::model;

namespace {

std::string SphereObj() {
    const int bands = 33, sectors = 32;
    std::string text = "v 0 0 40\n";
    for (int b = 1; b < bands; ++b) {
        for (int s = 0; s < sectors; ++s) {
            const double theta = 3.14159265358979 * b / bands, phi = 6.28318530717959 * s / sectors;
            text += "v " + std::to_string(40 * std::sin(theta) * std::cos(phi)) + " " +
                    std::to_string(40 * std::sin(theta) * std::sin(phi)) + " " +
                    std::to_string(40 * std::cos(theta)) + "\n";
            text += "vt " + std::to_string(s / 32.0) + " " + std::to_string(b / 33.0) + "\n";
        }
    }
    text += "v 0 0 -40\ng body\n";
    auto at = [&](int b, int s) { return 2 + (b - 1) * sectors + s % sectors; };
    auto face = [&](int a, int b, int c) {
        text += "f " + std::to_string(a) + "/1 " + std::to_string(b) + "/2 " + std::to_string(c) +
                "/3\n";
    };
    for (int s = 0; s < sectors; ++s) {
        face(1, at(1, s + 1), at(1, s));
        face(bands * sectors - sectors + 2, at(bands - 1, s), at(bands - 1, s + 1));
        for (int b = 1; b + 1 < bands; ++b) {
            face(at(b, s), at(b, s + 1), at(b + 1, s + 1));
            face(at(b, s), at(b + 1, s + 1), at(b + 1, s));
        }
    }
    return text;
}

void BM_ParseObj(benchmark::State& state) {
    const std::string text = SphereObj();
    for (auto _ : state) {
        RawMesh raw;
        benchmark::DoNotOptimize(
            ParseObj({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, raw));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_ReadObjWithWindingPass(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "marionet-bench-sphere.obj").string();
    std::ofstream(path) << SphereObj();
    auto mesh = std::make_unique<MeshData>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadObj(*mesh, path));
    }
    state.counters["triangles"] = mesh->faceCount;
    std::remove(path.c_str());
}

BENCHMARK(BM_ParseObj)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadObjWithWindingPass)->Unit(benchmark::kMillisecond);

}  // namespace
