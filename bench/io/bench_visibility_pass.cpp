// The winding pass on a closed sphere of 2048 triangles, half of them wound inwards: the
// occluder grid against the plain pass that tests every sight line against every triangle.

#include <benchmark/benchmark.h>

#include <memory>

#include "editor/model/mesh_data.h"
#include "editor/model/visibility_pass.h"
#include "sample_meshes.h"
#include "winding_reference.h"

using namespace ::editor::model;

namespace {

std::unique_ptr<MeshData> ScrambledSphere() {
    auto mesh = std::make_unique<MeshData>();
    AddSphere(*mesh, 0, 0, 0, 40, 33, 32, 0.15, 1);
    ScrambleWinding(*mesh, 2);
    return mesh;
}

template <bool (*Pass)(MeshData&)>
void RunPass(benchmark::State& state) {
    const auto original = ScrambledSphere();
    auto mesh = std::make_unique<MeshData>();
    for (auto _ : state) {
        state.PauseTiming();
        mesh->CopyGeometryFrom(*original);
        state.ResumeTiming();
        benchmark::DoNotOptimize(Pass(*mesh));
    }
    state.counters["triangles"] = original->faceCount;
}

void BM_VisibilityPass(benchmark::State& state) {
    RunPass<OrientByVisibility>(state);
}
void BM_VisibilityPassPlain(benchmark::State& state) {
    RunPass<ReferenceOrientByVisibility>(state);
}

BENCHMARK(BM_VisibilityPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VisibilityPassPlain)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
