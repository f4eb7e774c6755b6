#include "editor/shell/camera_navigation.h"

#include <algorithm>
#include <cmath>

#include "editor/model/model_document.h"
#include "editor/shell/main_frame.h"
#include "editor/skeleton/camera_presets.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/stage.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

constexpr double kPi = 3.14159265358979323846;
// A quarter of a degree of turn per pixel dragged.
constexpr double kOrbitRadiansPerPixel = 0.25 * kPi / 180.0;
// Each wheel notch covers a fifth of the distance to what the camera looks at.
constexpr double kZoomFactorPerNotch = 0.8;
// The default depth range of the view, which the presets use.
constexpr double kDefaultFront = 1.0;
constexpr double kDefaultBack = 5000.0;
// Room around a fitted view, so that nothing touches the view's edge.
constexpr double kFitMargin = 1.1;

// The camera as it is now (the input controller may have moved it), in scene coordinates.
struct CameraPlacement {
    Vector position{0.0, 0.0, 0.0};
    Vector direction{0.0, 0.0, 1.0};
    Vector up{0.0, 1.0, 0.0};

    Vector Right() const { return Vector::Cross(up, direction); }
};

bool ReadCamera(CMainFrame& frame, CameraPlacement& camera) {
    C3dScene* scene = frame.Scene();
    C3dStage* stage = frame.View().GetStage();
    if (scene == nullptr || stage == nullptr) {
        return false;
    }
    camera.position = stage->GetCamera().GetPosition(scene);
    if (!stage->GetCamera().GetOrientation(scene, camera.direction, camera.up)) {
        return false;
    }
    return camera.direction.Normalize() && camera.up.Normalize();
}

void IncludeShape(ShownBox& box, const C3dShape* shape, const C3dScene& scene) {
    if (shape == nullptr || shape->GetParent() == nullptr || !shape->IsVisible()) {
        return;
    }
    Vector low;
    Vector high;
    if (!shape->GetBox(low, high)) {
        return;
    }
    for (int corner = 0; corner < 8; ++corner) {
        const Vector local((corner & 1) ? high.x : low.x, (corner & 2) ? high.y : low.y,
                           (corner & 4) ? high.z : low.z);
        box.Include(scene.WorldToLocal(shape->LocalToWorld(local)));
    }
}

// Distance from the camera to the plane through the point across the view; the distance to
// the point itself when it lies behind the camera.
double DepthOf(const CameraPlacement& camera, const Vector& point) {
    const Vector offset = Vector::Subtract(point, camera.position);
    const double depth = offset.Dot(camera.direction);
    return depth > 1e-6 ? depth : std::max(offset.Length(), 1e-3);
}

// Lowers the front plane for a small model seen from close by and moves the back plane out for
// a large one; never narrower than the presets' range.
void KeepShownInDepthRange(CMainFrame& frame, const CameraPlacement& camera, const ShownBox& box) {
    C3dStage* stage = frame.View().GetStage();
    if (stage == nullptr || box.empty) {
        return;
    }
    const double radius = std::max(box.Radius(), 1e-3);
    const double distance = Vector::Subtract(box.Centre(), camera.position).Length();
    const double front = std::clamp((distance - radius) * 0.5, radius * 1e-3, kDefaultFront);
    const double back = std::max(kDefaultBack, (distance + radius) * 2.0);
    C3dViewport& viewport = stage->GetViewport();
    // The back plane first when it moves out, so that the front never passes it.
    viewport.SetBack(back);
    viewport.SetFront(front);
}

void PlaceCamera(CMainFrame& frame, const CameraPlacement& camera) {
    C3dScene* scene = frame.Scene();
    scene->SetCameraPosition(camera.position);
    scene->SetCameraDirection(camera.direction, camera.up);
    KeepShownInDepthRange(frame, camera, BoxOfWhatIsShown(frame));
    frame.RequestRedraw();
}

// The preset whose view is closest to the camera's, which decides how drags map to the scene.
int NearestPreset(const CameraPlacement& camera) {
    int best = kCameraFront;
    double bestScore = -1e9;
    for (int preset = 0; preset < NUM_CAMERA_PRESETS; ++preset) {
        const Vector direction(cameraPresets[preset].direction);
        const Vector up(cameraPresets[preset].up);
        const double score = direction.Dot(camera.direction) + 0.5 * up.Dot(camera.up);
        if (score > bestScore) {
            bestScore = score;
            best = preset;
        }
    }
    return best;
}

Vector Turned(const Vector& v, const Vector& axis, double radians) {
    return C3dMatrix::AxisRotation(axis, radians).TransformDirection(v);
}

}  // namespace

