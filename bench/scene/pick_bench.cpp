// Picking and hit tests on an editor-sized scene: a 2048-triangle model behind the 75
// skeleton shapes, seen through the front camera.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/view.h"

using namespace ::scene;

namespace {

// A grid of 32 x 32 squares (2048 triangles) in the x = 0 plane, 64 units wide.
void BuildModel(C3dShape& shape) {
    std::vector<Vector> vertices;
    for (int row = 0; row <= 32; ++row) {
        for (int column = 0; column <= 32; ++column) {
            vertices.push_back(Vector(0, column * 2.0 - 32, row * 2.0 - 32));
        }
    }
    std::vector<uint32_t> faces;
    for (uint32_t row = 0; row < 32; ++row) {
        for (uint32_t column = 0; column < 32; ++column) {
            uint32_t a = row * 33 + column, b = a + 1, c = a + 34, d = a + 33;
            faces.insert(faces.end(), {3, a, b, c, 3, a, c, d});
        }
    }
    faces.push_back(0);
    shape.CreateFromFaces(vertices.data(), int(vertices.size()), nullptr, 0, faces.data(),
                          faces.size());
}

struct EditorScene {
    EditorScene() {
        view.Create(640, 480);
        view.SetScene(&scene);
        scene.SetCameraPosition(Vector(-100, 0, 0));
        scene.SetCameraDirection(Vector(1, 0, 0), Vector(0, 0, 1));
        BuildModel(model);
        scene.AddChild(&model);
        for (int i = 0; i < 75; ++i) {
            auto part = std::make_unique<C3dShape>();
            if (i < 38) {
                part->CreateSphere(1.0, 8);
            } else {
                part->CreateTube(0.3, 0.3, 1.0, 8);
            }
            part->SetPosition(Vector(-10, (i % 10) * 5.0 - 25, (i / 10) * 6.0 - 20));
            scene.AddChild(part.get());
            skeleton.push_back(std::move(part));
        }
    }

    C3dScene scene;
    C3dView view;
    C3dShape model;
    std::vector<std::unique_ptr<C3dShape>> skeleton;
};

void BM_PickAll(benchmark::State& state) {
    EditorScene editor;
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(editor.view.PickAll(200 + x % 240, 120 + x % 240));
        ++x;
    }
}
BENCHMARK(BM_PickAll);

void BM_HitTestModel(benchmark::State& state) {
    EditorScene editor;
    const C3dViewport& viewport = *editor.view.GetViewport();
    int face = -1;
    Vector point;
    int x = 0;
    for (auto _ : state) {
        editor.model.HitTest(200 + x % 240, 120 + x % 240, viewport, &face, &point);
        benchmark::DoNotOptimize(face);
        ++x;
    }
}
BENCHMARK(BM_HitTestModel);

void BM_CreateFromFaces(benchmark::State& state) {
    for (auto _ : state) {
        C3dShape shape;
        BuildModel(shape);
        benchmark::DoNotOptimize(shape.GetFaceCount());
    }
}
BENCHMARK(BM_CreateFromFaces);

}  // namespace
