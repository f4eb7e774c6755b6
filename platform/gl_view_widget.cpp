#include "platform/gl_view_widget.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QWheelEvent>

#include "platform/key_translation.h"
#include "scene/input/input_message.h"

namespace platform {

using namespace ::scene::input;

GlViewWidget::GlViewWidget(C3dView& view, QWidget* parent) : QOpenGLWidget(parent), view_(view) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
    view_.SetRenderer(this);
}

GlViewWidget::~GlViewWidget() {
    view_.SetRenderer(nullptr);
    // ~QOpenGLWidget destroys the context after this object has stopped being a GlViewWidget;
    // the signal must not reach ReleaseGl then, so the objects go here, while the members live.
    disconnect(contextDestroyed_);
    ReleaseGl();
}

bool GlViewWidget::Render(const C3dStage& /*stage*/) {
    if (!isVisible()) {
        return false;
    }
    update();
    if (!paintDeferred_) {
        // The window composes OpenGL widgets only from its event loop; input stays queued, so
        // no command can start inside the one that is running.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return true;
}

void GlViewWidget::initializeGL() {
    // The context is replaced when the widget moves to another window: free our objects while
    // the old one is still current. The widget's own destructor frees them itself.
    disconnect(contextDestroyed_);
    contextDestroyed_ = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this,
                                &GlViewWidget::ReleaseGl, Qt::DirectConnection);
    renderer_.Initialize();
}

void GlViewWidget::ReleaseGl() {
    if (!renderer_.IsInitialized() || context() == nullptr) {
        return;
    }
    makeCurrent();
    renderer_.Release();
    doneCurrent();
}

void GlViewWidget::paintGL() {
    const C3dStage* stage = view_.GetStage();
    const qreal ratio = devicePixelRatioF();
    const int pixelWidth = static_cast<int>(width() * ratio);
    const int pixelHeight = static_cast<int>(height() * ratio);
    if (stage == nullptr) {
        QOpenGLFunctions* gl = context()->functions();
        gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    renderer_.Draw(*stage, pixelWidth, pixelHeight);
    ++framesDrawn_;
}

void GlViewWidget::resizeGL(int width, int height) {
    // The view works in widget coordinates, the ones clicks arrive in.
    (void)width;
    (void)height;
    if (this->width() > 0 && this->height() > 0) {
        view_.Resize(this->width(), this->height());
    }
}

void GlViewWidget::RouteMouse(uint32_t message, QMouseEvent* event) {
    const QPoint screen = event->globalPosition().toPoint();
    view_.RouteMessage(message, MouseKeyFlagsFromQt(event->buttons(), event->modifiers()),
                       MakeMouseLParam(screen.x(), screen.y()));
}

void GlViewWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::MiddleButton) {
        middleDrag_ = event->position().toPoint();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QOpenGLWidget::mousePressEvent(event);
        return;
    }
    const QPoint position = event->position().toPoint();
    const bool plain = !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    if (plain && leftDragCalls_.press) {
        leftDrag_ = leftDragCalls_.press(position.x(), position.y());
        if (!leftDrag_) {
            RouteMouse(kMsgLeftButtonDown, event);
        }
        return;
    }
    RouteMouse(kMsgLeftButtonDown, event);
    view_.OnLeftButtonDown(position.x(), position.y());
}

void GlViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && leftDrag_) {
        leftDrag_ = false;
        if (leftDragCalls_.release) {
            leftDragCalls_.release();
        }
    } else if (event->button() == Qt::LeftButton) {
        RouteMouse(kMsgLeftButtonUp, event);
    } else if (event->button() == Qt::MiddleButton) {
        middleDrag_.reset();
    }
}

void GlViewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (leftDrag_ && (event->buttons() & Qt::LeftButton) && leftDragCalls_.move) {
        const QPoint position = event->position().toPoint();
        leftDragCalls_.move(position.x(), position.y());
    } else {
        RouteMouse(kMsgMouseMove, event);
    }
    if (!middleDrag_ || !(event->buttons() & Qt::MiddleButton)) {
        return;
    }
    const QPoint position = event->position().toPoint();
    const QPoint moved = position - *middleDrag_;
    middleDrag_ = position;
    if (event->modifiers() & Qt::ShiftModifier) {
        emit PanDragged(moved.x(), moved.y());
    } else {
        emit OrbitDragged(moved.x(), moved.y());
    }
}

void GlViewWidget::wheelEvent(QWheelEvent* event) {
    // One notch of an ordinary wheel is 120; touchpads send smaller steps.
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0.0) {
        emit WheelTurned(notches);
    }
    event->accept();
}

void GlViewWidget::RouteKey(uint32_t message, QKeyEvent* event) {
    const uint32_t key = VirtualKeyFromQt(event->key(), event->modifiers());
    if (key != 0) {
        view_.RouteMessage(message, key, 0);
    }
}

void GlViewWidget::keyPressEvent(QKeyEvent* event) {
    RouteKey(kMsgKeyDown, event);
    QOpenGLWidget::keyPressEvent(event);
}

void GlViewWidget::keyReleaseEvent(QKeyEvent* event) {
    // X11 repeats a held key as release and press pairs; only the real release ends a ramp.
    if (!event->isAutoRepeat()) {
        RouteKey(kMsgKeyUp, event);
    }
    QOpenGLWidget::keyReleaseEvent(event);
}

}  // namespace platform
