// Primitive shapes, all built as solids of revolution about the local z axis. A profile that
// runs towards +z gives faces whose fronts point outwards.
#include <cmath>
#include <numbers>
#include <vector>

#include "scene/shape.h"

namespace scene {

namespace {

inline constexpr int MAX_PRIMITIVE_STEPS = 1024;

struct Revolution {
    std::vector<Vector> vertices;
    std::vector<uint32_t> faces;

    void AddTriangle(int a, int b, int c) {
        if (a == b || b == c || a == c) {
            return;
        }
        faces.insert(faces.end(), {3u, uint32_t(a), uint32_t(b), uint32_t(c)});
    }
};

// Vertex indices of one profile point's ring: a single vertex on the axis, else `sides`.
std::vector<int> AddRing(Revolution& solid, const Vector& point, int sides) {
    std::vector<int> ring;
    if (point.x == 0.0f) {
        ring.assign(sides, static_cast<int>(solid.vertices.size()));
        solid.vertices.push_back(Vector(0.0, 0.0, point.z));
        return ring;
    }
    for (int j = 0; j < sides; ++j) {
        double angle = 2.0 * std::numbers::pi * j / sides;
        ring.push_back(static_cast<int>(solid.vertices.size()));
        solid.vertices.push_back(
            Vector(point.x * std::cos(angle), point.x * std::sin(angle), point.z));
    }
    return ring;
}

// A disc closing a ring; atStart faces against the profile's direction.
void AddCap(Revolution& solid, const std::vector<int>& ring, float z, bool atStart) {
    int centre = static_cast<int>(solid.vertices.size());
    solid.vertices.push_back(Vector(0.0, 0.0, z));
    int sides = static_cast<int>(ring.size());
    for (int j = 0; j < sides; ++j) {
        int a = ring[j], b = ring[(j + 1) % sides];
        if (atStart) {
            solid.AddTriangle(centre, b, a);
        } else {
            solid.AddTriangle(centre, a, b);
        }
    }
}

Revolution Revolve(std::span<const Vector> profile, int sides) {
    Revolution solid;
    std::vector<std::vector<int>> rings;
    for (const Vector& point : profile) {
        rings.push_back(AddRing(solid, Vector(std::fabs(point.x), 0.0, point.z), sides));
    }
    for (size_t i = 0; i + 1 < rings.size(); ++i) {
        for (int j = 0; j < sides; ++j) {
            int next = (j + 1) % sides;
            int a = rings[i][j], b = rings[i][next], c = rings[i + 1][next], d = rings[i + 1][j];
            solid.AddTriangle(a, b, d);
            solid.AddTriangle(b, c, d);
        }
    }
    if (profile.front().x != 0.0f) {
        AddCap(solid, rings.front(), profile.front().z, true);
    }
    if (profile.back().x != 0.0f) {
        AddCap(solid, rings.back(), profile.back().z, false);
    }
    solid.faces.push_back(0);
    return solid;
}

bool ValidSteps(int steps) {
    return steps >= 3 && steps <= MAX_PRIMITIVE_STEPS;
}

const char* TubeName(double startRadius, double endRadius) {
    return startRadius == endRadius ? "Tube" : "Cone";
}

}  // namespace

bool C3dShape::CreateSphere(double radius, int bands) {
    if (!ValidSteps(bands) || !(radius > 0.0)) {
        return Fail(C3D_E_BADVALUE);
    }
    Reset();
    std::vector<Vector> profile;
    for (int i = 0; i <= bands; ++i) {
        double angle = std::numbers::pi * i / bands;
        double ringRadius = i == 0 || i == bands ? 0.0 : radius * std::sin(angle);
        profile.push_back(Vector(ringRadius, 0.0, -radius * std::cos(angle)));
    }
    Revolution solid = Revolve(profile, bands);
    return BuildFrom(solid.vertices, solid.faces, "Sphere");
}

bool C3dShape::CreateSolidOfRevolution(std::span<const Vector> profile, int sides) {
    if (profile.size() < 2 || profile.size() > MAX_PRIMITIVE_STEPS || !ValidSteps(sides)) {
        return Fail(C3D_E_BADVALUE);
    }
    Reset();
    Revolution solid = Revolve(profile, sides);
    return BuildFrom(solid.vertices, solid.faces, "Solid of revolution");
}

bool C3dShape::CreateTube(double startRadius, double endRadius, double length, int sides) {
    if (!ValidSteps(sides) || startRadius < 0.0 || endRadius < 0.0 ||
        (startRadius == 0.0 && endRadius == 0.0)) {
        return Fail(C3D_E_BADVALUE);
    }
    Reset();
    const Vector profile[] = {Vector(startRadius, 0.0, 0.0), Vector(endRadius, 0.0, length)};
    Revolution solid = Revolve(profile, sides);
    return BuildFrom(solid.vertices, solid.faces, TubeName(startRadius, endRadius));
}

bool C3dShape::CreateTube(const Vector& start, double startRadius, const Vector& end,
                          double endRadius, int sides) {
    Vector axis = Vector::Subtract(end, start);
    double length = axis.Length();
    if (!ValidSteps(sides) || length == 0.0 || startRadius < 0.0 || endRadius < 0.0 ||
        (startRadius == 0.0 && endRadius == 0.0)) {
        return Fail(C3D_E_BADVALUE);
    }
    Reset();
    const Vector profile[] = {Vector(startRadius, 0.0, 0.0), Vector(endRadius, 0.0, length)};
    Revolution solid = Revolve(profile, sides);
    // Carry the local z axis onto start..end with a proper rotation, so fronts stay outside.
    axis.Normalize();
    Vector helper = std::fabs(axis.x) < 0.9 ? Vector(1.0, 0.0, 0.0) : Vector(0.0, 1.0, 0.0);
    Vector yAxis = Vector::Cross(axis, helper);
    yAxis.Normalize();
    Vector xAxis = Vector::Cross(yAxis, axis);
    C3dMatrix place = C3dMatrix::FromAxes(xAxis, yAxis, axis, start);
    for (Vector& v : solid.vertices) {
        v = place.Transform(v);
    }
    return BuildFrom(solid.vertices, solid.faces, TubeName(startRadius, endRadius));
}

}  // namespace scene
