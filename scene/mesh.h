#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "scene/color.h"
#include "scene/vector.h"

namespace scene {

class C3dImage;
class C3dTexture;

// Render presets in the platform's render-quality encoding.
enum : int {
    C3D_QUALITY_SOLID = 137,     // Gouraud shading, lighting on, filled
    C3D_QUALITY_WIREFRAME = 64,  // flat shading, lighting off, wireframe
};

// Skin coordinates of one vertex.
struct C3dTexCoord {
    float u = 0.0f;
    float v = 0.0f;
};

// One face: a run of corners in the mesh's corner arrays, its colour and texture. A face with
// a texture shows the texture; one without shows its colour.
struct C3dFace {
    int firstCorner = 0;
    int cornerCount = 0;
    C3dColor color;
    const C3dTexture* texture = nullptr;  // not owned
};

// The geometry a shape draws, kept in the form a renderer reads directly: vertex positions,
// normals, skin coordinates, and per face its corners (vertex and normal indices), colour and
// texture. Faces are wound clockwise seen from their front; the face normal is
// (b - a) x (c - a) of the first three corners.
class C3dMesh {
  public:
    // Appends vertices and faces. faceData is {n, i1, ..., in}... 0 with vertex indices, or,
    // when normals are given, {n, v1, n1, ..., vn, nn}... 0 with vertex/normal index pairs.
    // Indices are relative to the given arrays. The list must end with its 0 word within
    // faceData; any bad count or index fails and leaves the mesh unchanged.
    bool AddFaces(std::span<const Vector> vertices, std::span<const Vector> normals,
                  std::span<const uint32_t> faceData);
    bool AddFaces(std::span<const Vector> vertices, std::span<const Vector> normals,
                  std::span<const int32_t> faceData);
    // Per-vertex normals averaged from the faces around each vertex.
    void GenerateNormals();
    void Clear();

    int GetVertexCount() const { return static_cast<int>(vertices_.size()); }
    int GetFaceCount() const { return static_cast<int>(faces_.size()); }
    const std::vector<Vector>& Vertices() const { return vertices_; }
    const std::vector<Vector>& Normals() const { return normals_; }
    const std::vector<C3dTexCoord>& TexCoords() const { return texCoords_; }
    const std::vector<C3dFace>& Faces() const { return faces_; }
    // Vertex and normal indices of a face's corners; empty for an index out of range.
    std::span<const int> FaceVertices(int face) const;
    std::span<const int> FaceNormals(int face) const;
    // Unit normal of a face; (0, 0, 1) for an index out of range or a degenerate face.
    Vector FaceNormal(int face) const;
    // Words the face list takes in the vertex/normal pair layout, ending 0 included.
    int GetFaceDataSize() const;
    // Smallest and largest corner; false for a mesh without vertices.
    bool GetBox(Vector& min, Vector& max) const;

    bool SetVertex(int index, const Vector& position);
    bool SetTexCoord(int index, float u, float v);
    void SetColor(const C3dColor& color);
    bool SetFaceColor(int face, const C3dColor& color);
    void SetTexture(const C3dTexture* texture);
    // Faces first..first+count-1; a range not wholly inside the mesh is refused.
    bool SetFaceTexture(int first, int count, const C3dTexture* texture);
    void SetQuality(int quality);
    int GetQuality() const { return quality_; }
    // A picture laid over every face, placed by one coordinate per corner (fractions of the
    // picture, v running down), in face order. Faces keep their colours: a renderer shows
    // white faces with the plain skin and tints the others, so that selections and groups stay
    // visible. Refused (the skin left as it was) when the count differs from the corners'.
    // Adding faces or clearing the mesh drops the skin.
    bool SetSkin(const C3dImage* skin, std::vector<C3dTexCoord> cornerCoords);
    void ClearSkin();
    const C3dImage* GetSkin() const { return skin_; }
    // Skin coordinates of a face's corners; empty without a skin or for an index out of range.
    std::span<const C3dTexCoord> FaceSkinCoords(int face) const;
    // How strongly a coloured face tints the skin: 0 not at all, 1 the colour alone.
    void SetSkinTint(float tint) { skinTint_ = tint; }
    float GetSkinTint() const { return skinTint_; }
    int GetCornerCount() const { return static_cast<int>(cornerVertices_.size()); }
    // Texturing with perspective correction, as every editor mesh asks for.
    void SetPerspective(bool on) { perspective_ = on; }
    bool GetPerspective() const { return perspective_; }

    // Grows with every change, so a renderer can tell when to upload again.
    uint64_t GetRevision() const { return revision_; }

  private:
    template <typename Word>
    bool AddFacesFrom(std::span<const Vector> vertices, std::span<const Vector> normals,
                      std::span<const Word> faceData);
    // Gives every corner of the faces from firstFace on its face's normal.
    void UseFaceNormals(int firstFace);
    void Touch() { ++revision_; }

    std::vector<Vector> vertices_;
    std::vector<Vector> normals_;
    std::vector<C3dTexCoord> texCoords_;
    std::vector<int> cornerVertices_;
    std::vector<int> cornerNormals_;
    std::vector<C3dFace> faces_;
    const C3dImage* skin_ = nullptr;  // not owned
    float skinTint_ = 0.6f;
    std::vector<C3dTexCoord> skinCoords_;
    int quality_ = C3D_QUALITY_SOLID;
    bool perspective_ = false;
    uint64_t revision_ = 0;
};

}  // namespace scene
