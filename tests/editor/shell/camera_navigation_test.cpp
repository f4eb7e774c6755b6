#include "editor/shell/camera_navigation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <vector>

#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/stage.h"
#include "scene/viewport.h"
#include "tests/editor/shell/shell_test_support.h"

using namespace ::editor::model;
using namespace ::editor::shell;
using namespace ::scene;

namespace {

// A closed box of the given size around the point, as OBJ text.
std::string BoxObj(const Vector& centre, double size) {
    std::string text;
    for (int corner = 0; corner < 8; ++corner) {
        const double x = centre.x + ((corner & 1) ? size : -size) / 2;
        const double y = centre.y + ((corner & 2) ? size : -size) / 2;
        const double z = centre.z + ((corner & 4) ? size : -size) / 2;
        text += "v " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z) + "\n";
    }
    return text +
           "f 1 3 4\nf 1 4 2\nf 5 6 8\nf 5 8 7\nf 1 2 6\nf 1 6 5\n"
           "f 3 7 8\nf 3 8 4\nf 1 5 7\nf 1 7 3\nf 2 4 8\nf 2 8 6\n";
}

class CameraNavigation : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(fixture.Start()); }

    void OpenBox(const Vector& centre, double size) {
        const std::string path = fixture.directory.File("box.obj");
        std::ofstream(path) << BoxObj(centre, size);
        fixture.ui.Queue(ScriptedAnswer::File(path));
        ASSERT_TRUE(Frame().RunCommand(ID_FILE_OPEN));
        ASSERT_NE(Frame().Document().model.Shape(), nullptr);
    }

    const C3dCamera& Camera() { return Frame().View().GetStage()->GetCamera(); }
    Vector CameraPosition() { return Camera().GetPosition(Frame().Scene()); }
    Vector CameraDirection() {
        Vector direction;
        Vector up;
        Camera().GetOrientation(Frame().Scene(), direction, up);
        return direction;
    }

    // The scene point in view pixels with its depth (0 at the front plane, 1 at the back);
    // nothing for a point behind the camera.
    std::optional<Vector> Projected(const Vector& point) {
        const C3dViewport& viewport = *Frame().View().GetViewport();
        const Vector world = Frame().Scene()->LocalToWorld(point);
        const Vector eye = viewport.GetViewMatrix().Transform(world);
        const C3dVector4 p =
            viewport.GetProjectionMatrix().TransformHomogeneous(eye.x, eye.y, eye.z, 1.0);
        if (!(p.w > 0.0)) {
            return std::nullopt;
        }
        return Vector(p.x / p.w, p.y / p.w, p.z / p.w);
    }

    // Every vertex of the model and of the joints shown, in view pixels.
    std::vector<std::optional<Vector>> ShownPoints() {
        std::vector<const MeshPart*> parts = {&Frame().Document().model};
        for (const JointPart& joint : Frame().Document().joints) {
            if (joint.visible != 0) {
                parts.push_back(&joint);
            }
        }
        std::vector<std::optional<Vector>> points;
        for (const MeshPart* part : parts) {
            for (const Vector& vertex : part->Shape()->Mesh().Vertices()) {
                points.push_back(
                    Projected(Frame().Scene()->WorldToLocal(part->Shape()->LocalToWorld(vertex))));
            }
        }
        return points;
    }

    // Whether every point shown is inside the view, between the front and back planes, and
    // how much of the view's width or height (the larger share) they span.
    bool AllInView(double& filled) {
        const C3dViewport& viewport = *Frame().View().GetViewport();
        ShownBox pixels;
        for (const std::optional<Vector>& p : ShownPoints()) {
            if (!p || p->x < 0 || p->x > viewport.GetWidth() || p->y < 0 ||
                p->y > viewport.GetHeight() || p->z < 0.0 || p->z > 1.0) {
                return false;
            }
            pixels.Include(*p);
        }
        filled = std::max((pixels.max.x - pixels.min.x) / viewport.GetWidth(),
                          (pixels.max.y - pixels.min.y) / viewport.GetHeight());
        return true;
    }

    CMainFrame& Frame() { return *fixture.frame; }
    FrameFixture fixture;
};

