#include "scene/viewport.h"

#include <algorithm>
#include <cmath>

#include "scene/frame.h"
#include "scene/ray_cast.h"
#include "scene/shape.h"

namespace scene {

bool C3dViewport::Create(int width, int height) {
    return SetSize(width, height);
}

bool C3dViewport::SetSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        return Fail(C3D_E_BADVALUE);
    }
    width_ = width;
    height_ = height;
    return Succeed();
}

bool C3dViewport::SetField(double field) {
    if (!(field > 0.0) || !std::isfinite(field)) {
        return Fail(C3D_E_BADVALUE);
    }
    field_ = field;
    return Succeed();
}

bool C3dViewport::SetFront(double front) {
    if (!(front > 0.0) || !(front < back_)) {
        return Fail(C3D_E_BADVALUE);
    }
    front_ = front;
    return Succeed();
}

bool C3dViewport::SetBack(double back) {
    if (!(back > front_) || !std::isfinite(back)) {
        return Fail(C3D_E_BADVALUE);
    }
    back_ = back;
    return Succeed();
}

double C3dViewport::PixelsPerUnit() const {
    return std::min(width_, height_) / 2.0 / field_;
}

C3dMatrix C3dViewport::GetViewMatrix() const {
    C3dMatrix view;
    if (camera_) {
        camera_->GetWorldTransform().Inverse(view);
    }
    return view;
}

C3dMatrix C3dViewport::GetProjectionMatrix() const {
    double s = PixelsPerUnit();
    C3dMatrix p;
    p.m[0][0] = s;
    p.m[0][2] = width_ / 2.0;
    p.m[1][1] = -s;
    p.m[1][2] = height_ / 2.0;
    p.m[2][2] = back_ / (back_ - front_);
    p.m[2][3] = -back_ * front_ / (back_ - front_);
    p.m[3][2] = 1.0;
    p.m[3][3] = 0.0;
    return p;
}

C3dMatrix C3dViewport::GetClipMatrix() const {
    double s = PixelsPerUnit();
    C3dMatrix p;
    p.m[0][0] = 2.0 * s / width_;
    p.m[1][1] = 2.0 * s / height_;
    p.m[2][2] = (back_ + front_) / (back_ - front_);
    p.m[2][3] = -2.0 * back_ * front_ / (back_ - front_);
    p.m[3][2] = 1.0;
    p.m[3][3] = 0.0;
    return p;
}

C3dVector4 C3dViewport::Transform(const Vector& world) const {
    Vector eye = GetViewMatrix().Transform(world);
    return GetProjectionMatrix().TransformHomogeneous(eye.x, eye.y, eye.z);
}

bool C3dViewport::InverseTransform(double x, double y, double depth, Vector& world) const {
    double denominator = back_ - depth * (back_ - front_);
    if (denominator == 0.0) {
        return false;
    }
    double s = PixelsPerUnit();
    double z = back_ * front_ / denominator;
    Vector eye((x - width_ / 2.0) * z / s, -(y - height_ / 2.0) * z / s, z);
    world = camera_ ? camera_->LocalToWorld(eye) : eye;
    return true;
}

C3dRay C3dViewport::GetRay(double x, double y) const {
    double s = PixelsPerUnit();
    Vector eyeDirection((x - width_ / 2.0) / s, -(y - height_ / 2.0) / s, 1.0);
    C3dRay ray;
    if (camera_) {
        C3dMatrix world = camera_->GetWorldTransform();
        ray.origin = world.Column(3);
        ray.direction = world.TransformDirection(eyeDirection);
    } else {
        ray.origin = Vector(0.0, 0.0, 0.0);
        ray.direction = eyeDirection;
    }
    ray.direction.Normalize();
    return ray;
}

C3dShape* C3dViewport::Pick(double x, double y) const {
    std::vector<C3dPickHit> hits = PickAll(x, y);
    return hits.empty() ? nullptr : hits.front().shape;
}

std::vector<C3dPickHit> C3dViewport::PickAll(double x, double y) const {
    std::vector<C3dPickHit> hits;
    if (!root_) {
        return hits;
    }
    C3dRay ray = GetRay(x, y);
    // The visible depths along this ray, from the camera's z to the ray's length.
    Vector cameraZ = camera_ ? camera_->GetWorldTransform().Column(2) : Vector(0.0, 0.0, 1.0);
    cameraZ.Normalize();
    double along = ray.direction.Dot(cameraZ);
    if (along <= 0.0) {
        return hits;
    }
    CollectRayHits(*root_, ray, front_ / along, back_ / along, hits);
    std::stable_sort(hits.begin(), hits.end(), [](const C3dPickHit& a, const C3dPickHit& b) {
        return a.distance < b.distance;
    });
    return hits;
}

}  // namespace scene
