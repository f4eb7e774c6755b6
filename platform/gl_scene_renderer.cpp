#include "platform/gl_scene_renderer.h"

#include <algorithm>
#include <array>

#include "platform/image_pixels.h"
#include "scene/light.h"
#include "scene/mesh.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/stage.h"
#include "scene/texture.h"

namespace platform {

using namespace ::scene;

namespace {

constexpr int kMaxLights = 8;

const char* const kVertexShader = R"(
attribute vec3 aPosition;
attribute vec3 aNormal;
attribute vec3 aColor;
attribute vec2 aTexCoord;
uniform mat4 uClip;
uniform mat4 uWorld;
uniform mat3 uNormalMatrix;
uniform bool uLit;
uniform vec3 uAmbient;
uniform int uLightCount;
uniform vec4 uLightVector[8];
uniform vec3 uLightColor[8];
varying vec3 vColor;
varying vec3 vLight;
varying vec2 vTexCoord;
void main() {
    gl_Position = uClip * vec4(aPosition, 1.0);
    vColor = aColor;
    vTexCoord = aTexCoord;
    vLight = vec3(1.0);
    if (uLit) {
        vec3 n = normalize(uNormalMatrix * aNormal);
        vec3 worldPosition = (uWorld * vec4(aPosition, 1.0)).xyz;
        vec3 light = uAmbient;
        for (int i = 0; i < 8; ++i) {
            if (i >= uLightCount) break;
            vec3 toLight = uLightVector[i].w == 0.0
                ? -uLightVector[i].xyz
                : normalize(uLightVector[i].xyz - worldPosition);
            light += uLightColor[i] * max(dot(n, toLight), 0.0);
        }
        vLight = min(light, vec3(1.0));
    }
}
)";

const char* const kFragmentShader = R"(
#ifdef GL_ES
precision mediump float;
#endif
uniform bool uTextured;
uniform bool uSkinned;
uniform float uSkinTint;
uniform sampler2D uTexture;
varying vec3 vColor;
varying vec3 vLight;
varying vec2 vTexCoord;
void main() {
    vec3 base = vColor;
    if (uTextured) {
        vec4 texel = texture2D(uTexture, vTexCoord);
        if (texel.a < 0.5) discard;
        base = texel.rgb;
    }
    if (uSkinned) {
        // White faces show the plain skin; coloured ones (selection, groups, bindings) tint
        // it strongly enough to stay readable on any skin.
        vec3 skin = texture2D(uTexture, vTexCoord).rgb;
        bool white = vColor.r + vColor.g + vColor.b > 2.99;
        base = white ? skin : mix(skin, vColor, uSkinTint);
    }
    gl_FragColor = vec4(base * vLight, 1.0);
}
)";

enum Attribute : int { kPosition = 0, kNormal = 1, kColor = 2, kTexCoord = 3 };

// OpenGL takes matrices column by column; C3dMatrix keeps them row by row.
std::array<float, 16> ColumnMajor(const C3dMatrix& matrix) {
    std::array<float, 16> out{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            out[column * 4 + row] = static_cast<float>(matrix.m[row][column]);
        }
    }
    return out;
}

// Normals follow the inverse transpose, since bones are scaled along one axis only.
std::array<float, 9> NormalMatrix(const C3dMatrix& world) {
    C3dMatrix inverse;
    const bool invertible = world.Inverse(inverse);
    std::array<float, 9> out{};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const double value = invertible ? inverse.m[column][row] : world.m[row][column];
            out[column * 3 + row] = static_cast<float>(value);
        }
    }
    return out;
}

}  // namespace

struct GlSceneRenderer::MeshBuffers {
    uint64_t revision = 0;
    int vertexCount = 0;
    int faceCount = 0;
    const void* vertexData = nullptr;
    unsigned triangleBuffer = 0;
    unsigned lineBuffer = 0;
    std::vector<TextureBatch> batches;
    int lineVertices = 0;
    bool used = false;
};

struct GlSceneRenderer::TextureEntry {
    uint64_t revision = 0;
    const void* pixels = nullptr;
    int width = 0;
    int height = 0;
    bool keyed = false;
    C3dColor key;
    unsigned id = 0;
    bool used = false;
};

struct GlSceneRenderer::LightSet {
    C3dColor ambient{0.0f, 0.0f, 0.0f};
    int count = 0;
    std::array<float, 4 * kMaxLights> vectors{};
    std::array<float, 3 * kMaxLights> colors{};

