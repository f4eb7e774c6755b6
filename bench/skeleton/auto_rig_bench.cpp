// The two automatic rigging steps at the model's capacity of 2048 triangles: the skeleton fit
// on a standing box character (A-pose) padded with a box to the capacity, and binding every
// triangle of the test character around the start-up skeleton when only one triangle is bound,
// and freeing the limbs' seams when every triangle is bound to a limb bone.
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/groups/bind_unbound.h"
#include "editor/model/capacities.h"
#include "editor/model/mesh_data.h"
#include "editor/skeleton/skeleton_fit.h"
#include "tests/editor/groups/character_mesh.h"
#include "tests/editor/skeleton/humanoid_mesh.h"

namespace {

std::vector<Triangle3> CharacterAtCapacity() {
    std::vector<Triangle3> triangles = HumanoidTriangles({.armDrop = 45.0, .divisions = 4});
    // A shield held away from the body brings the count to the capacity.
    const std::vector<Triangle3> shield = BoxTriangles({-12, 20, 20}, {-11, 30, 40}, 8);
    triangles.insert(triangles.end(), shield.begin(),
                     shield.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(
                                          shield.size(), 2048 - triangles.size())));
    return triangles;
}

void BM_FitSkeletonToModel(benchmark::State& state) {
    const std::vector<Triangle3> triangles = CharacterAtCapacity();
    JointPositions current{};
    current[28] = {0, 0, 1};
    int fitted = 0;
    for (auto _ : state) {
        const SkeletonFit fit = FitSkeleton(triangles, current);
        fitted += fit.failure == SkeletonFitFailure::None ? 1 : 0;
        benchmark::DoNotOptimize(fit);
    }
    state.counters["triangles"] = static_cast<double>(triangles.size());
    state.counters["fitted"] = benchmark::Counter(fitted, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FitSkeletonToModel)->Unit(benchmark::kMillisecond);

void BM_BindUnboundTriangles(benchmark::State& state) {
    auto mesh = std::make_unique<MeshData>();
    const GuessSkeleton skeleton = StartUpSkeleton();
    AddCharacterMesh(*mesh, skeleton, 7);
    for (auto _ : state) {
        BoneBindings bindings;
        bindings[1].SetBit(0);
        const BindUnboundCounts counts = BindUnboundTriangles(*mesh, skeleton, bindings);
        benchmark::DoNotOptimize(counts);
    }
    state.counters["triangles"] = mesh->TriangleCount();
}
BENCHMARK(BM_BindUnboundTriangles)->Unit(benchmark::kMillisecond);

void BM_FreeLimbSeams(benchmark::State& state) {
    auto mesh = std::make_unique<MeshData>();
    const GuessSkeleton skeleton = StartUpSkeleton();
    AddCharacterMesh(*mesh, skeleton, 7);
    BoneBindings all;
    all[1].SetRange(0, mesh->TriangleCount());
    int freed = 0;
    for (auto _ : state) {
        BoneBindings bindings = all;
        freed = FreeLimbSeams(*mesh, skeleton, bindings);
        benchmark::DoNotOptimize(bindings);
    }
    state.counters["triangles"] = mesh->TriangleCount();
    state.counters["freed"] = freed;
}
BENCHMARK(BM_FreeLimbSeams)->Unit(benchmark::kMillisecond);

}  // namespace
