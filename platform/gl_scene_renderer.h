#pragma once

#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/mesh_geometry.h"
#include "scene/color.h"
#include "scene/matrix.h"

#include "scene/forward.h"

namespace platform {

using namespace ::scene;

// Draws a stage's scene with OpenGL through the scene's one projection: solid meshes Gouraud
// shaded and lit by the scene's ambient, directional and point lights; wireframe meshes as
// flat, unlit lines of their face colours, so what lies behind shows through; textures on
// the faces that carry one, with their transparent colour left out; a mesh's skin over all
// its faces, tinted by the faces that are not white; the background colour
// and picture; depth testing. Meshes and pictures are uploaded once and again only when they
// change. Every call needs the same current OpenGL context.
class GlSceneRenderer : protected QOpenGLFunctions {
  public:
    GlSceneRenderer();
    ~GlSceneRenderer();
    GlSceneRenderer(const GlSceneRenderer&) = delete;
    GlSceneRenderer& operator=(const GlSceneRenderer&) = delete;

    bool Initialize();
    bool IsInitialized() const { return program_ != nullptr; }
    // Clears a framebuffer of width x height pixels and draws the stage into it.
    void Draw(const C3dStage& stage, int pixelWidth, int pixelHeight);
    // Frees every OpenGL object; the context must still be current.
    void Release();

  private:
    struct MeshBuffers;
    struct TextureEntry;
    struct LightSet;

    void DrawBackground(const C3dScene& scene);
    // The mesh of a frame drawn on top is put aside in `onTop` (with its world transform) when
    // one is given, and drawn by the second pass; its children go their own ways.
    struct OnTopFrame;
    void DrawFrame(const C3dFrame& frame, const C3dMatrix& parentWorld, const C3dMatrix& viewClip,
                   const LightSet& lights, std::vector<OnTopFrame>* onTop);
    void DrawOnTop(const std::vector<OnTopFrame>& frames, const C3dMatrix& viewClip,
                   const LightSet& lights);
    void DrawMesh(const C3dMesh& mesh, const C3dMatrix& world, const C3dMatrix& viewClip,
                  const LightSet& lights);
    void SetLights(const LightSet& lights, bool lit);
    void BindVertexLayout(unsigned buffer);
    MeshBuffers& BuffersFor(const C3dMesh& mesh);
    // The texture object of a picture (0 when it has no pixels).
    unsigned TextureFor(const C3dImage& image);
    void SweepUnused();

    // Locations of the shader's uniforms, looked up once.
    struct Uniforms {
        int clip = -1;
        int world = -1;
        int normalMatrix = -1;
        int lit = -1;
        int ambient = -1;
        int lightCount = -1;
        int lightVector = -1;
        int lightColor = -1;
        int textured = -1;
        int texture = -1;
        int skinned = -1;
        int skinTint = -1;
    };

    std::unique_ptr<QOpenGLShaderProgram> program_;
    Uniforms uniforms_;
    std::unordered_map<const C3dMesh*, std::unique_ptr<MeshBuffers>> meshes_;
    std::unordered_map<const C3dImage*, std::unique_ptr<TextureEntry>> textures_;
    unsigned quadBuffer_ = 0;
};

}  // namespace platform
