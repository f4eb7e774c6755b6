#include "scene/frame.h"

#include <algorithm>
#include <cmath>

namespace scene {

namespace {

// Length of a matrix column: the scale the transform gives that axis.
double ColumnLength(const C3dMatrix& m, int c) {
    return std::sqrt(m.m[0][c] * m.m[0][c] + m.m[1][c] * m.m[1][c] + m.m[2][c] * m.m[2][c]);
}

C3dMatrix InverseOrIdentity(const C3dMatrix& m) {
    C3dMatrix inverse;
    if (!m.Inverse(inverse)) {
        return C3dMatrix();
    }
    return inverse;
}

}  // namespace

C3dFrame::C3dFrame() {
    SetName("3D Frame");
}

C3dFrame::~C3dFrame() {
    Detach();
}

void C3dFrame::Detach() {
    if (parent_) {
        parent_->RemoveChild(this);
    }
    RemoveAllChildren();
}

bool C3dFrame::Create(C3dFrame* parent) {
    Detach();
    transform_ = C3dMatrix();
    spinAngle_ = 0.0;
    if (parent && !parent->AddChild(this)) {
        return Fail(C3D_E_BADVALUE);
    }
    return Succeed();
}

C3dMatrix C3dFrame::GetWorldTransform() const {
    C3dMatrix world = transform_;
    for (const C3dFrame* f = parent_; f; f = f->parent_) {
        world = f->transform_ * world;
    }
    return world;
}

C3dMatrix C3dFrame::ParentWorldTransform() const {
    return parent_ ? parent_->GetWorldTransform() : C3dMatrix();
}

C3dMatrix C3dFrame::RefToParent(const C3dFrame* ref) const {
    if (!ref || ref == parent_) {
        return C3dMatrix();
    }
    return InverseOrIdentity(ParentWorldTransform()) * ref->GetWorldTransform();
}

Vector C3dFrame::LocalToWorld(const Vector& point) const {
    return GetWorldTransform().Transform(point);
}

Vector C3dFrame::WorldToLocal(const Vector& point) const {
    return InverseOrIdentity(GetWorldTransform()).Transform(point);
}

bool C3dFrame::SetPosition(double x, double y, double z, const C3dFrame* ref) {
    return SetPosition(Vector(x, y, z), ref);
}

bool C3dFrame::SetPosition(const Vector& p, const C3dFrame* ref) {
    transform_.SetColumn(3, RefToParent(ref).Transform(p));
    return Succeed();
}

Vector C3dFrame::GetPosition(const C3dFrame* ref) const {
    Vector inParent = transform_.Column(3);
    if (!ref || ref == parent_) {
        return inParent;
    }
    return InverseOrIdentity(RefToParent(ref)).Transform(inParent);
}

bool C3dFrame::SetOrientation(const Vector& direction, const Vector& up, const C3dFrame* ref) {
    C3dMatrix toParent = RefToParent(ref);
    Vector z = toParent.TransformDirection(direction);
    Vector yHint = toParent.TransformDirection(up);
    if (!z.Normalize()) {
        return Fail(C3D_E_BADVALUE);
    }
    // Keep only the part of up that is square to the direction.
    Vector y = Vector::Subtract(yHint, Vector::Scaled(z, yHint.Dot(z)));
    if (y.Length() <= 1e-6 * yHint.Length() || !y.Normalize()) {
        return Fail(C3D_E_BADVALUE);
    }
    Vector x = Vector::Cross(y, z);
    // A scale set through SetTransform stays with each axis.
    transform_.SetColumn(0, Vector::Scaled(x, ColumnLength(transform_, 0)));
    transform_.SetColumn(1, Vector::Scaled(y, ColumnLength(transform_, 1)));
    transform_.SetColumn(2, Vector::Scaled(z, ColumnLength(transform_, 2)));
    return Succeed();
}

bool C3dFrame::GetOrientation(const C3dFrame* ref, Vector& direction, Vector& up) const {
    C3dMatrix toRef = InverseOrIdentity(RefToParent(ref));
    direction = toRef.TransformDirection(transform_.Column(2));
    up = toRef.TransformDirection(transform_.Column(1));
    direction.Normalize();
    up.Normalize();
    return true;
}

bool C3dFrame::SetRotation(const Vector& axis, double angle, const C3dFrame* ref) {
    Vector inParent = RefToParent(ref).TransformDirection(axis);
    if (angle != 0.0 && !inParent.Normalize()) {
        return Fail(C3D_E_BADVALUE);
    }
    spinAxis_ = inParent;
    spinAngle_ = angle;
    return Succeed();
}

bool C3dFrame::AddRotation(C3dCombine combine, const Vector& axis, double angle) {
    if (axis.Length() == 0.0) {
        return Fail(C3D_E_BADVALUE);
    }
    return SetTransform(C3dMatrix::AxisRotation(axis, angle), combine);
}

bool C3dFrame::SetTransform(const C3dMatrix& matrix, C3dCombine combine) {
    switch (combine) {
        case C3dCombine::Replace:
            transform_ = matrix;
            break;
        case C3dCombine::Before:
            transform_ = transform_ * matrix;
            break;
        case C3dCombine::After:
            transform_ = matrix * transform_;
            break;
    }
    return Succeed();
}

bool C3dFrame::IsAncestorOf(const C3dFrame* frame) const {
    for (const C3dFrame* f = frame ? frame->parent_ : nullptr; f; f = f->parent_) {
        if (f == this) {
            return true;
        }
    }
    return false;
}

bool C3dFrame::AddChild(C3dFrame* child) {
    if (!child || child == this || child->IsAncestorOf(this)) {
        return Fail(C3D_E_BADVALUE);
    }
    if (child->parent_ == this) {
        return Succeed();
    }
    if (child->parent_) {
        child->parent_->RemoveChild(child);
    }
    child->parent_ = this;
    children_.push_back(child);
    return Succeed();
}

bool C3dFrame::RemoveChild(C3dFrame* child) {
    auto it = std::find(children_.begin(), children_.end(), child);
    if (it == children_.end()) {
        return Fail(C3D_E_NOTFOUND);
    }
    children_.erase(it);
    child->parent_ = nullptr;
    return Succeed();
}

void C3dFrame::RemoveAllChildren() {
    for (C3dFrame* child : children_) {
        child->parent_ = nullptr;
    }
    children_.clear();
}

void C3dFrame::Move(double delta) {
    if (spinAngle_ != 0.0) {
        // The spin turns the frame's axes about its own origin.
        Vector origin = transform_.Column(3);
        transform_ = C3dMatrix::AxisRotation(spinAxis_, spinAngle_ * delta) * transform_;
        transform_.SetColumn(3, origin);
    }
    // A copy, in case a frame is relinked while the tree moves.
    std::vector<C3dFrame*> children = children_;
    for (C3dFrame* child : children) {
        child->Move(delta);
    }
}

bool C3dFrame::SpinsInSubtree() const {
    if (spinAngle_ != 0.0) {
        return true;
    }
    for (const C3dFrame* child : children_) {
        if (child->SpinsInSubtree()) {
            return true;
        }
    }
    return false;
}

}  // namespace scene
