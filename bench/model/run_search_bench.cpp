// Run searches over the skin's texel map, as the search for a free rectangle does them: one
// search for w clear texels per row position, over a map that is half taken.
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/model/fixed_bit_sets.h"

using namespace ::editor::model;

namespace {

constexpr int SKIN_SIDE = 256;

// The left half of every row is taken, plus scattered specks on the right.
std::unique_ptr<TexelSet> HalfTakenSkin() {
    auto texels = std::make_unique<TexelSet>();
    for (int row = 0; row < SKIN_SIDE; ++row) {
        texels->SetRange(row * SKIN_SIDE, SKIN_SIDE / 2);
        texels->SetBit(row * SKIN_SIDE + 130 + row % 100);
    }
    return texels;
}

void BM_ClearRunsInEveryRow(benchmark::State& state) {
    const auto texels = HalfTakenSkin();
    const int width = static_cast<int>(state.range(0));
    for (auto _ : state) {
        int found = 0;
        for (int row = 0; row < SKIN_SIDE; ++row) {
            for (int column = 0; column < SKIN_SIDE - width; ++column) {
                const int rowStart = row * SKIN_SIDE;
                found +=
                    texels->FindClearRun(rowStart + column, rowStart + SKIN_SIDE - 1, width) != -1;
            }
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_ClearRunsInEveryRow)->Arg(4)->Arg(40);

void BM_IterateSetBits(benchmark::State& state) {
    const auto texels = HalfTakenSkin();
    for (auto _ : state) {
        int count = 0;
        texels->ForEachSet([&count](int) { ++count; });
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_IterateSetBits);

}  // namespace
