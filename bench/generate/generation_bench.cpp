// "Make Poseable" on a fully bound 2048-triangle character standing in the start-up skeleton,
// and the vertex assignment (checks, seams, ownership) on it and on a grid with seams
// everywhere, against the reference that walks every edge of every bone pair.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "editor/generate/body_parts.h"
#include "editor/generate/mesh_deformation.h"
#include "editor/groups/model_bindings.h"
#include "editor/model/model_document.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "tests/editor/generate/bound_meshes.h"
#include "tests/editor/generate/ownership_reference.h"
#include "tests/editor/groups/character_mesh.h"

using namespace ::editor::generate;
using namespace ::editor::groups;
using namespace ::editor::skeleton;

namespace {

enum MeshKind { TUBE_CHARACTER = 0, SEAM_GRID = 1 };

// A started document holding the bound mesh.
struct Bound {
    explicit Bound(MeshKind kind) {
        scene.Create();
        document->SetScene(&scene);
        BuildSkeleton(posing);
        LinkSkeleton(*document, scene);
        posing.Apply(document->defaultPose);
        auto mesh = std::make_unique<MeshData>();
        BoundTriangles bound;
        if (kind == TUBE_CHARACTER) {
            AddCharacterMesh(*mesh, SkeletonForGuess(*document), 7);
            BindCharacterTubes(*mesh, bound);
        } else {
            AddPatchGrid(*mesh, bound, 1, 0, 0);
        }
        InstallModel(*document, *mesh, bound);
    }
    ~Bound() {
        UnlinkSkeleton(*document);
        scene.RemoveAllChildren();
    }
    C3dScene scene;
    std::unique_ptr<ModelDocument> document = std::make_unique<ModelDocument>();
    MeshDeformation deformation;
    LocalCoordinateStore store;
    Posing posing{*document, deformation};
};

void CountLines(benchmark::State& state, int lines) {
    state.counters["status_lines"] = benchmark::Counter(lines, benchmark::Counter::kAvgIterations);
}

void BM_GenerateBodyParts(benchmark::State& state) {
    Bound bound(TUBE_CHARACTER);
    int lines = 0;
    int result = 0;
    for (auto _ : state) {
        TriangleSet highlight;
        result = GenerateBodyParts(bound.posing, bound.store, highlight,
                                   [&lines](const std::string&) { ++lines; });
    }
    if (result != GENERATION_DONE) {
        state.SkipWithError("generation failed");
    }
    CountLines(state, lines);
}
BENCHMARK(BM_GenerateBodyParts)->Unit(benchmark::kMillisecond);

void BM_AssignBoneVertices(benchmark::State& state) {
    Bound bound(static_cast<MeshKind>(state.range(0)));
    int lines = 0;
    for (auto _ : state) {
        TriangleSet highlight;
        benchmark::DoNotOptimize(AssignBoneVertices(*bound.document, highlight,
                                                    [&lines](const std::string&) { ++lines; }));
    }
    CountLines(state, lines);
}
BENCHMARK(BM_AssignBoneVertices)
    ->Arg(TUBE_CHARACTER)
    ->Arg(SEAM_GRID)
    ->Unit(benchmark::kMillisecond);

void BM_AssignBoneVerticesReference(benchmark::State& state) {
    Bound bound(static_cast<MeshKind>(state.range(0)));
    for (auto _ : state) {
        ReferenceOwnership reference;
        AssignBoneVerticesReference(*bound.document, reference);
        benchmark::DoNotOptimize(reference.result);
    }
}
BENCHMARK(BM_AssignBoneVerticesReference)
    ->Arg(TUBE_CHARACTER)
    ->Arg(SEAM_GRID)
    ->Unit(benchmark::kMillisecond);

}  // namespace
