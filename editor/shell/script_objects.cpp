#include "editor/shell/script_objects.h"

#include <cmath>
#include <cstdio>
#include <span>

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/text_util.h"
#include "editor/skeleton/dividing_plane.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

// Runs this long or longer print as "first-last".
constexpr int SHORTEST_RANGE = 3;

MeshPart* ScriptPart(ModelDocument& document, std::string_view name) {
    if (const int j = ScriptJointIndex(name); j >= 0) {
        return &document.joints[j];
    }
    if (const int b = ScriptBoneIndex(name); b >= 0) {
        return &document.bones[b];
    }
    if (EqualsIgnoreCase(name, SCRIPT_MODEL_NAME)) {
        return &document.model;
    }
    if (EqualsIgnoreCase(name, SCRIPT_PROP_NAME)) {
        return &document.prop;
    }
    if (EqualsIgnoreCase(name, DIVIDING_PLANE_NAME)) {
        return &document.dividingPlane;
    }
    return nullptr;
}

}  // namespace

C3dShape* ScriptObjectShape(CMainFrame& frame, std::string_view name) {
    MeshPart* part = ScriptPart(frame.Document(), name);
    return part != nullptr ? part->Shape() : nullptr;
}

bool ScriptObjectSelectable(CMainFrame& frame, const C3dShape& shape) {
    ModelDocument& document = frame.Document();
    const MeshPart* part = nullptr;
    if (const JointPart* joint = document.JointByShape(&shape)) {
        part = joint;
    } else if (const BonePart* bone = document.BoneByShape(&shape)) {
        part = bone;
    } else {
        for (const MeshPart* each : {&document.model, &document.prop, &document.dividingPlane}) {
            if (each->Shape() == &shape) {
                part = each;
            }
        }
    }
    return part == nullptr || part->visible != 0;
}

std::optional<Vector> FaceCentre(const C3dShape& shape, int face) {
    const std::span<const int> corners = shape.Mesh().FaceVertices(face);
    if (corners.empty()) {
        return std::nullopt;
    }
    const std::vector<Vector>& vertices = shape.Mesh().Vertices();
    double sum[3] = {0.0, 0.0, 0.0};
    for (int corner : corners) {
        sum[0] += vertices[corner].x;
        sum[1] += vertices[corner].y;
        sum[2] += vertices[corner].z;
    }
    const double n = static_cast<double>(corners.size());
    return Vector(sum[0] / n, sum[1] / n, sum[2] / n);
}

std::string DescribeTriangles(const TriangleSet& set) {
    std::string text = std::to_string(set.Count()) + " triangles:";
    set.ForEachRun([&text](int first, int count) {
        if (count >= SHORTEST_RANGE) {
            text += " " + std::to_string(first) + "-" + std::to_string(first + count - 1);
            return;
        }
        for (int t = first; t < first + count; ++t) {
            text += " " + std::to_string(t);
        }
    });
    return text;
}

std::vector<std::string> ShowGroups(CMainFrame& frame) {
    const TriangleGroupTable* table = frame.Document().model.mesh.groupTable.get();
    const int count = table != nullptr ? table->GroupCount() : 0;
    std::vector<std::string> lines{"groups: " + std::to_string(count)};
    for (int g = 0; g < count; ++g) {
        lines.push_back("group " + table->GroupName(g) + ": " +
                        DescribeTriangles(*table->GroupSet(g)));
    }
    return lines;
}

std::vector<std::string> ShowTemporary(CMainFrame& frame) {
    const TriangleGroupTable* table = frame.Document().model.mesh.groupTable.get();
    return {"temporary: " +
            DescribeTriangles(table != nullptr ? table->temporaryGroup : TriangleSet())};
}

std::vector<std::string> ShowBone(CMainFrame& frame, int bone) {
    return {"bone " + std::string(BoneTableName(bone)) + ": " +
            DescribeTriangles(frame.Document().bones[bone].boundTriangles)};
}

std::vector<std::string> ShowSelection(CMainFrame& frame) {
    std::string line = "selection: ";
    const C3dShape* selected = frame.Selection().Shape();
    line += selected != nullptr ? selected->GetName() : std::string("none");
    if (selected != nullptr && frame.Selection().HitFace() >= 0) {
        char hit[96];
        std::snprintf(hit, sizeof hit, "; face %d @ %3.1f,%3.1f,%3.1f", frame.Selection().HitFace(),
                      frame.Selection().HitPoint().x, frame.Selection().HitPoint().y,
                      frame.Selection().HitPoint().z);
        line += hit;
    }
    line += "; current bone: ";
    line += frame.Selection().Bone() >= 0 && frame.Selection().Bone() < NUM_BONES
                ? BoneTableName(frame.Selection().Bone())
                : "none";
    return {line};
}

std::vector<std::string> ShowJoints(CMainFrame& frame) {
    ModelDocument& document = frame.Document();
    std::vector<std::string> lines;
    for (int j = 0; j < NUM_JOINTS; ++j) {
        const Vector at = JointScenePosition(document, &document.joints[j]);
        // A coordinate that prints as 0.00 prints without a sign.
        auto shown = [](double v) { return std::fabs(v) < 0.005 ? 0.0 : v; };
        char text[160];
        std::snprintf(text, sizeof text, "joint %s: %.2f %.2f %.2f", JointTableName(j), shown(at.x),
                      shown(at.y), shown(at.z));
        lines.emplace_back(text);
    }
    return lines;
}

}  // namespace editor::shell
