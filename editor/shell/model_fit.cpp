#include "editor/shell/model_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "editor/model/model_document.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::scene;

namespace {

constexpr int kHipAnchor = 0;
constexpr int kLeftToes = 4;
constexpr int kRightToes = 8;
constexpr int kTopOfHead = 28;
constexpr double kLargestPercentage = 100000.0;

struct MeshBox {
    Vector min;
    Vector max;
};

std::optional<MeshBox> BoxOf(const MeshData& mesh) {
    const int count = std::clamp<int32_t>(mesh.vertexCount, 0, MAX_MESH_ELEMENTS);
    if (count == 0) {
        return std::nullopt;
    }
    MeshBox box{mesh.vertices[0], mesh.vertices[0]};
    for (int i = 1; i < count; ++i) {
        const Vector& v = mesh.vertices[i];
        box.min =
            Vector(std::min(box.min.x, v.x), std::min(box.min.y, v.y), std::min(box.min.z, v.z));
        box.max =
            Vector(std::max(box.max.x, v.x), std::max(box.max.y, v.y), std::max(box.max.z, v.z));
    }
    return box;
}

// The middle of the box's floor.
Vector BaseCentre(const MeshBox& box) {
    return Vector((box.min.x + box.max.x) / 2.0, (box.min.y + box.max.y) / 2.0, box.min.z);
}

std::optional<Vector> JointPosition(const ModelDocument& document, int joint) {
    const C3dShape* shape = document.joints[joint].Shape();
    if (shape == nullptr) {
        return std::nullopt;
    }
    return shape->GetPosition(document.scene);
}

}  // namespace

Vector UniformMove::Apply(const Vector& v) const {
    return Vector::Add(to, Vector::Scaled(Vector::Subtract(v, from), scale));
}

std::optional<SkeletonStance> StanceOf(const ModelDocument& document) {
    const auto left = JointPosition(document, kLeftToes);
    const auto right = JointPosition(document, kRightToes);
    const auto head = JointPosition(document, kTopOfHead);
    const auto hip = JointPosition(document, kHipAnchor);
    if (!left || !right || !head || !hip) {
        return std::nullopt;
    }
    return SkeletonStance{std::min(left->z, right->z), head->z, *hip};
}

std::optional<UniformMove> FitToStance(const MeshData& mesh, const SkeletonStance& stance) {
    const std::optional<MeshBox> box = BoxOf(mesh);
    const double height = box ? static_cast<double>(box->max.z) - box->min.z : 0.0;
    if (!box || !(height > 0.0) || !(stance.StandingHeight() > 0.0)) {
        return std::nullopt;
    }
    const Vector target(stance.hipAnchor.x, stance.hipAnchor.y, stance.toeHeight);
    return UniformMove{stance.StandingHeight() / height, BaseCentre(*box), target};
}

std::optional<UniformMove> ScaleAboutBase(const MeshData& mesh, double scale) {
    const std::optional<MeshBox> box = BoxOf(mesh);
    if (!box || !(scale > 0.0) || !std::isfinite(scale)) {
        return std::nullopt;
    }
    const Vector base = BaseCentre(*box);
    return UniformMove{scale, base, base};
}

void ApplyToMesh(MeshData& mesh, const UniformMove& move) {
    const int count = std::clamp<int32_t>(mesh.vertexCount, 0, MAX_MESH_ELEMENTS);
    for (int i = 0; i < count; ++i) {
        mesh.vertices[i] = move.Apply(mesh.vertices[i]);
    }
}

std::optional<double> ParsePercentage(const std::string& text) {
    const char* start = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start) {
        return std::nullopt;
    }
    while (*end == ' ' || *end == '\t') {
        ++end;
    }
    if (*end == '%') {
        ++end;
    }
    while (*end == ' ' || *end == '\t') {
        ++end;
    }
    if (*end != '\0' || !std::isfinite(value) || !(value > 0.0) || value > kLargestPercentage) {
        return std::nullopt;
    }
    return value / 100.0;
}

}  // namespace editor::shell
