// Frames per second of the OpenGL view at 1024 x 768 with an editor-sized scene: one solid
// 2048-triangle shape (plain, wireframe, or with a 256 x 256 skin) and 75 small shapes, lit
// like the editor's scene. Run it on a display
// (xvfb-run -a build/platform/bench/bench_platform for Mesa's software renderer).
#include <benchmark/benchmark.h>
#include <QGuiApplication>
#include <QSurfaceFormat>
#include <memory>
#include <vector>

#include "platform/offscreen_renderer.h"
#include "scene/image.h"
#include "scene/light.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/view.h"

using namespace ::platform;
using namespace ::scene;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// A 32 x 32 grid of quads bent into a half cylinder, as two triangles each: 2048 triangles.
void BuildBigShape(C3dShape& shape) {
    constexpr int kCells = 32;
    std::vector<Vector> vertices;
    for (int row = 0; row <= kCells; ++row) {
        for (int column = 0; column <= kCells; ++column) {
            const double angle = 3.14159265 * column / kCells;
            vertices.emplace_back(-3.0 * std::cos(angle), -3.0 + 6.0 * row / kCells,
                                  -3.0 * std::sin(angle));
        }
    }
    std::vector<uint32_t> faces;
    for (int row = 0; row < kCells; ++row) {
        for (int column = 0; column < kCells; ++column) {
            const uint32_t a = row * (kCells + 1) + column;
            const uint32_t b = a + kCells + 1;
            faces.insert(faces.end(), {3, a, b, b + 1, 3, a, b + 1, a + 1});
        }
    }
    faces.push_back(0);
    shape.CreateFromFaces(vertices.data(), static_cast<int>(vertices.size()), nullptr, 0,
                          faces.data(), faces.size());
}

// A 256 x 256 skin of coloured squares, laid over the grid as a model's skin is.
void LaySkin(C3dShape& shape, C3dImage& skin) {
    constexpr int kSide = 256;
    const int pitch = C3dImage::PitchFor(kSide, 24);
    std::vector<uint8_t> rows(static_cast<size_t>(pitch) * kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            uint8_t* pixel = rows.data() + static_cast<size_t>(y) * pitch + 3 * x;
            const bool light = ((x / 16) + (y / 16)) % 2 == 0;
            pixel[0] = light ? 220 : 40;
            pixel[1] = static_cast<uint8_t>(x);
            pixel[2] = static_cast<uint8_t>(y);
        }
    }
    BitmapInfoHeader header;
    header.width = kSide;
    header.height = kSide;
    skin.Create(header, nullptr, rows.data());
    std::vector<C3dTexCoord> coords;
    const C3dMesh& mesh = shape.Mesh();
    for (int face = 0; face < mesh.GetFaceCount(); ++face) {
        for (int vertex : mesh.FaceVertices(face)) {
            const Vector& p = mesh.Vertices()[vertex];
            coords.push_back({static_cast<float>((p.x + 3.0) / 6.0),
                              static_cast<float>((p.y + 3.0) / 6.0)});
        }
    }
    shape.Mesh().SetSkin(&skin, std::move(coords));
}

struct BenchScene {
    C3dScene scene;
    C3dView view;
    C3dShape big;
    C3dImage skin;
    std::vector<std::unique_ptr<C3dShape>> small;

    BenchScene() {
        scene.Create();
        view.Create(kWidth, kHeight);
        view.SetScene(&scene);
        auto* light = new C3dDirLight();
        light->SetColor(0.8, 0.8, 0.8);
        scene.AddLight(light);
        light->SetOrientation(Vector(1.0, -1.0, 1.0), Vector(0.0, 1.0, 0.0));
        scene.GetAmbientLight().SetColor(0.4, 0.4, 0.4);
        BuildBigShape(big);
        big.SetPosition(0.0, 0.0, 2.0);
        scene.AddChild(&big);
        for (int i = 0; i < 75; ++i) {
            auto shape = std::make_unique<C3dShape>();
            shape->CreateSphere(0.15, 8);
            shape->SetPosition(-3.0 + 0.4 * (i % 15), -2.0 + 0.8 * (i / 15), -1.0);
            shape->SetColor(1.0, 1.0, 1.0);
            scene.AddChild(shape.get());
            small.push_back(std::move(shape));
        }
    }
};

void BM_RenderEditorScene(benchmark::State& state) {
    OffscreenRenderer renderer;
    if (!renderer.Create(kWidth, kHeight)) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    BenchScene scene;
    scene.big.SetQuality(state.range(0) ? C3D_QUALITY_WIREFRAME : C3D_QUALITY_SOLID);
    if (state.range(1) != 0) {
        LaySkin(scene.big, scene.skin);
    }
    for (auto _ : state) {
        scene.view.Update(1.0);  // advances spins, as each idle step does
        renderer.Draw(*scene.view.GetStage());
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["triangles"] = scene.big.GetFaceCount();
}
BENCHMARK(BM_RenderEditorScene)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->ArgNames({"wireframe", "skin"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