void ShownBox::Include(const Vector& point) {
    if (empty) {
        min = max = point;
        empty = false;
        return;
    }
    min = Vector(std::min(min.x, point.x), std::min(min.y, point.y), std::min(min.z, point.z));
    max = Vector(std::max(max.x, point.x), std::max(max.y, point.y), std::max(max.z, point.z));
}

Vector ShownBox::Centre() const {
    return empty ? Vector(0.0, 0.0, 0.0) : Vector::Scaled(Vector::Add(min, max), 0.5);
}

double ShownBox::Radius() const {
    return empty ? 0.0 : 0.5 * Vector::Subtract(max, min).Length();
}

ShownBox BoxOfWhatIsShown(CMainFrame& frame) {
    ShownBox box;
    const C3dScene* scene = frame.Scene();
    if (scene == nullptr) {
        return box;
    }
    const ModelDocument& document = frame.Document();
    if (document.viewGenerated != 0) {
        IncludeShape(box, document.generatedModel.Shape(), *scene);
    } else {
        IncludeShape(box, document.model.Shape(), *scene);
    }
    if (document.prop.visible != 0) {
        IncludeShape(box, document.prop.Shape(), *scene);
    }
    for (const JointPart& joint : document.joints) {
        IncludeShape(box, joint.Shape(), *scene);
    }
    return box;
}

void ResetCameraDepthRange(CMainFrame& frame) {
    if (C3dStage* stage = frame.View().GetStage()) {
        stage->GetViewport().SetFront(kDefaultFront);
        stage->GetViewport().SetBack(kDefaultBack);
    }
}

void ZoomCamera(CMainFrame& frame, double notches) {
    CameraPlacement camera;
    if (notches == 0.0 || !ReadCamera(frame, camera)) {
        return;
    }
    const double depth = DepthOf(camera, BoxOfWhatIsShown(frame).Centre());
    const double travel = depth * (1.0 - std::pow(kZoomFactorPerNotch, notches));
    camera.position.AddInPlace(Vector::Scaled(camera.direction, travel));
    PlaceCamera(frame, camera);
}

void OrbitCamera(CMainFrame& frame, int dx, int dy) {
    CameraPlacement camera;
    if ((dx == 0 && dy == 0) || !ReadCamera(frame, camera)) {
        return;
    }
    const Vector pivot = BoxOfWhatIsShown(frame).Centre();
    Vector offset = Vector::Subtract(camera.position, pivot);
    const Vector sceneUp(0.0, 0.0, 1.0);
    const double yaw = -dx * kOrbitRadiansPerPixel;
    offset = Turned(offset, sceneUp, yaw);
    camera.direction = Turned(camera.direction, sceneUp, yaw);
    camera.up = Turned(camera.up, sceneUp, yaw);
    Vector right = camera.Right();
    if (right.Normalize()) {
        const double pitch = -dy * kOrbitRadiansPerPixel;
        offset = Turned(offset, right, pitch);
        camera.direction = Turned(camera.direction, right, pitch);
        camera.up = Turned(camera.up, right, pitch);
    }
    camera.position = Vector::Add(pivot, offset);
    frame.cameraView = NearestPreset(camera);
    PlaceCamera(frame, camera);
}

void PanCamera(CMainFrame& frame, int dx, int dy) {
    CameraPlacement camera;
    const C3dViewport* viewport = frame.View().GetViewport();
    if ((dx == 0 && dy == 0) || viewport == nullptr || !ReadCamera(frame, camera)) {
        return;
    }
    const double depth = DepthOf(camera, BoxOfWhatIsShown(frame).Centre());
    const int side = std::max(1, std::min(viewport->GetWidth(), viewport->GetHeight()));
    const double perPixel = 2.0 * viewport->GetField() * depth / side;
    Vector right = camera.Right();
    right.Normalize();
    camera.position.AddInPlace(Vector::Scaled(right, -dx * perPixel));
    camera.position.AddInPlace(Vector::Scaled(camera.up, dy * perPixel));
    PlaceCamera(frame, camera);
}

void ZoomCameraToFit(CMainFrame& frame) {
    CameraPlacement camera;
    const C3dViewport* viewport = frame.View().GetViewport();
    const ShownBox box = BoxOfWhatIsShown(frame);
    if (viewport == nullptr || box.empty || !ReadCamera(frame, camera)) {
        return;
    }
    // The whole sphere around the box fits in the view's narrower angle.
    const double halfAngle = std::atan(viewport->GetField());
    const double radius = std::max(box.Radius(), 1e-3);
    const double distance = kFitMargin * radius / std::sin(halfAngle);
    camera.position = Vector::Subtract(box.Centre(), Vector::Scaled(camera.direction, distance));
    PlaceCamera(frame, camera);
}

}  // namespace editor::shell
