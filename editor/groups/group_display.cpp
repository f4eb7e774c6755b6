#include "editor/groups/group_display.h"

#include "editor/model/face_colours.h"
#include "editor/model/mesh_part.h"
#include "editor/model/triangle_group_table.h"
#include "scene/shape.h"

namespace editor::groups {

using namespace ::editor::model;
using namespace ::scene;

namespace {

void ColourRuns(C3dShape& shape, const TriangleSet& set, FaceColour colour) {
    set.ForEachRun([&](int first, int count) { ColourFaces(shape, first, count, colour); },
                   shape.GetFaceCount());
}

}  // namespace

void HighlightTriangles(MeshPart& part, const TriangleSet& set) {
    if (part.Shape() == nullptr || part.visible == 0) {
        return;
    }
    ColourRuns(*part.Shape(), set, FaceColour::Blue);
}

void UnhighlightTriangles(MeshPart& part, const TriangleSet& set) {
    if (part.Shape() == nullptr) {
        return;
    }
    ColourRuns(*part.Shape(), set, part.visible != 0 ? FaceColour::White : FaceColour::Black);
}

void ShowTemporaryGroup(MeshPart& model, const TriangleSet& set) {
    TriangleGroupTable* table = model.mesh.groupTable.get();
    if (table != nullptr && &table->temporaryGroup != &set) {
        table->temporaryGroup = set;
    }
    model.Show(model.visible);
    HighlightTriangles(model, set);
}

}  // namespace editor::groups
