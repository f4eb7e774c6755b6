#pragma once

#include <cstdint>
#include <memory>

#include "editor/model/mesh_data.h"
#include "scene/vector.h"

#include "scene/forward.h"

namespace editor::model {

using namespace ::scene;

// Display modes a part can be coloured in.
enum : uint32_t {
    DISPLAY_NORMAL = 0,      // white faces
    DISPLAY_CONNECTING = 1,  // blue faces
};

// Kinds of part.
enum : int32_t {
    PART_PLAIN = -1,
    PART_JOINT = 1,
    PART_BONE = 2,
};

// A mesh of the document with its placement and the scene shape that draws it. The part owns
// the shape: it is deleted when replaced, when the part is reset and with the part. The drawing
// operations change the stored flags at any time and act on the shape only when there is one,
// so flags set before a shape exists are applied when it is attached.
class MeshPart {
  public:
    MeshPart();
    virtual ~MeshPart();
    MeshPart(const MeshPart&) = delete;
    MeshPart& operator=(const MeshPart&) = delete;

    // 1: drawn in the colours of the display mode (solid when `solid` is set); 0: black
    // wireframe.
    virtual void Show(uint32_t flag);
    // Stores the mode and recolours the shape for it.
    virtual void SetDisplayMode(uint32_t mode);
    // Clears the first display flag and recolours for the current mode.
    virtual void Refresh();
    // Reads the shape's placement relative to the scene into position, direction and up.
    virtual void CapturePlacement();
    // Places the shape relative to the scene from position, direction and up.
    virtual void ApplyPlacement();

    // Releases the shape, clears the mesh and restores every flag and vector.
    void Reset();
    // Takes ownership of shape (null: none), releasing the old one, and draws it as the flags say.
    void SetShape(std::unique_ptr<C3dShape> newShape);
    // Builds a new shape from the mesh, named like the old one, and shows it. Fails, keeping the
    // old shape, when the shape cannot take the mesh.
    bool RebuildShape();
    C3dShape* Shape() const { return shape.get(); }
    void ReleaseShape();
    // The picture drawn over the faces by the mesh's texture coordinates (none: plain face
    // colours). Not owned; kept across shape rebuilds until changed or the part is reset.
    void SetSkin(const C3dImage* picture);
    const C3dImage* Skin() const { return skin; }
    // 1: Gouraud-shaded solid; 0: wireframe. A hidden part stays a black wireframe until shown.
    void ShowSolid(uint32_t flag);
    void MarkModified() { modified = 1; }
    void ClearMesh();
    // Mirror the geometry, taken back from the shape first so that scene transforms are kept;
    // the winding is reversed so that normals still point outwards. The caller rebuilds the
    // shape. Fail, changing nothing, when the shape's geometry does not fit the mesh.
    bool FlipX() { return Flip(0); }
    bool FlipY() { return Flip(1); }
    bool FlipZ() { return Flip(2); }

    Vector up{0.0, 1.0, 0.0};
    Vector direction{1.0, 0.0, 0.0};
    Vector position{0.0, 0.0, 0.0};
    int32_t kind = PART_PLAIN;
    uint32_t modified = 0;
    uint32_t solid = 1;
    uint32_t visible = 1;
    std::unique_ptr<C3dShape> shape;
    MeshData mesh;
    // The document's scene frame; placements are relative to it.
    C3dScene* scene = nullptr;
    uint32_t displayMode = DISPLAY_NORMAL;
    uint32_t displayFlags[2] = {};

  protected:
    // Lays the skin over the shape when its faces are the mesh's triangles, else takes it off.
    void ApplySkin();
    // Colours the whole shape: the mode's colour while visible, black otherwise.
    void ApplyColour();
    void ApplyQuality();

  private:
    bool Flip(int axis);

    const C3dImage* skin = nullptr;
};

}  // namespace editor::model