// Zoom to Fit brings what is shown, whole, to fill the view: a huge model, a tiny one beside
// the skeleton, and the tiny one alone once the skeleton is hidden (hidden parts are drawn black
// on the black background and do not count).
TEST_F(CameraNavigation, ZoomToFitFillsTheViewWithWhatIsShown) {
    struct Case {
        Vector centre;
        double size;
        bool skeletonShown;
    };
    for (const Case& c :
         {Case{Vector(3000, -2000, 500), 9000.0, true}, Case{Vector(0.2, 0, 0.1), 0.05, true},
          Case{Vector(0.2, 0, 0.1), 0.05, false}}) {
        ASSERT_TRUE(Frame().RunCommand(ID_FILE_NEW));
        OpenBox(c.centre, c.size);
        for (JointPart& joint : Frame().Document().joints) {
            joint.Show(c.skeletonShown ? 1 : 0);
        }
        const ShownBox box = BoxOfWhatIsShown(Frame());
        ASSERT_FALSE(box.empty);
        if (!c.skeletonShown) {
            EXPECT_LT(box.Radius(), c.size);  // the box alone
        }
        double filled = 0.0;
        if (c.size > 1000.0) {
            EXPECT_FALSE(AllInView(filled));  // the presets' view is too close
        }
        ASSERT_TRUE(Frame().RunCommand(ID_VIEW_ZOOM_TO_FIT));
        EXPECT_TRUE(AllInView(filled)) << c.size;
        EXPECT_GT(filled, 0.85) << c.size << (c.skeletonShown ? " with" : " without")
                                << " the skeleton";
        // The view looks the way it did.
        EXPECT_NEAR(CameraDirection().x, 1.0, 1e-5);
        EXPECT_EQ(Frame().cameraView, kCameraFront);
    }
    // A preset afterwards shows the skeleton as at the start.
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_NEW));
    ASSERT_TRUE(Frame().RunCommand(ID_CAMERA_FRONT));
    EXPECT_NEAR(Frame().View().GetViewport()->GetFront(), 1.0, 1e-9);
    EXPECT_NEAR(Frame().View().GetViewport()->GetBack(), 5000.0, 1e-9);
}

TEST_F(CameraNavigation, WheelOrbitAndPanMoveTheCameraAsTheUserExpects) {
    const Vector pivot = BoxOfWhatIsShown(Frame()).Centre();
    const double before = Vector::Subtract(CameraPosition(), pivot).Length();

    ZoomCamera(Frame(), 1.0);
    const double nearer = Vector::Subtract(CameraPosition(), pivot).Length();
    EXPECT_LT(nearer, before * 0.85);
    ZoomCamera(Frame(), -1.0);
    EXPECT_NEAR(Vector::Subtract(CameraPosition(), pivot).Length(), before, before * 0.05);

    const Vector direction = CameraDirection();
    OrbitCamera(Frame(), 120, 0);
    // Around the centre of what is shown: the distance stays, the direction turns.
    EXPECT_NEAR(Vector::Subtract(CameraPosition(), pivot).Length(), before, before * 0.05);
    EXPECT_LT(CameraDirection().Dot(direction), 0.9);
    OrbitCamera(Frame(), 0, 40);
    EXPECT_NEAR(Vector::Subtract(CameraPosition(), pivot).Length(), before, before * 0.05);

    const Vector beforePan = CameraPosition();
    const Vector lookingAlong = CameraDirection();
    PanCamera(Frame(), 30, -20);
    const Vector moved = Vector::Subtract(CameraPosition(), beforePan);
    EXPECT_GT(moved.Length(), 1.0);
    // Across the view, not along it.
    EXPECT_NEAR(moved.Dot(lookingAlong), 0.0, 1e-3);

    // A quarter turn to the side makes the side preset the one drags follow.
    ASSERT_TRUE(Frame().RunCommand(ID_CAMERA_FRONT));
    OrbitCamera(Frame(), 360, 0);
    EXPECT_TRUE(Frame().cameraView == kCameraLeft || Frame().cameraView == kCameraRight)
        << Frame().cameraView;
}

}  // namespace
