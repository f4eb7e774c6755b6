#pragma once

#include <QMetaObject>
#include <QOpenGLWidget>
#include <QPoint>
#include <functional>
#include <optional>

#include "platform/gl_scene_renderer.h"
#include "scene/view.h"

namespace platform {

using namespace ::scene;

// The 3D view window: an OpenGL widget that draws the C3dView's stage, keeps the view's size
// in step with its own, turns a left-button press into a pick at the view position and passes
// key and mouse messages to the view's listener (the input controller) first.
class GlViewWidget : public QOpenGLWidget, public C3dRenderer {
    Q_OBJECT

  public:
    explicit GlViewWidget(C3dView& view, QWidget* parent = nullptr);
    ~GlViewWidget() override;

    // Inside the idle step the picture is drawn with the next paint; otherwise (a long
    // command showing progress from its loop, with no event loop running) at once. False
    // while hidden.
    bool Render(const C3dStage& stage) override;
    // Set around the idle step.
    void SetPaintDeferred(bool deferred) { paintDeferred_ = deferred; }
    // Frames drawn since construction.
    long FramesDrawn() const { return framesDrawn_; }

    // A plain left-button drag (no Shift or Ctrl) goes to these calls instead of the control
    // device: `press` picks and says whether it took hold of something to drag; only then do
    // `move` (view positions) and `release` follow. Without them a press only picks.
    struct LeftDragCalls {
        std::function<bool(int x, int y)> press;
        std::function<void(int x, int y)> move;
        std::function<void()> release;
    };
    void SetLeftDragCalls(LeftDragCalls calls) { leftDragCalls_ = std::move(calls); }

  signals:
    // Camera navigation with the mouse: wheel notches (positive away from the user), a
    // middle-button drag and a Shift+middle-button drag, in pixels since the last move.
    void WheelTurned(double notches);
    void OrbitDragged(int dx, int dy);
    void PanDragged(int dx, int dy);

  protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeGL(int width, int height) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void RouteMouse(uint32_t message, QMouseEvent* event);
    void RouteKey(uint32_t message, QKeyEvent* event);
    void ReleaseGl();

    C3dView& view_;
    GlSceneRenderer renderer_;
    long framesDrawn_ = 0;
    bool paintDeferred_ = false;
    // The pointer at the last step of a middle-button drag; none outside one.
    std::optional<QPoint> middleDrag_;
    LeftDragCalls leftDragCalls_;
    // A left drag taken by leftDragCalls_ is under way.
    bool leftDrag_ = false;
    // To the current context's aboutToBeDestroyed; cut before the widget's members go.
    QMetaObject::Connection contextDestroyed_;
};

}  // namespace platform
