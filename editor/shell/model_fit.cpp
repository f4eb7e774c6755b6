#include "editor/shell/model_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "editor/model/mesh_data.h"
#include "editor/model/model_document.h"
#include "editor/skeleton/skeleton_fit.h"
#include "editor/skeleton/surface_samples.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

constexpr double kLargestPercentage = 100000.0;
// The share of the height by which bounds and body must differ for the body to place the model.
constexpr double kBodyOffBounds = 0.05;

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

// Wings, a tall hat or a raised weapon put the bounds' top or middle clearly off the body's;
// otherwise the bounds place the model (fits already made on a model placed so stay true).
bool BodyOffBounds(const BodyMeasure& body, const MeshBox& box) {
    const double height = body.headTop - body.floor;
    const double off = std::hypot(body.middleX - (box.min.x + box.max.x) / 2.0,
                                  body.middleY - (box.min.y + box.max.y) / 2.0);
    return box.max.z - body.headTop > kBodyOffBounds * height || off > kBodyOffBounds * height;
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

// Enough surface points to tell where the feet point.
constexpr int kTurnSamples = 6000;
// A model whose extent along Z is below this share of the next smallest extent lies down.
constexpr double kLyingShare = 0.6;
// Two extents closer than this share are too alike to tell which way is up.
constexpr double kSameExtent = 0.15;
// The feet must stand this share of the height in front of the shins to tell the front.
constexpr double kClearFeet = 0.02;

std::vector<Triangle3> TrianglesOf(const MeshData& mesh, const ModelTurn& turn) {
    std::vector<Triangle3> triangles;
    int a = 0;
    int b = 0;
    int c = 0;
    for (int t = 0; mesh.GetTriangle(t, a, b, c); ++t) {
        triangles.push_back({ToPoint(turn.Apply(mesh.vertices[a])),
                             ToPoint(turn.Apply(mesh.vertices[b])),
                             ToPoint(turn.Apply(mesh.vertices[c]))});
    }
    return triangles;
}

double Coordinate(const Point3& p, int axis) {
    return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
}

struct Extent {
    double low[3] = {1e300, 1e300, 1e300};
    double high[3] = {-1e300, -1e300, -1e300};
    double Size(int axis) const { return high[axis] - low[axis]; }
};

Extent ExtentOf(const std::vector<Point3>& points) {
    Extent e;
    for (const Point3& p : points) {
        for (int axis = 0; axis < 3; ++axis) {
            e.low[axis] = std::min(e.low[axis], Coordinate(p, axis));
            e.high[axis] = std::max(e.high[axis], Coordinate(p, axis));
        }
    }
    return e;
}

// The turn that brings `axis` (signed) to +Z, keeping the other horizontal axis.
ModelTurn StandUp(int axis, int sign) {
    ModelTurn turn;
    const char* names[] = {"X", "Y"};
    turn.description = std::string("Stood the model up: its ") + (sign > 0 ? "+" : "-") +
                       names[axis] + " axis pointed up.";
    turn.axis[2] = axis;
    turn.sign[2] = sign;
    // The old Z takes the place of the old up axis, turned so the result stays a rotation.
    turn.axis[axis] = 2;
    turn.sign[axis] = -sign;
    return turn;
}

// How far the surface's centre lies from the middle of the extent along an axis, as a share of
// the extent: a humanoid is symmetric across, not from head to feet.
double Lopsidedness(const std::vector<Point3>& points, const Extent& e, int axis) {
    double sum = 0.0;
    for (const Point3& p : points) {
        sum += Coordinate(p, axis);
    }
    const double middle = (e.low[axis] + e.high[axis]) / 2.0;
    return (sum / static_cast<double>(points.size()) - middle) / e.Size(axis);
}

// Lying models: the axis it is longest along is up; when the other is about as long (arms
// spread), the lopsided one (head to feet) is. The end with more surface (head, trunk and arms
// outweigh the legs) is the top.
ModelTurn StandUpTurn(const std::vector<Point3>& points) {
    const Extent e = ExtentOf(points);
    const double second = std::min(e.Size(0), e.Size(1));
    if (!(e.Size(2) < kLyingShare * second)) {
        return ModelTurn{};
    }
    const double x = Lopsidedness(points, e, 0);
    const double y = Lopsidedness(points, e, 1);
    int up = e.Size(0) > e.Size(1) ? 0 : 1;
    if (std::max(e.Size(0), e.Size(1)) < (1.0 + kSameExtent) * second) {
        up = std::fabs(x) > std::fabs(y) ? 0 : 1;
    }
    return StandUp(up, (up == 0 ? x : y) >= 0.0 ? 1 : -1);
}

double MeanAlong(const std::vector<Point3>& points, int axis, double low, double high) {
    double sum = 0.0;
    int count = 0;
    for (const Point3& p : points) {
        if (p.z >= low && p.z <= high) {
            sum += Coordinate(p, axis);
            ++count;
        }
    }
    return count > 0 ? sum / count : 0.0;
}

// Standing models face where their feet point: along the shallower horizontal axis, the feet
// on the floor reach farther forward than the shins above them.
ModelTurn FaceTurn(const std::vector<Point3>& points) {
    const Extent e = ExtentOf(points);
    const double height = e.Size(2);
    const int depth = e.Size(0) <= e.Size(1) ? 0 : 1;
    const double floor = e.low[2];
    const double feet = MeanAlong(points, depth, floor, floor + 0.04 * height);
    const double shins = MeanAlong(points, depth, floor + 0.1 * height, floor + 0.2 * height);
    if (std::fabs(feet - shins) < kClearFeet * height) {
        return ModelTurn{};
    }
    const bool towardPlus = feet > shins;
    ModelTurn turn;
    if (depth == 0 && !towardPlus) {
        return turn;  // facing -X already
    }
    if (depth == 0) {
        turn.sign[0] = turn.sign[1] = -1;
        turn.description = "Turned the model 180 degrees about Z to face the skeleton's way.";
        return turn;
    }
    // Facing +Y: new x = -old y, new y = old x; facing -Y the other way round.
    turn.axis[0] = 1;
    turn.axis[1] = 0;
    turn.sign[0] = towardPlus ? -1 : 1;
    turn.sign[1] = towardPlus ? 1 : -1;
    turn.description = "Turned the model 90 degrees about Z to face the skeleton's way.";
    return turn;
}

}  // namespace

