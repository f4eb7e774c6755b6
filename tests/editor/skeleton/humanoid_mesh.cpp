#include "tests/editor/skeleton/humanoid_mesh.h"

#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

namespace {

constexpr double kShoulderY = 7.0;
constexpr double kShoulderZ = 48.0;
constexpr double kArmLength = 26.0;
constexpr double kArmThickness = 3.0;
constexpr double kUpperArm = 12.0;
constexpr double kForearmRise = 55.0;  // degrees above the horizontal

void Append(std::vector<Triangle3>& to, const std::vector<Triangle3>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

Point3 Corner(const Point3& o, const Point3& u, const Point3& v, double a, double b) {
    return {o.x + a * u.x + b * v.x, o.y + a * u.y + b * v.y, o.z + a * u.z + b * v.z};
}

void AddFace(const Point3& o, const Point3& u, const Point3& v, int n,
             std::vector<Triangle3>& out) {
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const double a0 = double(i) / n, a1 = double(i + 1) / n;
            const double b0 = double(j) / n, b1 = double(j + 1) / n;
            out.push_back(
                {Corner(o, u, v, a0, b0), Corner(o, u, v, a1, b0), Corner(o, u, v, a1, b1)});
            out.push_back(
                {Corner(o, u, v, a0, b0), Corner(o, u, v, a1, b1), Corner(o, u, v, a0, b1)});
        }
    }
}

// A box along `axis` (unit, in the Y-Z plane) from `start`, `length` long and `thickness` thick.
std::vector<Triangle3> OrientedBox(const Point3& start, double dy, double dz, double length,
                                   double thickness, int n) {
    const Point3 along{0.0, dy * length, dz * length};
    const Point3 across{0.0, -dz * thickness, dy * thickness};
    const Point3 depth{thickness, 0.0, 0.0};
    const Point3 o{start.x - thickness / 2, start.y + dz * thickness / 2,
                   start.z - dy * thickness / 2};
    auto plus = [](Point3 a, const Point3& b) { return Point3{a.x + b.x, a.y + b.y, a.z + b.z}; };
    std::vector<Triangle3> out;
    AddFace(o, along, across, n, out);
    AddFace(plus(o, depth), along, across, n, out);
    AddFace(o, along, depth, n, out);
    AddFace(plus(o, across), along, depth, n, out);
    AddFace(o, across, depth, n, out);
    AddFace(plus(o, along), across, depth, n, out);
    return out;
}

double Drop(const HumanoidShape& shape) {
    return shape.armDrop * std::numbers::pi / 180.0;
}

}  // namespace

std::vector<Triangle3> BoxTriangles(const Point3& low, const Point3& high, int n) {
    std::vector<Triangle3> out;
    const Point3 dx{high.x - low.x, 0, 0}, dy{0, high.y - low.y, 0}, dz{0, 0, high.z - low.z};
    AddFace(low, dx, dy, n, out);
    AddFace({low.x, low.y, high.z}, dx, dy, n, out);
    AddFace(low, dx, dz, n, out);
    AddFace({low.x, high.y, low.z}, dx, dz, n, out);
    AddFace(low, dy, dz, n, out);
    AddFace({high.x, low.y, low.z}, dy, dz, n, out);
    return out;
}

Point3 HumanoidLeftFingertip(const HumanoidShape& shape) {
    return {0.0, kShoulderY + std::cos(Drop(shape)) * kArmLength,
            kShoulderZ - std::sin(Drop(shape)) * kArmLength};
}

Point3 HumanoidLeftFoldedElbow(const HumanoidShape& shape) {
    return {0.0, kShoulderY + std::cos(Drop(shape)) * kUpperArm,
            kShoulderZ - std::sin(Drop(shape)) * kUpperArm};
}

std::vector<Triangle3> HumanoidTriangles(const HumanoidShape& shape) {
    const int n = shape.divisions;
    std::vector<Triangle3> out;
    for (double side : {1.0, -1.0}) {
        const double inner = 1.5 * side + shape.legShift;
        const double outer = 5.5 * side + shape.legShift;
        Append(out,
               BoxTriangles({-2, std::min(inner, outer), 2}, {2, std::max(inner, outer), 29}, n));
        Append(out,
               BoxTriangles({-8, std::min(inner, outer), 0}, {2, std::max(inner, outer), 2.5}, n));
        if (side > 0 && shape.leftArmFolded) {
            const double rise = kForearmRise * std::numbers::pi / 180.0;
            Append(out, OrientedBox({0.0, kShoulderY, kShoulderZ}, std::cos(Drop(shape)),
                                    -std::sin(Drop(shape)), kUpperArm, kArmThickness, n));
            Append(out, OrientedBox(HumanoidLeftFoldedElbow(shape), std::cos(rise), std::sin(rise),
                                    kArmLength - kUpperArm, kArmThickness, n));
        } else {
            Append(out,
                   OrientedBox({0.0, side * kShoulderY, kShoulderZ}, side * std::cos(Drop(shape)),
                               -std::sin(Drop(shape)), kArmLength, kArmThickness, n));
        }
        if (shape.wings) {
            Append(out, BoxTriangles({5, side > 0 ? 2.0 : -22.0, 40},
                                     {5.5, side > 0 ? 22.0 : -2.0, 75}, n));
        }
    }
    Append(out, BoxTriangles({-3, -6.5, 28}, {3, 6.5, 50}, n));
    Append(out, BoxTriangles({-1.5, -1.5, 49}, {1.5, 1.5, 53}, n));
    Append(out, BoxTriangles({-3.5, -3, 52}, {3, 3, 61}, n));
    return out;
}

std::string TrianglesAsObj(const std::vector<Triangle3>& triangles, bool welded) {
    std::string vertices;
    std::string faces;
    std::map<std::tuple<double, double, double>, int> indices;
    int count = 0;
    for (const Triangle3& t : triangles) {
        faces += "f";
        for (const Point3& p : t) {
            const auto key = std::make_tuple(p.x, p.y, p.z);
            const auto found = indices.find(key);
            int index = found != indices.end() ? found->second : 0;
            if (index == 0) {
                vertices += "v " + std::to_string(p.x) + " " + std::to_string(p.y) + " " +
                            std::to_string(p.z) + "\n";
                index = ++count;
                if (welded) {
                    indices.emplace(key, index);
                }
            }
            faces += " " + std::to_string(index);
        }
        faces += "\n";
    }
    return vertices + faces;
}
