// Guess Bindings on a 2048-triangle character around the start-up skeleton with every mesh node
// active: the indexed guess against the reference that tests every ray against every triangle.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "editor/model/mesh_data.h"
#include "tests/editor/groups/character_mesh.h"
#include "tests/editor/groups/guess_reference.h"

namespace {

struct Character {
    Character() : mesh(std::make_unique<MeshData>()), skeleton(StartUpSkeleton()) {
        AddCharacterMesh(*mesh, skeleton, 7);
        all = AllTriangles(*mesh);
    }
    std::unique_ptr<MeshData> mesh;
    GuessSkeleton skeleton;
    TriangleSet all;
};

const Character& TheCharacter() {
    static const Character character;
    return character;
}

void BM_GuessBindings(benchmark::State& state) {
    const Character& character = TheCharacter();
    int statusLines = 0;
    for (auto _ : state) {
        BoneBindings bindings;
        GuessBindings(*character.mesh, character.skeleton, character.all, bindings,
                      [&statusLines](int) { ++statusLines; });
        benchmark::DoNotOptimize(bindings);
    }
    state.counters["triangles"] = character.mesh->TriangleCount();
    state.counters["status_lines"] =
        benchmark::Counter(statusLines, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GuessBindings)->Unit(benchmark::kMillisecond);

void BM_GuessBindingsReference(benchmark::State& state) {
    const Character& character = TheCharacter();
    for (auto _ : state) {
        BoneBindings bindings;
        std::vector<int> status;
        GuessBindingsReference(*character.mesh, character.skeleton, character.all, bindings,
                               status);
        benchmark::DoNotOptimize(bindings);
    }
}
BENCHMARK(BM_GuessBindingsReference)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
