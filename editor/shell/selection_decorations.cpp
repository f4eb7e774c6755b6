#include "editor/shell/selection_decorations.h"

#include <algorithm>

#include "scene/frame.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::scene;

namespace {
constexpr double BAR_RADIUS = 0.15;
constexpr double ARROW_RADIUS = 0.45;
constexpr double HIT_CONE_RADIUS = 0.45;
constexpr double HIT_CONE_LENGTH = 5.0;
constexpr int SIDES = 8;

std::unique_ptr<C3dShape> Bar(const Vector& from, const Vector& to, double fromRadius,
                              double toRadius) {
    auto bar = std::make_unique<C3dShape>();
    bar->CreateTube(from, fromRadius, to, toRadius, SIDES);
    return bar;
}

// The twelve edges of the box from min to max.
std::vector<std::pair<Vector, Vector>> BoxEdges(const Vector& lo, const Vector& hi) {
    Vector corners[8];
    for (int i = 0; i < 8; ++i) {
        corners[i] = Vector(i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z);
    }
    std::vector<std::pair<Vector, Vector>> edges;
    for (int i = 0; i < 8; ++i) {
        for (int bit : {1, 2, 4}) {
            if ((i & bit) == 0) {
                edges.emplace_back(corners[i], corners[i | bit]);
            }
        }
    }
    return edges;
}

void Detach(C3dFrame* frame) {
    if (frame != nullptr && frame->GetParent() != nullptr) {
        frame->GetParent()->RemoveChild(frame);
    }
}
}  // namespace

SelectionDecorations::~SelectionDecorations() {
    Remove();
}

void SelectionDecorations::ShowBox(C3dShape& selected) {
    Vector lo;
    Vector hi;
    if (!selected.GetBox(lo, hi)) {
        return;
    }
    box_ = std::make_unique<C3dFrame>();
    box_->Create(&selected);
    for (const auto& [from, to] : BoxEdges(lo, hi)) {
        boxParts_.push_back(Bar(from, to, BAR_RADIUS, BAR_RADIUS));
        boxParts_.back()->SetColor(1.0, 0.3, 1.0);
    }
    // The axis arrow marks the shape's +y from the box centre.
    double middleY = (lo.y + hi.y) / 2;
    Vector centre((lo.x + hi.x) / 2, middleY, (lo.z + hi.z) / 2);
    Vector shaftEnd(centre.x, 5 * hi.y + middleY, centre.z);
    Vector tip(centre.x, 7 * hi.y + middleY, centre.z);
    boxParts_.push_back(Bar(centre, shaftEnd, BAR_RADIUS, BAR_RADIUS));
    boxParts_.push_back(Bar(shaftEnd, tip, ARROW_RADIUS, 0.0));
    for (size_t i = boxParts_.size() - 2; i < boxParts_.size(); ++i) {
        boxParts_[i]->SetColor(0.0, 1.0, 0.0);
    }
    for (auto& part : boxParts_) {
        // The marks of a joint or bone show where the skeleton does: over the mesh.
        part->SetDrawnOnTop(selected.IsDrawnOnTop());
        box_->AddChild(part.get());
    }
}

void SelectionDecorations::ShowHitPoint(C3dShape& selected, int face, const Vector& point) {
    Vector normal = selected.GetFaceNormal(face);
    Vector tip = Vector::Add(point, Vector::Scaled(normal, HIT_CONE_LENGTH));
    hitMarker_ = Bar(point, tip, HIT_CONE_RADIUS, 0.0);
    hitMarker_->SetColor(0.0, 1.0, 1.0);
    hitMarker_->SetDrawnOnTop(selected.IsDrawnOnTop());
    selected.AddChild(hitMarker_.get());
}

void SelectionDecorations::Remove() {
    for (auto& part : boxParts_) {
        Detach(part.get());
    }
    boxParts_.clear();
    Detach(box_.get());
    box_.reset();
    Detach(hitMarker_.get());
    hitMarker_.reset();
}

bool SelectionDecorations::Contains(const C3dFrame* frame) const {
    if (frame == nullptr) {
        return false;
    }
    if (frame == box_.get() || frame == hitMarker_.get()) {
        return true;
    }
    return std::any_of(boxParts_.begin(), boxParts_.end(),
                       [frame](const auto& part) { return part.get() == frame; });
}

}  // namespace editor::shell
