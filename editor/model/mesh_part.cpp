#include "editor/model/mesh_part.h"

#include <algorithm>
#include <string>
#include <utility>

#include "editor/model/face_colours.h"
#include "editor/model/read_back_geometry.h"
#include "editor/model/skin_coordinates.h"
#include "scene/mesh.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::model {

using namespace ::scene;

namespace {

FaceColour ModeColour(uint32_t mode) {
    return mode == DISPLAY_CONNECTING ? FaceColour::Blue : FaceColour::White;
}

// Joints and bones in the normal mode: a yellow that stands out from the white wireframe, the
// blue and red marks and most skins.
constexpr C3dColor SKELETON_COLOUR{1.0f, 0.8f, 0.1f};
// The selected joint or bone (its highlight flag set), kept when the skeleton is shown again.
constexpr C3dColor SELECTED_SKELETON_COLOUR{1.0f, 0.0f, 0.0f};

bool IsSkeletonPart(int32_t kind) {
    return kind == PART_JOINT || kind == PART_BONE;
}

}  // namespace

MeshPart::MeshPart() = default;

MeshPart::~MeshPart() = default;

void MeshPart::ApplyColour() {
    if (shape == nullptr) {
        return;
    }
    const bool skeleton = IsSkeletonPart(kind) && visible;
    // The skeleton is drawn over the mesh it is fitted into, so that it can be seen and picked
    // inside a wireframe or a solid model.
    shape->SetDrawnOnTop(skeleton);
    if (skeleton && displayMode == DISPLAY_NORMAL) {
        const C3dColor colour = displayFlags[1] ? SELECTED_SKELETON_COLOUR : SKELETON_COLOUR;
        shape->SetTexture(nullptr);
        shape->SetColor(colour.r, colour.g, colour.b);
        return;
    }
    ColourShape(*shape, visible ? ModeColour(displayMode) : FaceColour::Black);
}

void MeshPart::ApplySkin() {
    if (shape == nullptr) {
        return;
    }
    C3dMesh& drawn = shape->Mesh();
    const bool fits = drawn.GetCornerCount() == 3 * mesh.TriangleCount();
    if (skin == nullptr || !fits || !drawn.SetSkin(skin, SkinCoordinates(mesh))) {
        drawn.ClearSkin();
    }
}

void MeshPart::SetSkin(const C3dImage* picture) {
    skin = picture;
    ApplySkin();
}

void MeshPart::ApplyQuality() {
    if (shape == nullptr) {
        return;
    }
    const bool drawSolid = visible && solid;
    shape->SetQuality(drawSolid ? C3D_QUALITY_SOLID : C3D_QUALITY_WIREFRAME);
}

void MeshPart::Show(uint32_t flag) {
    visible = flag ? 1 : 0;
    if (shape == nullptr) {
        return;
    }
    ApplyQuality();
    if (visible) {
        SetDisplayMode(displayMode);
    } else {
        ApplyColour();
    }
}

void MeshPart::SetDisplayMode(uint32_t mode) {
    displayMode = mode;
    ApplyColour();
}

void MeshPart::Refresh() {
    displayFlags[0] = 0;
    SetDisplayMode(displayMode);
}

void MeshPart::CapturePlacement() {
    if (shape == nullptr) {
        return;
    }
    shape->GetOrientation(scene, direction, up);
    position = shape->GetPosition(scene);
}

void MeshPart::ApplyPlacement() {
    if (shape == nullptr) {
        return;
    }
    shape->SetPosition(position, scene);
    shape->SetOrientation(direction, up, scene);
}

void MeshPart::Reset() {
    ReleaseShape();
    mesh.Clear();
    up = Vector(0.0, 1.0, 0.0);
    direction = Vector(1.0, 0.0, 0.0);
    position = Vector(0.0, 0.0, 0.0);
    kind = PART_PLAIN;
    modified = 0;
    solid = 1;
    visible = 1;
    displayMode = DISPLAY_NORMAL;
    displayFlags[0] = displayFlags[1] = 0;
    skin = nullptr;
}

void MeshPart::SetShape(std::unique_ptr<C3dShape> newShape) {
    shape = std::move(newShape);
    ApplySkin();
    ShowSolid(solid);
    SetDisplayMode(displayMode);
}

bool MeshPart::RebuildShape() {
    // A list that does not hold triangles is drawn as no faces at all.
    static const int32_t noFaces[1] = {0};
    const int triangles = mesh.TriangleCount();
    const int32_t* faceData = mesh.IsTriangleList() ? mesh.faces : noFaces;
    const size_t faceWords = static_cast<size_t>(triangles) * FACE_RECORD_WORDS + 1;
    const int vertexCount = std::clamp<int32_t>(mesh.vertexCount, 0, MAX_MESH_ELEMENTS);

    auto fresh = std::make_unique<C3dShape>();
    if (!fresh->CreateFromFaces(mesh.vertices, vertexCount, nullptr, 0, faceData, faceWords,
                                true)) {
        return false;
    }
    if (shape != nullptr) {
        fresh->SetName(shape->GetName());
    }
    SetShape(std::move(fresh));
    Show(1);
    return true;
}

void MeshPart::ReleaseShape() {
    shape.reset();
}

void MeshPart::ShowSolid(uint32_t flag) {
    solid = flag ? 1 : 0;
    ApplyQuality();
}

void MeshPart::ClearMesh() {
    mesh.Clear();
    modified = 0;
}

bool MeshPart::Flip(int axis) {
    if (shape != nullptr && !ReadBackGeometry(*shape, mesh, scene, false)) {
        return false;
    }
    mesh.NegateCoordinate(axis);
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        mesh.ReverseTriangle(t);
    }
    MarkModified();
    return true;
}

}  // namespace editor::model
