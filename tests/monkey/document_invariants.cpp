#include "tests/monkey/document_invariants.h"

#include <cmath>
#include <set>

#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/shape.h"

using namespace ::editor::model;

namespace {

bool Finite(const Vector& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool Finite(const PoseVec& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The highest set bit below the set's size, or -1.
int HighestSet(const BitSet& set) {
    int highest = -1;
    set.ForEachSet([&](int i) { highest = i; });
    return highest;
}

std::string CountsFault(const std::string& what, const MeshData& mesh) {
    auto outside = [](int count) { return count < 0 || count > MAX_MESH_ELEMENTS; };
    if (outside(mesh.vertexCount) || outside(mesh.faceCount) || outside(mesh.texVertexCount)) {
        return what + " counts out of capacity: " + std::to_string(mesh.vertexCount) +
               " vertices, " + std::to_string(mesh.faceCount) + " triangles, " +
               std::to_string(mesh.texVertexCount) + " texture vertices";
    }
    return {};
}

std::string FacesFault(const std::string& what, const MeshData& mesh) {
    for (int t = 0; t < mesh.faceCount; ++t) {
        const int32_t* record = mesh.faces + t * FACE_RECORD_WORDS;
        const int32_t* texRecord = mesh.texFaces + t * FACE_RECORD_WORDS;
        if (record[0] != 3) {
            return what + " triangle " + std::to_string(t) + " is no triangle record";
        }
        for (int corner = 1; corner <= 3; ++corner) {
            if (record[corner] < 0 || record[corner] >= mesh.vertexCount) {
                return what + " triangle " + std::to_string(t) + " names vertex " +
                       std::to_string(record[corner]) + " of " + std::to_string(mesh.vertexCount);
            }
            if (mesh.texVertexCount > 0 &&
                (texRecord[corner] < 0 || texRecord[corner] >= mesh.texVertexCount)) {
                return what + " triangle " + std::to_string(t) + " names texture vertex " +
                       std::to_string(texRecord[corner]) + " of " +
                       std::to_string(mesh.texVertexCount);
            }
        }
    }
    if (mesh.faces[mesh.faceCount * FACE_RECORD_WORDS] != 0) {
        return what + " face list does not end after its " + std::to_string(mesh.faceCount) +
               " triangles";
    }
    return {};
}

std::string NumbersFault(const std::string& what, const MeshPart& part) {
    const MeshData& mesh = part.mesh;
    for (int v = 0; v < mesh.vertexCount; ++v) {
        if (!Finite(mesh.vertices[v])) {
            return what + " vertex " + std::to_string(v) + " is not finite";
        }
    }
    for (int v = 0; v < mesh.texVertexCount; ++v) {
        const TexVertex& tex = mesh.texVertices[v];
        if (!std::isfinite(tex.u) || !std::isfinite(tex.v)) {
            return what + " texture vertex " + std::to_string(v) + " is not finite";
        }
    }
    if (!Finite(part.position) || !Finite(part.direction) || !Finite(part.up)) {
        return what + " placement is not finite";
    }
    return {};
}

std::string GroupsFault(const std::string& what, const MeshData& mesh) {
    const TriangleGroupTable* table = mesh.groupTable.get();
    if (table == nullptr) {
        return {};
    }
    if (table->GroupCount() < 0 || table->GroupCount() > MAX_TRIANGLE_GROUPS) {
        return what + " has " + std::to_string(table->GroupCount()) + " groups";
    }
    if (HighestSet(table->temporaryGroup) >= mesh.faceCount) {
        return what + " temporary group holds triangle " +
               std::to_string(HighestSet(table->temporaryGroup)) + " of " +
               std::to_string(mesh.faceCount);
    }
    std::set<std::string> names;
    for (int g = 0; g < table->GroupCount(); ++g) {
        const std::string& name = table->GroupName(g);
        // An empty name is one a person may give; two groups of one name are not.
        if (!names.insert(name).second) {
            return what + " group " + std::to_string(g) + " repeats the name '" + name + "'";
        }
        const TriangleSet* set = table->GroupSet(g);
        if (set != nullptr && HighestSet(*set) >= mesh.faceCount) {
            return what + " group '" + name + "' holds triangle " +
                   std::to_string(HighestSet(*set)) + " of " + std::to_string(mesh.faceCount);
        }
    }
    return {};
}

std::string MeshFault(const std::string& what, const MeshPart& part) {
    for (std::string fault : {CountsFault(what, part.mesh), FacesFault(what, part.mesh),
                              NumbersFault(what, part), GroupsFault(what, part.mesh)}) {
        if (!fault.empty()) {
            return fault;
        }
    }
    return {};
}

std::string SkeletonFault(const ModelDocument& document) {
    const MeshData& model = document.model.mesh;
    for (int b = 0; b < NUM_BONES; ++b) {
        const BonePart& bone = document.bones[b];
        const std::string name = std::string("bone '") + BoneTableName(b) + "'";
        if (HighestSet(bone.boundTriangles) >= model.faceCount) {
            return name + " is bound to triangle " +
                   std::to_string(HighestSet(bone.boundTriangles)) + " of " +
                   std::to_string(model.faceCount);
        }
        // Its bound vertices are generation's, numbered as the mesh it was made from was: they
        // outlive edits of the model until the next generation and are no invariant of it.
        if (!std::isfinite(bone.length)) {
            return name + " has no finite length";
        }
        if (std::string fault = CountsFault(name, bone.mesh); !fault.empty()) {
            return fault;
        }
    }
    for (int j = 0; j < NUM_JOINTS; ++j) {
        const JointPart& joint = document.joints[j];
        const std::string name = std::string("joint '") + JointTableName(j) + "'";
        if (!Finite(joint.position) || !Finite(joint.direction) || !Finite(joint.up)) {
            return name + " placement is not finite";
        }
        if (joint.Shape() != nullptr &&
            !Finite(::editor::skeleton::JointScenePosition(document, &joint))) {
            return name + " stands at no finite place in the scene";
        }
    }
    for (const PoseRecord* pose : {&document.defaultPose, &document.scratchPose}) {
        for (int b = 0; b < NUM_BONES; ++b) {
            const PoseAngles& angles = pose->angles[b];
            if (!Finite(pose->startPositions[b]) || !std::isfinite(angles.angleX) ||
                !std::isfinite(angles.angleY) || !std::isfinite(angles.angleZ)) {
                return std::string("a stored pose of bone '") + BoneTableName(b) +
                       "' is not finite";
            }
        }
    }
    return {};
}

}  // namespace

std::string BrokenInvariant(const ModelDocument& document) {
    if (document.mergedPropCount < 0 || document.mergedPropCount > MAX_MERGED_PROPS) {
        return "the model holds " + std::to_string(document.mergedPropCount) + " merged props";
    }
    const std::pair<const char*, const MeshPart*> parts[] = {
        {"the model's", &document.model},
        {"the prop's", &document.prop},
        {"the generated model's", &document.generatedModel},
        {"the dividing plane's", &document.dividingPlane},
    };
    for (const auto& [what, part] : parts) {
        if (std::string fault = MeshFault(what, *part); !fault.empty()) {
            return fault;
        }
    }
    // What is drawn is what a merge, a save or an export takes: the mesh behind a shape has
    // the shape's faces.
    for (const auto& [what, part] : {parts[0], parts[1]}) {
        const C3dShape* shape = part->Shape();
        if (shape != nullptr && shape->GetFaceCount() != part->mesh.faceCount) {
            return std::string(what) + " shape has " + std::to_string(shape->GetFaceCount()) +
                   " faces for its " + std::to_string(part->mesh.faceCount) + " triangles";
        }
    }
    return SkeletonFault(document);
}
