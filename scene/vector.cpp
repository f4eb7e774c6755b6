#include "scene/vector.h"

#include <cmath>

namespace scene {

Vector Vector::Add(const Vector& a, const Vector& b) {
    return Vector(double(a.x) + b.x, double(a.y) + b.y, double(a.z) + b.z);
}

Vector Vector::Subtract(const Vector& a, const Vector& b) {
    return Vector(double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z);
}

Vector Vector::Scaled(const Vector& a, double s) {
    return Vector(a.x * s, a.y * s, a.z * s);
}

Vector Vector::Cross(const Vector& a, const Vector& b) {
    return Vector(double(a.y) * b.z - double(a.z) * b.y, double(a.z) * b.x - double(a.x) * b.z,
                  double(a.x) * b.y - double(a.y) * b.x);
}

void Vector::AddInPlace(const Vector& b) {
    *this = Add(*this, b);
}

void Vector::SubtractInPlace(const Vector& b) {
    *this = Subtract(*this, b);
}

Vector Vector::Negate() const {
    return Vector(-double(x), -double(y), -double(z));
}

double Vector::Dot(const Vector& b) const {
    return double(x) * b.x + double(y) * b.y + double(z) * b.z;
}

double Vector::Length() const {
    return std::sqrt(Dot(*this));
}

bool Vector::Normalize() {
    double length = Length();
    if (length == 0.0) {
        return false;
    }
    *this = Vector(x / length, y / length, z / length);
    return true;
}

}  // namespace scene
