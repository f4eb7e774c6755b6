#pragma once

#include <QImage>
#include <memory>

#include "scene/forward.h"

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace platform {

using namespace ::scene;

class GlSceneRenderer;

// Draws stages into an off-screen framebuffer of a fixed size with its own OpenGL context:
// for pictures of the scene without a window and for measuring the renderer. Needs a
// QGuiApplication.
class OffscreenRenderer {
  public:
    OffscreenRenderer();
    ~OffscreenRenderer();

    // False when no OpenGL context or framebuffer can be had.
    bool Create(int width, int height);
    // Draws the stage and waits until OpenGL has finished.
    void Draw(const C3dStage& stage);
    QImage Picture();

  private:
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOpenGLFramebufferObject> framebuffer_;
    std::unique_ptr<GlSceneRenderer> renderer_;
};

}  // namespace platform
