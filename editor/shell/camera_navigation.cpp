#include "editor/shell/camera_navigation.h"

#include <algorithm>
#include <cmath>
#include <vector>

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
constexpr double kFitMargin = 1.08;

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

// The points the shape is drawn through, in scene coordinates.
void AddShapePoints(std::vector<Vector>& points, const C3dShape* shape, const C3dScene& scene) {
    if (shape == nullptr || shape->GetParent() == nullptr || !shape->IsVisible()) {
        return;
    }
    for (const Vector& vertex : shape->Mesh().Vertices()) {
        points.push_back(scene.WorldToLocal(shape->LocalToWorld(vertex)));
    }
}

// A hidden part is drawn black on the black background: nothing a user sees.
void AddPartPoints(std::vector<Vector>& points, const MeshPart& part, const C3dScene& scene) {
    if (part.visible != 0) {
        AddShapePoints(points, part.Shape(), scene);
    }
}

// Every point of what is shown: the model (or the generated model in its view), the prop while
// shown and the joints shown.
std::vector<Vector> PointsOfWhatIsShown(CMainFrame& frame) {
    std::vector<Vector> points;
    const C3dScene* scene = frame.Scene();
    if (scene == nullptr) {
        return points;
    }
    const ModelDocument& document = frame.Document();
    AddPartPoints(points, document.viewGenerated != 0 ? document.generatedModel : document.model,
                  *scene);
    if (document.prop.visible != 0) {
        AddShapePoints(points, document.prop.Shape(), *scene);
    }
    for (const JointPart& joint : document.joints) {
        AddPartPoints(points, joint, *scene);
    }
    return points;
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

// The tangents of half the view's angle across and up: a point at depth d is in view while
// its offsets from the line of sight are within d times these.
struct ViewSpan {
    double across = 1.0;
    double up = 1.0;
};

ViewSpan SpanOf(const C3dViewport& viewport) {
    const double side = std::max(1, std::min(viewport.GetWidth(), viewport.GetHeight()));
    return {viewport.GetField() * std::max(1, viewport.GetWidth()) / side,
            viewport.GetField() * std::max(1, viewport.GetHeight()) / side};
}

// The camera's distance from the aim, along its direction, at which every point is inside the
// view with the margin; never so close that a point is behind the camera.
double FitDistance(const CameraPlacement& camera, const std::vector<Vector>& points,
                   const Vector& aim, const ViewSpan& span, double radius) {
    Vector right = camera.Right();
    right.Normalize();
    double distance = 0.0;
    double nearest = -1e300;
    for (const Vector& point : points) {
        const Vector offset = Vector::Subtract(point, aim);
        const double depth = offset.Dot(camera.direction);
        const double across = std::abs(offset.Dot(right)) * kFitMargin / span.across;
        const double up = std::abs(offset.Dot(camera.up)) * kFitMargin / span.up;
        distance = std::max(distance, std::max(across, up) - depth);
        nearest = std::max(nearest, -depth);
    }
    return std::max({distance, nearest + 0.05 * radius, 1e-3});
}

// The move across the view that puts the middle of the points' view at the camera's centre,
// seen from the given distance.
Vector CentringShift(const CameraPlacement& camera, const std::vector<Vector>& points,
                     const Vector& aim, double distance) {
    Vector right = camera.Right();
    right.Normalize();
    double low[2] = {1e300, 1e300};
    double high[2] = {-1e300, -1e300};
    for (const Vector& point : points) {
        const Vector offset = Vector::Subtract(point, aim);
        const double depth = distance + offset.Dot(camera.direction);
        const double slope[2] = {offset.Dot(right) / depth, offset.Dot(camera.up) / depth};
        for (int axis = 0; axis < 2; ++axis) {
            low[axis] = std::min(low[axis], slope[axis]);
            high[axis] = std::max(high[axis], slope[axis]);
        }
    }
    return Vector::Add(Vector::Scaled(right, distance * (low[0] + high[0]) / 2.0),
                       Vector::Scaled(camera.up, distance * (low[1] + high[1]) / 2.0));
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
    for (const Vector& point : PointsOfWhatIsShown(frame)) {
        box.Include(point);
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
    const std::vector<Vector> points = PointsOfWhatIsShown(frame);
    if (viewport == nullptr || points.empty() || !ReadCamera(frame, camera)) {
        return;
    }
    ShownBox box;
    for (const Vector& point : points) {
        box.Include(point);
    }
    const ViewSpan span = SpanOf(*viewport);
    // Aimed at the box's centre first, then at the middle of what that view shows, so that what
    // lies nearer the camera on one side is not pushed off centre.
    Vector aim = box.Centre();
    double distance = FitDistance(camera, points, aim, span, box.Radius());
    aim = Vector::Add(aim, CentringShift(camera, points, aim, distance));
    distance = FitDistance(camera, points, aim, span, box.Radius());
    camera.position = Vector::Subtract(aim, Vector::Scaled(camera.direction, distance));
    PlaceCamera(frame, camera);
}

}  // namespace editor::shell
