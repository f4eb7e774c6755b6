// The frames of an export: 1000 poses of a model of 2048 vertices and 2048 triangles, with
// the one-pass normals and grid lookup, and with the straightforward version.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/editor/export/frames_reference.h"

namespace {

constexpr int FRAMES = 1000;
constexpr int SEGMENTS = 1024;  // two rings: 2048 vertices, 2048 triangles

void ExportFrames(benchmark::State& state, bool reference) {
    auto document = std::make_unique<ModelDocument>();
    MakeBand(*document, SEGMENTS);
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("bench_export-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory);
    for (auto _ : state) {
        if (!WriteTurningFrames(*document, FRAMES, reference, (directory / "out.fm").string(),
                                (directory / "refskel.bin").string())) {
            state.SkipWithError("export failed");
        }
    }
    std::filesystem::remove_all(directory);
}

void BM_ExportFrames(benchmark::State& state) {
    ExportFrames(state, false);
}
void BM_ExportFramesReference(benchmark::State& state) {
    ExportFrames(state, true);
}

}  // namespace

BENCHMARK(BM_ExportFrames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFramesReference)->Unit(benchmark::kMillisecond)->Iterations(1);
