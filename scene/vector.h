#pragma once

namespace scene {

// Three floats; every computation runs in double precision and is stored back as float.
class Vector {
  public:
    float x;
    float y;
    float z;

    Vector() : x(1.0f), y(1.0f), z(1.0f) {}
    Vector(double ax, double ay, double az)
        : x(static_cast<float>(ax)), y(static_cast<float>(ay)), z(static_cast<float>(az)) {}
    explicit Vector(const float* xyz) : x(xyz[0]), y(xyz[1]), z(xyz[2]) {}

    static Vector Add(const Vector& a, const Vector& b);
    static Vector Subtract(const Vector& a, const Vector& b);
    static Vector Scaled(const Vector& a, double s);
    static Vector Cross(const Vector& a, const Vector& b);

    void AddInPlace(const Vector& b);
    void SubtractInPlace(const Vector& b);
    Vector Negate() const;
    double Dot(const Vector& b) const;
    double Length() const;
    // Leaves a zero-length vector unchanged and returns false.
    bool Normalize();

    bool operator==(const Vector& other) const = default;
};

// Storage layout is relied on by meshes that hand arrays of vertices to shapes.
static_assert(sizeof(Vector) == 3 * sizeof(float));

}  // namespace scene