    void Add(const C3dLight& light) {
        const C3dColor color = light.GetColor();
        if (light.GetKind() == C3dLightKind::Ambient) {
            ambient = {ambient.r + color.r, ambient.g + color.g, ambient.b + color.b};
            return;
        }
        if (count == kMaxLights) {
            return;
        }
        const C3dMatrix world = light.GetWorldTransform();
        const bool directional = light.GetKind() == C3dLightKind::Directional ||
                                 light.GetKind() == C3dLightKind::ParallelPoint;
        Vector v = directional ? world.Column(2) : world.Column(3);
        if (directional) {
            v.Normalize();
        }
        vectors[4 * count] = v.x;
        vectors[4 * count + 1] = v.y;
        vectors[4 * count + 2] = v.z;
        vectors[4 * count + 3] = directional ? 0.0f : 1.0f;
        colors[3 * count] = color.r;
        colors[3 * count + 1] = color.g;
        colors[3 * count + 2] = color.b;
        ++count;
    }
};

struct GlSceneRenderer::OnTopFrame {
    const C3dMesh* mesh;
    C3dMatrix world;
};

GlSceneRenderer::GlSceneRenderer() = default;

GlSceneRenderer::~GlSceneRenderer() = default;

bool GlSceneRenderer::Initialize() {
    initializeOpenGLFunctions();
    auto program = std::make_unique<QOpenGLShaderProgram>();
    if (!program->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) ||
        !program->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader)) {
        return false;
    }
    program->bindAttributeLocation("aPosition", kPosition);
    program->bindAttributeLocation("aNormal", kNormal);
    program->bindAttributeLocation("aColor", kColor);
    program->bindAttributeLocation("aTexCoord", kTexCoord);
    if (!program->link()) {
        return false;
    }
    program_ = std::move(program);
    uniforms_ = {
        program_->uniformLocation("uClip"),         program_->uniformLocation("uWorld"),
        program_->uniformLocation("uNormalMatrix"), program_->uniformLocation("uLit"),
        program_->uniformLocation("uAmbient"),      program_->uniformLocation("uLightCount"),
        program_->uniformLocation("uLightVector"),  program_->uniformLocation("uLightColor"),
        program_->uniformLocation("uTextured"),     program_->uniformLocation("uTexture"),
        program_->uniformLocation("uSkinned"),      program_->uniformLocation("uSkinTint")};
    // A full-view quad for the background picture, in clip coordinates.
    const float quad[] = {-1, -1, 0, 0, 0, 1, 1, 1, 1, 0, 0,  //
                          1,  -1, 0, 0, 0, 1, 1, 1, 1, 1, 0,  //
                          1,  1,  0, 0, 0, 1, 1, 1, 1, 1, 1,  //
                          -1, -1, 0, 0, 0, 1, 1, 1, 1, 0, 0,  //
                          1,  1,  0, 0, 0, 1, 1, 1, 1, 1, 1,  //
                          -1, 1,  0, 0, 0, 1, 1, 1, 1, 0, 1};
    glGenBuffers(1, &quadBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, quadBuffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof(quad), quad, GL_STATIC_DRAW);
    return true;
}

void GlSceneRenderer::Release() {
    for (auto& [mesh, buffers] : meshes_) {
        glDeleteBuffers(1, &buffers->triangleBuffer);
        glDeleteBuffers(1, &buffers->lineBuffer);
    }
    meshes_.clear();
    for (auto& [image, texture] : textures_) {
        glDeleteTextures(1, &texture->id);
    }
    textures_.clear();
    if (quadBuffer_ != 0) {
        glDeleteBuffers(1, &quadBuffer_);
        quadBuffer_ = 0;
    }
    program_.reset();
}

void GlSceneRenderer::Draw(const C3dStage& stage, int pixelWidth, int pixelHeight) {
    if (!program_) {
        return;
    }
    glViewport(0, 0, pixelWidth, pixelHeight);
    const C3dScene* scene = stage.GetScene();
    const C3dColor background = scene ? scene->GetBackgroundColor() : C3dColor{0, 0, 0};
    glClearColor(background.r, background.g, background.b, 1.0f);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!scene) {
        return;
    }
    program_->bind();
    DrawBackground(*scene);

    LightSet lights;
    lights.Add(scene->GetAmbientLight());
    for (const auto& light : scene->GetLights()) {
        lights.Add(*light);
    }
    const C3dViewport& viewport = stage.GetViewport();
    const C3dMatrix viewClip = viewport.GetClipMatrix() * viewport.GetViewMatrix();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    // The scene is left-handed: front faces turn clockwise on screen.
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    const C3dFrame* parent = scene->GetParent();
    std::vector<OnTopFrame> onTop;
    DrawFrame(*scene, parent ? parent->GetWorldTransform() : C3dMatrix(), viewClip, lights, &onTop);
    DrawOnTop(onTop, viewClip, lights);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    program_->release();
    SweepUnused();
}

