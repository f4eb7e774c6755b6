// 100 undo steps on a document at capacity (2048 vertices, texture vertices and triangles, every
// triangle bound, all 37 bones holding coordinates, a generated model of the same size): the
// bytes the history keeps (counter "history_MB") and the time a step takes (snapshot, compare,
// record).
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/history/history.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/edit_history.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/scripted_ui.h"
#include "editor/skeleton/posing.h"
#include "scene/input/memory_settings_store.h"
#include "scene/scene.h"
#include "scene/shape.h"

using namespace ::editor::model;
using namespace ::editor::shell;
using namespace ::scene;

namespace {

constexpr int kSteps = 100;
constexpr int kColumns = 32;

// A wavy sheet of 2048 vertices and 2048 triangles, each triangle bound to one of the bones.
void FillAtCapacity(CMainFrame& frame) {
    ModelDocument& document = frame.Document();
    MeshData& mesh = document.model.mesh;
    mesh.Clear();
    for (int v = 0; v < MAX_MESH_ELEMENTS; ++v) {
        const int column = v % kColumns;
        const int row = v / kColumns;
        mesh.AddVertex(Vector(column, row, (column * row) % 7 * 0.1));
        mesh.texVertices[v] = TexVertex{static_cast<float>(column * 8), static_cast<float>(row)};
    }
    mesh.texVertexCount = MAX_MESH_ELEMENTS;
    for (int cell = 0; mesh.TriangleCount() < MAX_MESH_ELEMENTS; ++cell) {
        const int a = cell + cell / (kColumns - 1);
        const int corners[2][3] = {{a, a + 1, a + kColumns},
                                   {a + 1, a + kColumns + 1, a + kColumns}};
        for (const auto& t : corners) {
            if (mesh.TriangleCount() < MAX_MESH_ELEMENTS) {
                mesh.AddTriangle(t[0], t[1], t[2], t[0], t[1], t[2]);
            }
        }
    }
    document.model.RebuildShape();
    document.scene->AddChild(document.model.Shape());
    GeneratedPart& generated = document.generatedModel;
    generated.mesh.CopyGeometryFrom(mesh);
    generated.RebuildShape();
    document.scene->AddChild(generated.Shape());
    for (int t = 0; t < MAX_MESH_ELEMENTS; ++t) {
        document.bones[t % NUM_BONES].boundTriangles.SetBit(t);
    }
    for (int v = 0; v < MAX_MESH_ELEMENTS; ++v) {
        BonePart& bone = document.bones[v % NUM_BONES];
        bone.boundVertices.SetBit(v);
        bone.mesh.usedVertices.SetBit(v);
        bone.mesh.vertices[v] = mesh.vertices[v];
        bone.mesh.vertexCount = MAX_MESH_ELEMENTS;
    }
}

struct Editor {
    ScriptedUi ui;
    ::scene::input::MemorySettingsStore settings;
    CMainFrame frame{ui, settings, "/tmp/", "/dev/null"};

    Editor() {
        frame.SetWriteSettingsOnClose(false);
        frame.PreCreate();
        frame.Create();
        FillAtCapacity(frame);
        frame.History().Restart();
    }
};

// The steps people take most: joints dragged (the generated model follows), triangles bound,
// faces picked, the model moved.
void MixedStep(CMainFrame& frame, int i) {
    ModelDocument& document = frame.Document();
    switch (i % 4) {
        case 0: {
            C3dShape* joint = document.joints[1 + i % (NUM_JOINTS - 1)].Shape();
            const Vector at = joint->GetPosition(document.scene);
            joint->SetPosition(Vector(at.x + 0.5, at.y, at.z), document.scene);
            frame.Posing().Follow();
            break;
        }
        case 1:
            document.bones[(i + 1) % NUM_BONES].boundTriangles.SetBit(i);
            break;
        case 2:
            document.model.mesh.groupTable->temporaryGroup.SetBit(i);
            break;
        default: {
            C3dShape* model = document.model.Shape();
            const Vector at = model->GetPosition(document.scene);
            model->SetPosition(Vector(at.x, at.y + 1.0, at.z), document.scene);
            break;
        }
    }
}

// The worst: every step rewrites the whole model (as Flip X does).
void ModelStep(CMainFrame& frame, int) {
    frame.Document().model.FlipX();
    frame.Document().model.RebuildShape();
}

// Beyond any one command: every step rewrites the model, the generated model, every bone's
// coordinates and the joints' blend weights at once.
void EverythingStep(CMainFrame& frame, int i) {
    ModelDocument& document = frame.Document();
    ModelStep(frame, i);
    document.generatedModel.mesh.CopyGeometryFrom(document.model.mesh);
    document.generatedModel.RebuildShape();
    for (BonePart& bone : document.bones) {
        bone.mesh.usedVertices.ForEachSet([&](int v) { bone.mesh.vertices[v].x += 0.25f; });
    }
    for (VertexBlend& vertex : document.jointBlend.vertices) {
        vertex.count = 1;
        vertex.weights[0] = static_cast<float>(i) / kSteps;
    }
    document.bones[(i + 1) % NUM_BONES].boundTriangles.SetBit(i);
}

template <void (*Change)(CMainFrame&, int)>
void BM_HundredSteps(benchmark::State& state) {
    Editor editor;
    int i = 0;
    for (auto _ : state) {
        editor.frame.History().Step("step", [&] { Change(editor.frame, i); });
        ++i;
        if (i % kSteps == 0) {
            state.PauseTiming();
            state.counters["history_MB"] =
                static_cast<double>(editor.frame.History().Steps().Bytes()) / (1 << 20);
            state.counters["steps"] =
                static_cast<double>(editor.frame.History().Steps().StepCount());
            state.ResumeTiming();
        }
    }
}

BENCHMARK(BM_HundredSteps<MixedStep>)
    ->Name("HundredSteps/mixed")
    ->Iterations(kSteps)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HundredSteps<EverythingStep>)
    ->Name("HundredSteps/everything")
    ->Iterations(kSteps)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HundredSteps<ModelStep>)
    ->Name("HundredSteps/whole_model")
    ->Iterations(kSteps)
    ->Unit(benchmark::kMillisecond);

}  // namespace
