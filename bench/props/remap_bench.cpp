// The skin search at its worst: a model whose texture covers the whole skin, so every model
// scale is tried with every prop scale, upright and turned; and the rectangle search alone.
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/model/model_document.h"
#include "editor/props/free_rect.h"
#include "editor/props/skin_remap.h"
#include "editor/props/texel_scan.h"

using namespace ::editor::model;
using namespace ::editor::props;

namespace {

// A grid of small texture triangles covering the skin, as a detailed character skin would.
void FillModelSkin(MeshData& mesh, int cells) {
    const float step = 255.0f / cells;
    for (int row = 0; row < cells; ++row) {
        for (int column = 0; column < cells; ++column) {
            const float u = column * step, v = row * step;
            const int t = mesh.texVertexCount;
            mesh.texVertices[t] = {u, v, 0.0f};
            mesh.texVertices[t + 1] = {u + step, v, 0.0f};
            mesh.texVertices[t + 2] = {u, v + step, 0.0f};
            mesh.texVertexCount += 3;
            const int a = mesh.AddVertex(Vector(u, v, 0.0));
            const int b = mesh.AddVertex(Vector(u + 1, v, 0.0));
            const int c = mesh.AddVertex(Vector(u, v + 1, 0.0));
            mesh.AddTriangle(a, b, c, t, t + 1, t + 2);
        }
    }
}

void RemapWithFullModelSkin(benchmark::State& state) {
    auto document = std::make_unique<ModelDocument>();
    FillModelSkin(document->model.mesh, 26);  // 676 triangles
    document->mergedPropCount = 1;
    for (auto _ : state) {
        MergedProp entry;
        SetRegionFromBounds(document->model.mesh, entry.modelRegion);
        entry.propRegion.width = 200;
        entry.propRegion.height = 180;
        benchmark::DoNotOptimize(RemapSkins(*document, entry.modelRegion, entry.propRegion));
    }
}
BENCHMARK(RemapWithFullModelSkin)->Unit(benchmark::kMillisecond);

void FindFreeRectOnAHalfFullMap(benchmark::State& state) {
    TexelSet texels;
    for (int i = 0; i < 40; ++i) {
        const double u = (i * 37) % 256, v = (i * 91) % 256;
        FillTexelTriangle(texels, {u, v}, {u + 30, v}, {u, v + 30});
    }
    TexelRect found;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindFreeRect(texels, 60, 60, found));
    }
}
BENCHMARK(FindFreeRectOnAHalfFullMap)->Unit(benchmark::kMicrosecond);

}  // namespace