void GlSceneRenderer::DrawBackground(const C3dScene& scene) {
    const C3dImage* image = scene.GetBackgroundImage();
    const unsigned texture = image ? TextureFor(*image) : 0;
    if (texture == 0) {
        return;
    }
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    const auto identity = ColumnMajor(C3dMatrix());
    glUniformMatrix4fv(uniforms_.clip, 1, GL_FALSE, identity.data());
    SetLights(LightSet{}, false);
    program_->setUniformValue(uniforms_.textured, true);
    program_->setUniformValue(uniforms_.skinned, false);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    program_->setUniformValue(uniforms_.texture, 0);
    BindVertexLayout(quadBuffer_);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glDepthMask(GL_TRUE);
}

void GlSceneRenderer::DrawFrame(const C3dFrame& frame, const C3dMatrix& parentWorld,
                                const C3dMatrix& viewClip, const LightSet& lights,
                                std::vector<OnTopFrame>* onTop) {
    if (!frame.IsVisible()) {
        return;
    }
    const C3dMatrix world = parentWorld * frame.GetTransform();
    if (const auto* shape = dynamic_cast<const C3dShape*>(&frame)) {
        if (const C3dMesh* visual = shape->GetVisual()) {
            if (onTop != nullptr && frame.IsDrawnOnTop()) {
                onTop->push_back({visual, world});
            } else {
                DrawMesh(*visual, world, viewClip, lights);
            }
        }
    }
    for (const C3dFrame* child : frame.GetChildren()) {
        DrawFrame(*child, world, viewClip, lights, onTop);
    }
}

void GlSceneRenderer::DrawOnTop(const std::vector<OnTopFrame>& frames, const C3dMatrix& viewClip,
                                const LightSet& lights) {
    if (frames.empty()) {
        return;
    }
    // Over the mesh, but still in depth among themselves; lit mostly by ambient light so that
    // their colour reads from every side, also where the scene's light falls behind them.
    glClear(GL_DEPTH_BUFFER_BIT);
    LightSet bright = lights;
    bright.ambient = {std::max(bright.ambient.r, 0.75f), std::max(bright.ambient.g, 0.75f),
                      std::max(bright.ambient.b, 0.75f)};
    for (const OnTopFrame& entry : frames) {
        DrawMesh(*entry.mesh, entry.world, viewClip, bright);
    }
}

void GlSceneRenderer::DrawMesh(const C3dMesh& mesh, const C3dMatrix& world,
                               const C3dMatrix& viewClip, const LightSet& lights) {
    MeshBuffers& buffers = BuffersFor(mesh);
    const auto clip = ColumnMajor(viewClip * world);
    const auto worldColumns = ColumnMajor(world);
    const auto normalMatrix = NormalMatrix(world);
    glUniformMatrix4fv(uniforms_.clip, 1, GL_FALSE, clip.data());
    glUniformMatrix4fv(uniforms_.world, 1, GL_FALSE, worldColumns.data());
    glUniformMatrix3fv(uniforms_.normalMatrix, 1, GL_FALSE, normalMatrix.data());
    if (mesh.GetQuality() == C3D_QUALITY_WIREFRAME) {
        SetLights(lights, false);
        program_->setUniformValue(uniforms_.textured, false);
        program_->setUniformValue(uniforms_.skinned, false);
        glDisable(GL_CULL_FACE);
        BindVertexLayout(buffers.lineBuffer);
        glDrawArrays(GL_LINES, 0, buffers.lineVertices);
        return;
    }
    SetLights(lights, true);
    glEnable(GL_CULL_FACE);
    BindVertexLayout(buffers.triangleBuffer);
    for (const TextureBatch& batch : buffers.batches) {
        const unsigned skin = batch.skin ? TextureFor(*batch.skin) : 0;
        const unsigned texture = skin != 0 ? skin : batch.texture ? TextureFor(*batch.texture) : 0;
        program_->setUniformValue(uniforms_.textured, skin == 0 && texture != 0);
        program_->setUniformValue(uniforms_.skinned, skin != 0);
        program_->setUniformValue(uniforms_.skinTint, mesh.GetSkinTint());
        if (texture != 0) {
            glActiveTexture(GL_TEXTURE0);
            glBindTexture(GL_TEXTURE_2D, texture);
            program_->setUniformValue(uniforms_.texture, 0);
        }
        glDrawArrays(GL_TRIANGLES, batch.firstVertex, batch.vertexCount);
    }
}

