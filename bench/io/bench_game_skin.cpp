// The game's skin from Sydney's: quantising the 256 x 256 skin and its eight smaller levels to
// one 256-colour palette, and reading the written .m8 back as a picture.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "editor/io/game_skin.h"
#include "editor/io/image_file.h"
#include "editor/io/m8_codec.h"
#include "editor/io/skin_picture.h"
#include "scene/image.h"

using namespace ::editor::io;
using namespace ::scene;

namespace {

std::unique_ptr<C3dImage> SydneySkin() {
    return LoadSkinPicture(MARIONET_SAMPLES_DIR "/sydney/sydney.bmp", nullptr);
}

void BM_MakeGameSkin(benchmark::State& state) {
    const std::unique_ptr<C3dImage> skin = SydneySkin();
    for (auto _ : state) {
        M8Picture picture;
        benchmark::DoNotOptimize(MakeGameSkin(*skin, "models/player/elf/!skin.m8", picture));
    }
}
BENCHMARK(BM_MakeGameSkin)->Unit(benchmark::kMillisecond);

void BM_ReadM8(benchmark::State& state) {
    const std::unique_ptr<C3dImage> skin = SydneySkin();
    M8Picture picture;
    if (!MakeGameSkin(*skin, "models/player/elf/!skin.m8", picture)) {
        state.SkipWithError("no game skin");
        return;
    }
    const std::vector<uint8_t> bytes = EncodeM8(picture);
    for (auto _ : state) {
        C3dImage image;
        benchmark::DoNotOptimize(ReadM8(image, bytes));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadM8);

}  // namespace
