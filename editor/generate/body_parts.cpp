#include "editor/generate/body_parts.h"

#include "editor/generate/joint_weights.h"
#include "editor/generate/local_coordinates.h"
#include "editor/model/model_document.h"
#include "editor/model/read_back_geometry.h"
#include "editor/skeleton/posing.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::generate {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

bool HasCorner(int a, int b, int c, int v) {
    return a == v || b == v || c == v;
}

}  // namespace

const char* GenerationFailureMessage(int result) {
    switch (result) {
        case GENERATION_NO_MESH:
            return "Generation failed - No mesh to generate parts from.";
        case GENERATION_SHARED_TRIANGLES:
            return "Generation failed - The highlighted triangles are assigned to more than one "
                   "bone.";
        case GENERATION_UNASSIGNED_TRIANGLES:
            return "Generation failed - The highlighted triangles are not assigned to any bone.";
        case GENERATION_UNOWNED_VERTICES:
            return "Generation failed - The vertex common to the highlighted triangles is not "
                   "assigned to any bone.";
        default:
            return "Generation failed - Reason unknown!";
    }
}

int BoneHasTriangleAt(const ModelDocument& document, int bone, int va, int vb) {
    if (bone < 0 || bone >= NUM_BONES) {
        return -1;
    }
    const MeshData& mesh = document.model.mesh;
    const TriangleSet& bound = document.bones[bone].boundTriangles;
    const int triangles = mesh.TriangleCount();
    int a = 0;
    int b = 0;
    int c = 0;
    int found = -1;
    bound.ForEachSet(
        [&](int t) {
            if (found < 0 && mesh.GetTriangle(t, a, b, c) && HasCorner(a, b, c, va) &&
                HasCorner(a, b, c, vb)) {
                found = t;
            }
        },
        triangles);
    return found;
}

bool AnyBoneBound(const ModelDocument& document) {
    for (const BonePart& bone : document.bones) {
        if (bone.boundTriangles.Any()) {
            return true;
        }
    }
    return false;
}

int GenerateBodyParts(Posing& posing, const LocalCoordinateStore& store, TriangleSet& highlight,
                      const GenerationStatus& status) {
    ModelDocument& document = posing.Document();
    const int result = AssignBoneVertices(document, highlight, status);
    if (result != GENERATION_DONE) {
        return result;
    }
    MeshPart& model = document.model;
    // Moves and turns given to the model in the scene become part of its vertices; a shape that
    // does not fit leaves the mesh as it was.
    ReadBackGeometry(*model.Shape(), model.mesh, document.scene, false);
    if (status) {
        status("Rotating body parts to default position...");
    }
    store.StoreEveryBone(document);
    ComputeJointWeights(document);
    posing.Follow();
    if (status) {
        status("Part generation completed (View Generated Model).");
    }
    return GENERATION_DONE;
}

}  // namespace editor::generate