void GlSceneRenderer::SetLights(const LightSet& lights, bool lit) {
    program_->setUniformValue(uniforms_.lit, lit);
    if (!lit) {
        return;
    }
    program_->setUniformValue(uniforms_.ambient, lights.ambient.r, lights.ambient.g,
                              lights.ambient.b);
    program_->setUniformValue(uniforms_.lightCount, lights.count);
    glUniform4fv(uniforms_.lightVector, kMaxLights, lights.vectors.data());
    glUniform3fv(uniforms_.lightColor, kMaxLights, lights.colors.data());
}

void GlSceneRenderer::BindVertexLayout(unsigned buffer) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLsizei stride = kFloatsPerVertex * sizeof(float);
    const struct {
        int attribute;
        int size;
        int offset;
    } layout[] = {{kPosition, 3, 0}, {kNormal, 3, 3}, {kColor, 3, 6}, {kTexCoord, 2, 9}};
    for (const auto& entry : layout) {
        glEnableVertexAttribArray(entry.attribute);
        glVertexAttribPointer(entry.attribute, entry.size, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(entry.offset * sizeof(float)));
    }
}

GlSceneRenderer::MeshBuffers& GlSceneRenderer::BuffersFor(const C3dMesh& mesh) {
    auto& slot = meshes_[&mesh];
    if (!slot) {
        slot = std::make_unique<MeshBuffers>();
        glGenBuffers(1, &slot->triangleBuffer);
        glGenBuffers(1, &slot->lineBuffer);
        slot->revision = mesh.GetRevision() + 1;  // forces the first upload
    }
    MeshBuffers& buffers = *slot;
    buffers.used = true;
    // A deleted mesh's address may come back for a new one, so more than the revision is
    // compared.
    const void* vertexData = mesh.Vertices().data();
    if (buffers.revision == mesh.GetRevision() && buffers.vertexCount == mesh.GetVertexCount() &&
        buffers.faceCount == mesh.GetFaceCount() && buffers.vertexData == vertexData) {
        return buffers;
    }
    const MeshGeometry geometry = BuildMeshGeometry(mesh);
    glBindBuffer(GL_ARRAY_BUFFER, buffers.triangleBuffer);
    glBufferData(GL_ARRAY_BUFFER, geometry.triangles.size() * sizeof(float),
                 geometry.triangles.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, buffers.lineBuffer);
    glBufferData(GL_ARRAY_BUFFER, geometry.lines.size() * sizeof(float), geometry.lines.data(),
                 GL_STATIC_DRAW);
    buffers.batches = geometry.batches;
    buffers.lineVertices = geometry.LineVertexCount();
    buffers.revision = mesh.GetRevision();
    buffers.vertexCount = mesh.GetVertexCount();
    buffers.faceCount = mesh.GetFaceCount();
    buffers.vertexData = vertexData;
    return buffers;
}

unsigned GlSceneRenderer::TextureFor(const C3dImage& image) {
    const auto* texture = dynamic_cast<const C3dTexture*>(&image);
    const bool keyed = texture && texture->HasTransparentColor();
    const C3dColor key = keyed ? texture->GetTransparentColor() : C3dColor{};
    auto& slot = textures_[&image];
    if (!slot) {
        slot = std::make_unique<TextureEntry>();
        glGenTextures(1, &slot->id);
        slot->revision = image.GetRevision() + 1;
    }
    TextureEntry& entry = *slot;
    entry.used = true;
    if (entry.revision != image.GetRevision() || entry.pixels != image.GetBits() ||
        entry.width != image.GetWidth() || entry.height != image.GetHeight() ||
        entry.keyed != keyed || !(entry.key == key)) {
        const std::vector<uint8_t> rgba =
            ImageToRgba(image, keyed ? std::optional<C3dColor>(key) : std::nullopt);
        glBindTexture(GL_TEXTURE_2D, entry.id);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        if (!rgba.empty()) {
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.GetWidth(), image.GetHeight(), 0, GL_RGBA,
                         GL_UNSIGNED_BYTE, rgba.data());
        }
        entry.revision = image.GetRevision();
        entry.pixels = image.GetBits();
        entry.width = image.GetWidth();
        entry.height = image.GetHeight();
        entry.keyed = keyed;
        entry.key = key;
    }
    return image.IsEmpty() ? 0 : entry.id;
}

void GlSceneRenderer::SweepUnused() {
    for (auto it = meshes_.begin(); it != meshes_.end();) {
        if (!it->second->used) {
            glDeleteBuffers(1, &it->second->triangleBuffer);
            glDeleteBuffers(1, &it->second->lineBuffer);
            it = meshes_.erase(it);
        } else {
            it->second->used = false;
            ++it;
        }
    }
    for (auto it = textures_.begin(); it != textures_.end();) {
        if (!it->second->used) {
            glDeleteTextures(1, &it->second->id);
            it = textures_.erase(it);
        } else {
            it->second->used = false;
            ++it;
        }
    }
}

}  // namespace platform