Vector ModelTurn::Apply(const Vector& v) const {
    const double in[3] = {v.x, v.y, v.z};
    return Vector(sign[0] * in[axis[0]], sign[1] * in[axis[1]], sign[2] * in[axis[2]]);
}

ModelTurn ModelTurn::After(const ModelTurn& first) const {
    ModelTurn both;
    for (int i = 0; i < 3; ++i) {
        both.axis[i] = first.axis[axis[i]];
        both.sign[i] = sign[i] * first.sign[axis[i]];
    }
    both.description = first.description;
    if (!description.empty()) {
        both.description += (both.description.empty() ? "" : " ") + description;
    }
    return both;
}

ModelTurn UprightTurn(const MeshData& mesh) {
    const ModelTurn stand = StandUpTurn(SampleSurface(TrianglesOf(mesh, {}), kTurnSamples));
    const std::vector<Point3> standing = SampleSurface(TrianglesOf(mesh, stand), kTurnSamples);
    if (standing.empty()) {
        return ModelTurn{};
    }
    return FaceTurn(standing).After(stand);
}

Vector UniformMove::Apply(const Vector& v) const {
    return Vector::Add(to, Vector::Scaled(Vector::Subtract(turn.Apply(v), from), scale));
}

std::optional<SkeletonStance> StanceOf(const ModelDocument& document) {
    const auto left = JointPosition(document, LEFT_TOES_JOINT);
    const auto right = JointPosition(document, RIGHT_TOES_JOINT);
    const auto head = JointPosition(document, TOP_OF_HEAD_JOINT);
    const auto hip = JointPosition(document, ROOT_JOINT);
    if (!left || !right || !head || !hip) {
        return std::nullopt;
    }
    return SkeletonStance{std::min(left->z, right->z), head->z, *hip};
}

std::optional<UniformMove> FitToStance(const MeshData& mesh, const SkeletonStance& stance) {
    const ModelTurn turn = UprightTurn(mesh);
    std::optional<MeshBox> box = BoxOf(mesh);
    if (box) {
        // The bounds of the turned mesh.
        const Vector a = turn.Apply(box->min);
        const Vector b = turn.Apply(box->max);
        box = MeshBox{Vector(std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)),
                      Vector(std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z))};
    }
    const double height = box ? static_cast<double>(box->max.z) - box->min.z : 0.0;
    if (!box || !(height > 0.0) || !(stance.StandingHeight() > 0.0)) {
        return std::nullopt;
    }
    const Vector target(stance.hipAnchor.x, stance.hipAnchor.y, stance.toeHeight);
    const std::optional<BodyMeasure> body = MeasureBody(TrianglesOf(mesh, turn));
    if (body && BodyOffBounds(*body, *box)) {
        return UniformMove{turn, stance.StandingHeight() / (body->headTop - body->floor),
                           Vector(body->middleX, body->middleY, body->floor), target};
    }
    return UniformMove{turn, stance.StandingHeight() / height, BaseCentre(*box), target};
}

std::optional<UniformMove> ScaleAboutBase(const MeshData& mesh, double scale) {
    const std::optional<MeshBox> box = BoxOf(mesh);
    if (!box || !(scale > 0.0) || !std::isfinite(scale)) {
        return std::nullopt;
    }
    const Vector base = BaseCentre(*box);
    return UniformMove{ModelTurn{}, scale, base, base};
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
