#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "scene/color.h"
#include "scene/frame.h"
#include "scene/mesh.h"

namespace scene {

class C3dImage;
class C3dTexture;
class C3dViewport;

// A frame that draws one mesh. The shape owns its mesh and the images handed to it; the
// visual it draws is normally its own mesh, but any mesh can be attached instead.
class C3dShape : public C3dFrame {
  public:
    C3dShape();
    ~C3dShape() override;

    // Detaches the visual, empties the mesh, removes all children and resets placement, spin
    // and name.
    void Reset();
    // Detaches the current visual and attaches the given one (none: draws nothing).
    void SetVisual(const C3dMesh* visual) { visual_ = visual; }
    const C3dMesh* GetVisual() const { return visual_; }
    C3dMesh& Mesh() { return mesh_; }
    const C3dMesh& Mesh() const { return mesh_; }

    // Adds faces from a vertex array and a face list {n, i1, ..., in}... 0 (with normals:
    // vertex/normal index pairs). faceDataWords bounds the list. Without normals and with
    // generateNormals, normals are generated; without either, corners take the face normal.
    // Re-attaches the mesh and switches perspective-correct texturing on.
    bool CreateFromFaces(const Vector* vertices, int vertexCount, const Vector* normals,
                         int normalCount, const uint32_t* faceData, size_t faceDataWords,
                         bool generateNormals = true);
    bool CreateFromFaces(const Vector* vertices, int vertexCount, const Vector* normals,
                         int normalCount, const int32_t* faceData, size_t faceDataWords,
                         bool generateNormals = true);

    // Primitives; each resets the shape first. Sphere about the origin with bands rings and
    // bands sectors (at least 3); "Sphere".
    bool CreateSphere(double radius, int bands);
    // Revolves profile points (x = distance from the axis, z = place along it) about the
    // local z axis in sides steps; ends with a nonzero radius are capped. "Solid of
    // revolution".
    bool CreateSolidOfRevolution(std::span<const Vector> profile, int sides);
    // Along local z from 0 to length; "Tube" when both radii are equal, else "Cone".
    bool CreateTube(double startRadius, double endRadius, double length, int sides);
    // Between two points given in the shape's coordinates; named as above.
    bool CreateTube(const Vector& start, double startRadius, const Vector& end, double endRadius,
                    int sides);

    bool GetBox(Vector& min, Vector& max) const;
    int GetFaceCount() const { return mesh_.GetFaceCount(); }
    bool SetColor(double r, double g, double b);
    // Fails for a face index outside the mesh.
    bool SetFaceColor(int face, double r, double g, double b);
    bool SetTexture(const C3dTexture* texture);
    bool SetFaceTexture(int first, int count, const C3dTexture* texture);
    Vector GetFaceNormal(int face) const { return mesh_.FaceNormal(face); }
    // C3D_QUALITY_SOLID or C3D_QUALITY_WIREFRAME.
    bool SetQuality(int preset);
    int GetQuality() const { return mesh_.GetQuality(); }

    // The face under view position (x, y) and, when asked, the point on it in the shape's own
    // coordinates. Fails when the view's pick does not report this shape there or the shape
    // has no faces; face is -1 when no face contains the position.
    bool HitTest(double x, double y, const C3dViewport& view, int* face, Vector* point = nullptr);

    // The shape takes ownership of the image and deletes it with itself.
    void AdoptImage(C3dImage* image);

  private:
    template <typename Word>
    bool CreateFrom(const Vector* vertices, int vertexCount, const Vector* normals, int normalCount,
                    const Word* faceData, size_t faceDataWords, bool generateNormals);
    bool BuildFrom(const std::vector<Vector>& vertices, const std::vector<uint32_t>& faces,
                   const char* name);

    std::vector<std::unique_ptr<C3dImage>> images_;
    const C3dMesh* visual_ = nullptr;
    C3dMesh mesh_;
};

// A shape made by a mesh import.
class C3dImportShape : public C3dShape {};

}  // namespace scene
