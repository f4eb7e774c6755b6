#include "platform/offscreen_renderer.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>

#include "platform/gl_scene_renderer.h"

namespace platform {

OffscreenRenderer::OffscreenRenderer() = default;

OffscreenRenderer::~OffscreenRenderer() {
    if (context_ && surface_ && context_->makeCurrent(surface_.get())) {
        if (renderer_) {
            renderer_->Release();
        }
        framebuffer_.reset();
        context_->doneCurrent();
    }
}

bool OffscreenRenderer::Create(int width, int height) {
    surface_ = std::make_unique<QOffscreenSurface>();
    surface_->create();
    context_ = std::make_unique<QOpenGLContext>();
    if (!context_->create() || !context_->makeCurrent(surface_.get())) {
        return false;
    }
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::Depth);
    framebuffer_ = std::make_unique<QOpenGLFramebufferObject>(width, height, format);
    renderer_ = std::make_unique<GlSceneRenderer>();
    return framebuffer_->isValid() && renderer_->Initialize();
}

void OffscreenRenderer::Draw(const C3dStage& stage) {
    context_->makeCurrent(surface_.get());
    framebuffer_->bind();
    renderer_->Draw(stage, framebuffer_->width(), framebuffer_->height());
    context_->functions()->glFinish();
}

QImage OffscreenRenderer::Picture() {
    context_->makeCurrent(surface_.get());
    return framebuffer_->toImage();
}

}  // namespace platform
