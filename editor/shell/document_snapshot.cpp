#include "editor/shell/document_snapshot.h"

#include <algorithm>
#include <span>
#include <string>
#include <type_traits>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/group_view.h"
#include "editor/shell/main_frame.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::bytes;
using namespace ::editor::history;
using namespace ::editor::model;
using namespace ::scene;

namespace {

// Plain values are kept as their bytes: a snapshot never leaves the process that took it.
// Records with padding are written field by field, so that equal states give equal bytes.
template <typename T>
void Put(ByteWriter& out, const T* values, std::size_t count) {
    static_assert(std::is_trivially_copyable_v<T>);
    out.AppendBytes({reinterpret_cast<const uint8_t*>(values), sizeof(T) * count});
}

template <typename T>
void Put(ByteWriter& out, const T& value) {
    Put(out, &value, 1);
}

void PutText(ByteWriter& out, const std::string& text) {
    Put(out, static_cast<uint32_t>(text.size()));
    out.AppendBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

void PutSet(ByteWriter& out, const BitSet& set) {
    out.AppendBytes({set.Bytes(), static_cast<std::size_t>(set.ByteCount())});
}

template <typename T>
void Get(ByteReader& in, T* values, std::size_t count) {
    static_assert(std::is_trivially_copyable_v<T>);
    in.ReadBytes(values, sizeof(T) * count);
}

template <typename T>
T Get(ByteReader& in) {
    T value{};
    Get(in, &value, 1);
    return value;
}

std::string GetText(ByteReader& in) {
    std::span<const uint8_t> bytes;
    in.Take(Get<uint32_t>(in), bytes);
    return std::string(bytes.begin(), bytes.end());
}

void GetSet(ByteReader& in, BitSet& set) {
    std::span<const uint8_t> bytes;
    if (in.Take(static_cast<std::size_t>(set.ByteCount()), bytes)) {
        set.LoadBytes(bytes.data(), bytes.size());
    }
}

int InUse(int32_t count) {
    return std::clamp<int32_t>(count, 0, MAX_MESH_ELEMENTS);
}

std::size_t FaceWords(const MeshData& mesh) {
    return static_cast<std::size_t>(InUse(mesh.faceCount)) * FACE_RECORD_WORDS + 1;
}

Section Seal(ByteWriter& out) {
    return std::make_shared<const std::vector<uint8_t>>(out.Take());
}

// --- Taking --------------------------------------------------------------------------------

Section MeshVertices(const MeshData& mesh) {
    ByteWriter out;
    Put(out, mesh.vertexCount);
    Put(out, mesh.vertices, static_cast<std::size_t>(InUse(mesh.vertexCount)));
    return Seal(out);
}

// The vertices of a part as its shape holds them, before the shape's placement: reading the
// scene's geometry back (saving, fitting, generating) writes placed positions into the mesh
// while the shape keeps its placement, and a restore that rebuilt the shape from those and placed
// it again would move the model twice.
Section PartVertices(const MeshPart& part) {
    const C3dShape* shape = part.Shape();
    if (shape == nullptr || shape->Mesh().GetVertexCount() != InUse(part.mesh.vertexCount)) {
        return MeshVertices(part.mesh);
    }
    ByteWriter out;
    Put(out, part.mesh.vertexCount);
    Put(out, shape->Mesh().Vertices().data(), shape->Mesh().Vertices().size());
    return Seal(out);
}

Section MeshTopology(const MeshData& mesh) {
    ByteWriter out;
    Put(out, mesh.faceCount);
    Put(out, mesh.texVertexCount);
    Put(out, mesh.texVertices, static_cast<std::size_t>(InUse(mesh.texVertexCount)));
    Put(out, mesh.faces, FaceWords(mesh));
    Put(out, mesh.texFaces, FaceWords(mesh));
    PutSet(out, mesh.usedVertices);
    Put(out, mesh.oriented);
    return Seal(out);
}

void PutPlacement(ByteWriter& out, const MeshPart& part) {
    const C3dShape* shape = part.Shape();
    Put(out, static_cast<uint8_t>(shape != nullptr));
    if (shape != nullptr) {
        Put(out, &shape->GetTransform().m[0][0], 16);
    }
    Put(out, part.position);
    Put(out, part.direction);
    Put(out, part.up);
}

// Whether the part has a shape, its name, whether it is in the scene, and where it stands.
Section PartShape(const MeshPart& part) {
    ByteWriter out;
    const C3dShape* shape = part.Shape();
    PutText(out, shape != nullptr ? shape->GetName() : std::string());
    Put(out, static_cast<uint8_t>(shape != nullptr && shape->GetParent() != nullptr));
    PutPlacement(out, part);
    return Seal(out);
}

Section Groups(const MeshData& mesh) {
    ByteWriter out;
    const TriangleGroupTable* table = mesh.groupTable.get();
    Put(out, static_cast<int32_t>(table != nullptr ? table->GroupCount() : 0));
    if (table == nullptr) {
        return Seal(out);
    }
    for (int g = 0; g < table->GroupCount(); ++g) {
        PutText(out, table->GroupName(g));
        PutSet(out, *table->GroupSet(g));
    }
    PutSet(out, table->temporaryGroup);
    return Seal(out);
}

Section Bindings(const ModelDocument& document) {
    ByteWriter out;
    for (const BonePart& bone : document.bones) {
        PutSet(out, bone.boundVertices);
        PutSet(out, bone.boundTriangles);
    }
    return Seal(out);
}

Section Skeleton(const ModelDocument& document) {
    ByteWriter out;
    for (const JointPart& joint : document.joints) {
        PutPlacement(out, joint);
    }
    for (const BonePart& bone : document.bones) {
        PutPlacement(out, bone);
        Put(out, bone.length);
    }
    Put(out, document.hasDefaultPose);
    Put(out, document.defaultPose);
    return Seal(out);
}

Section SkeletonDerived(const ModelDocument& document) {
    ByteWriter out;
    Put(out, &document.refSkeleton[0][0], NUM_BONES * REF_POINTS_PER_BONE);
    Put(out, document.scratchPose);
    return Seal(out);
}

// Each bone's stored coordinates: only those of the vertices it has one for.
Section BoneCoordinates(const ModelDocument& document) {
    ByteWriter out;
    for (const BonePart& bone : document.bones) {
        Put(out, bone.rest);
        Put(out, bone.mesh.vertexCount);
        PutSet(out, bone.mesh.usedVertices);
        bone.mesh.usedVertices.ForEachSet([&](int v) { Put(out, bone.mesh.vertices[v]); });
    }
    return Seal(out);
}

Section MeshNodes(const ModelDocument& document) {
    ByteWriter out;
    Put(out, document.activeNodes, NUM_MESH_NODES);
    return Seal(out);
}

void PutRegion(ByteWriter& out, const SkinRegion& region) {
    Put(out, region.x);
    Put(out, region.y);
    Put(out, region.width);
    Put(out, region.height);
    Put(out, region.newX);
    Put(out, region.newY);
    Put(out, region.scaleX);
    Put(out, region.scaleY);
    Put(out, region.rotated);
    PutText(out, region.meshName);
}

Section SkinMerge(const ModelDocument& document) {
    ByteWriter out;
    PutSet(out, document.usedTexels);
    Put(out, document.mergedPropCount);
    for (const MergedProp& merged : document.mergedProps) {
        PutRegion(out, merged.modelRegion);
        PutRegion(out, merged.propRegion);
    }
    return Seal(out);
}

Section GeneratedBlend(const ModelDocument& document) {
    ByteWriter out;
    const JointBlend& blend = document.jointBlend;
    Put(out, blend.smooth);
    Put(out, blend.zonePercent);
    Put(out, document.generationSettings, 2);
    Put(out, document.generationFlag);
    const int count = InUse(document.generatedModel.mesh.vertexCount);
    Put(out, static_cast<int32_t>(count));
    for (int v = 0; v < count; ++v) {
        const VertexBlend& vertex = blend.vertices[v];
        Put(out, vertex.count);
        Put(out, vertex.bones, MAX_BLEND_NEIGHBOURS);
        Put(out, vertex.anchors, MAX_BLEND_NEIGHBOURS);
        Put(out, vertex.weights, MAX_BLEND_NEIGHBOURS);
    }
    return Seal(out);
}

// --- Restoring -----------------------------------------------------------------------------

void GetVertices(ByteReader in, MeshData& mesh) {
    mesh.vertexCount = Get<int32_t>(in);
    Get(in, mesh.vertices, static_cast<std::size_t>(InUse(mesh.vertexCount)));
}

void GetTopology(ByteReader in, MeshData& mesh) {
    mesh.faceCount = Get<int32_t>(in);
    mesh.texVertexCount = Get<int32_t>(in);
    Get(in, mesh.texVertices, static_cast<std::size_t>(InUse(mesh.texVertexCount)));
    Get(in, mesh.faces, FaceWords(mesh));
    Get(in, mesh.texFaces, FaceWords(mesh));
    GetSet(in, mesh.usedVertices);
    mesh.oriented = Get<uint32_t>(in);
}

// Takes the part's shape out of the scene and deletes it; a selection of it lets go first.
void DropShape(CMainFrame& frame, MeshPart& part) {
    C3dShape* shape = part.Shape();
    if (shape == nullptr) {
        return;
    }
    if (frame.Selection().Shape() == shape) {
        frame.Selection().Select(nullptr);
    }
    if (shape->GetParent() != nullptr) {
        shape->GetParent()->RemoveChild(shape);
    }
    part.ReleaseShape();
}

// Builds the part's shape from its mesh again, where the old one was (or into the scene), as
// shown as before; a selection of the old shape moves onto the new one.
void RebuildShape(CMainFrame& frame, MeshPart& part, const std::string& name, bool inScene) {
    C3dShape* old = part.Shape();
    const bool selected = old != nullptr && frame.Selection().Shape() == old;
    C3dFrame* parent = old != nullptr ? old->GetParent() : nullptr;
    if (parent == nullptr && inScene) {
        parent = frame.Scene();
    }
    if (selected) {
        frame.Selection().Select(nullptr);
    }
    if (old != nullptr && old->GetParent() != nullptr) {
        old->GetParent()->RemoveChild(old);
    }
    const uint32_t visible = part.visible;
    // A failed build keeps the old shape, which goes back where it was.
    part.RebuildShape();
    if (C3dShape* shape = part.Shape(); shape != nullptr) {
        shape->SetName(name);
        part.Show(visible);
        if (parent != nullptr) {
            parent->AddChild(shape);
        }
    }
    if (selected) {
        frame.Selection().Select(part.Shape());
    }
}

void GetPlacement(ByteReader& in, MeshPart& part) {
    if (Get<uint8_t>(in) != 0) {
        C3dMatrix transform;
        Get(in, &transform.m[0][0], 16);
        if (part.Shape() != nullptr) {
            part.Shape()->SetTransform(transform, C3dCombine::Replace);
        }
    }
    part.position = Get<Vector>(in);
    part.direction = Get<Vector>(in);
    part.up = Get<Vector>(in);
}

void GetPartShape(CMainFrame& frame, ByteReader in, MeshPart& part, bool geometryChanged) {
    const std::string name = GetText(in);
    const bool inScene = Get<uint8_t>(in) != 0;
    const std::size_t placement = in.Position();
    if (Get<uint8_t>(in) == 0) {
        DropShape(frame, part);
    } else if (part.Shape() == nullptr || geometryChanged) {
        RebuildShape(frame, part, name, inScene);
    }
    in.Seek(placement);
    GetPlacement(in, part);
}

void GetGroups(ByteReader in, MeshData& mesh) {
    TriangleGroupTable* table = mesh.groupTable.get();
    const int32_t count = Get<int32_t>(in);
    if (table == nullptr) {
        return;
    }
    table->ClearGroups();
    for (int32_t g = 0; g < count; ++g) {
        const std::string name = GetText(in);
        TriangleSet set;
        GetSet(in, set);
        table->SaveGroup(name, &set);
    }
    GetSet(in, table->temporaryGroup);
}

void GetBindings(ByteReader in, ModelDocument& document) {
    for (BonePart& bone : document.bones) {
        GetSet(in, bone.boundVertices);
        GetSet(in, bone.boundTriangles);
    }
}

void GetSkeleton(ByteReader in, ModelDocument& document) {
    for (JointPart& joint : document.joints) {
        GetPlacement(in, joint);
    }
    for (BonePart& bone : document.bones) {
        GetPlacement(in, bone);
        bone.length = Get<double>(in);
    }
    document.hasDefaultPose = Get<uint32_t>(in);
    document.defaultPose = Get<PoseRecord>(in);
}

void GetSkeletonDerived(ByteReader in, ModelDocument& document) {
    Get(in, &document.refSkeleton[0][0], NUM_BONES * REF_POINTS_PER_BONE);
    document.scratchPose = Get<PoseRecord>(in);
}

void GetBoneCoordinates(ByteReader in, ModelDocument& document) {
    for (BonePart& bone : document.bones) {
        bone.rest = Get<RestFrame>(in);
        bone.mesh.vertexCount = Get<int32_t>(in);
        GetSet(in, bone.mesh.usedVertices);
        bone.mesh.usedVertices.ForEachSet([&](int v) { bone.mesh.vertices[v] = Get<Vector>(in); });
    }
}

void RedrawSkeletonPart(MeshPart& part) {
    part.Show(part.visible);
    part.ShowSolid(part.solid);
    part.SetDisplayMode(part.displayMode);
}

void GetMeshNodes(ByteReader in, ModelDocument& document) {
    uint32_t flags[NUM_MESH_NODES] = {};
    Get(in, flags, NUM_MESH_NODES);
    ::editor::skeleton::SetActiveNodes(document, flags);
    for (JointPart& joint : document.joints) {
        RedrawSkeletonPart(joint);
    }
    for (BonePart& bone : document.bones) {
        RedrawSkeletonPart(bone);
    }
}

void GetRegion(ByteReader& in, SkinRegion& region) {
    region.x = Get<int32_t>(in);
    region.y = Get<int32_t>(in);
    region.width = Get<int32_t>(in);
    region.height = Get<int32_t>(in);
    region.newX = Get<int32_t>(in);
    region.newY = Get<int32_t>(in);
    region.scaleX = Get<double>(in);
    region.scaleY = Get<double>(in);
    region.rotated = Get<uint32_t>(in);
    region.meshName = GetText(in);
}

void GetSkinMerge(ByteReader in, ModelDocument& document) {
    GetSet(in, document.usedTexels);
    document.mergedPropCount = Get<int32_t>(in);
    for (MergedProp& merged : document.mergedProps) {
        GetRegion(in, merged.modelRegion);
        GetRegion(in, merged.propRegion);
    }
}

void GetGeneratedBlend(ByteReader in, ModelDocument& document) {
    JointBlend& blend = document.jointBlend;
    blend.smooth = Get<uint32_t>(in);
    blend.zonePercent = Get<uint32_t>(in);
    Get(in, document.generationSettings, 2);
    document.generationFlag = Get<uint32_t>(in);
    const int count = InUse(Get<int32_t>(in));
    blend.ClearWeights();
    for (int v = 0; v < count; ++v) {
        VertexBlend& vertex = blend.vertices[v];
        vertex.count = Get<uint8_t>(in);
        Get(in, vertex.bones, MAX_BLEND_NEIGHBOURS);
        Get(in, vertex.anchors, MAX_BLEND_NEIGHBOURS);
        Get(in, vertex.weights, MAX_BLEND_NEIGHBOURS);
    }
}

// One mesh part's three sections, restored where they changed.
struct PartSections {
    int vertices;
    int topology;
    int shape;
};

class Restorer {
  public:
    Restorer(CMainFrame& frame, const Snapshot& target, const Snapshot& now)
        : frame_(frame), target_(target), now_(now) {}

    bool Changed(int section) const {
        const Section& a = target_.sections[section];
        const Section& b = now_.sections[section];
        return a != b && (a == nullptr || b == nullptr || *a != *b);
    }
    ByteReader Reader(int section) const {
        const Section& bytes = target_.sections[section];
        return bytes != nullptr ? ByteReader(std::span<const uint8_t>(*bytes)) : ByteReader({});
    }

    // True when anything of the part changed.
    bool Part(MeshPart& part, PartSections sections) {
        const bool vertices = Changed(sections.vertices);
        const bool topology = Changed(sections.topology);
        if (vertices) {
            GetVertices(Reader(sections.vertices), part.mesh);
        }
        if (topology) {
            GetTopology(Reader(sections.topology), part.mesh);
        }
        const bool geometry = vertices || topology;
        if (geometry || Changed(sections.shape)) {
            GetPartShape(frame_, Reader(sections.shape), part, geometry);
            return true;
        }
        return false;
    }

  private:
    CMainFrame& frame_;
    const Snapshot& target_;
    const Snapshot& now_;
};

}  // namespace

Snapshot TakeDocumentSnapshot(const ModelDocument& document) {
    Snapshot snapshot;
    snapshot.sections.resize(kDocumentSectionCount);
    std::vector<Section>& s = snapshot.sections;
    s[kModelVertices] = PartVertices(document.model);
    s[kModelTopology] = MeshTopology(document.model.mesh);
    s[kModelShape] = PartShape(document.model);
    s[kModelGroups] = Groups(document.model.mesh);
    s[kPropVertices] = PartVertices(document.prop);
    s[kPropTopology] = MeshTopology(document.prop.mesh);
    s[kPropShape] = PartShape(document.prop);
    s[kPropGroups] = Groups(document.prop.mesh);
    s[kPlaneVertices] = PartVertices(document.dividingPlane);
    s[kPlaneTopology] = MeshTopology(document.dividingPlane.mesh);
    s[kPlaneShape] = PartShape(document.dividingPlane);
    s[kBindings] = Bindings(document);
    s[kSkeleton] = Skeleton(document);
    s[kBoneCoordinates] = BoneCoordinates(document);
    s[kMeshNodes] = MeshNodes(document);
    s[kSkinMerge] = SkinMerge(document);
    s[kGeneratedVertices] = MeshVertices(document.generatedModel.mesh);
    s[kGeneratedTopology] = MeshTopology(document.generatedModel.mesh);
    s[kGeneratedShape] = PartShape(document.generatedModel);
    s[kGeneratedBlend] = GeneratedBlend(document);
    s[kSkeletonDerived] = SkeletonDerived(document);
    snapshot.derived = kDocumentSectionCount - kSkeletonDerived;
    return snapshot;
}

void RestoreDocumentSnapshot(CMainFrame& frame, const Snapshot& target, const Snapshot& now) {
    if (target.sections.size() != kDocumentSectionCount ||
        now.sections.size() != kDocumentSectionCount) {
        return;
    }
    ModelDocument& document = frame.Document();
    Restorer restore(frame, target, now);
    const bool modelChanged =
        restore.Part(document.model, {kModelVertices, kModelTopology, kModelShape});
    if (restore.Changed(kModelTopology)) {
        // A face index picked on the old triangles may not exist on these.
        frame.Selection().ForgetPickedFace();
    }
    const bool groupsChanged = restore.Changed(kModelGroups);
    if (groupsChanged) {
        GetGroups(restore.Reader(kModelGroups), document.model.mesh);
    }
    if ((modelChanged || groupsChanged) && document.model.Shape() != nullptr &&
        document.model.mesh.groupTable != nullptr) {
        ShowTemporaryGroup(frame, document.model.mesh.groupTable->temporaryGroup);
    }
    restore.Part(document.prop, {kPropVertices, kPropTopology, kPropShape});
    if (restore.Changed(kPropGroups)) {
        GetGroups(restore.Reader(kPropGroups), document.prop.mesh);
    }
    restore.Part(document.dividingPlane, {kPlaneVertices, kPlaneTopology, kPlaneShape});
    if (restore.Changed(kBindings)) {
        GetBindings(restore.Reader(kBindings), document);
    }
    if (restore.Changed(kSkeleton)) {
        GetSkeleton(restore.Reader(kSkeleton), document);
    }
    if (restore.Changed(kSkeletonDerived)) {
        GetSkeletonDerived(restore.Reader(kSkeletonDerived), document);
    }
    if (restore.Changed(kBoneCoordinates)) {
        GetBoneCoordinates(restore.Reader(kBoneCoordinates), document);
    }
    if (restore.Changed(kMeshNodes)) {
        GetMeshNodes(restore.Reader(kMeshNodes), document);
    }
    if (restore.Changed(kSkinMerge)) {
        GetSkinMerge(restore.Reader(kSkinMerge), document);
    }
    if (restore.Changed(kGeneratedBlend)) {
        GetGeneratedBlend(restore.Reader(kGeneratedBlend), document);
    }
    if (restore.Part(document.generatedModel,
                     {kGeneratedVertices, kGeneratedTopology, kGeneratedShape}) &&
        document.generatedModel.Shape() != nullptr) {
        // Shown as posing shows it: in place of the model only in the generated view.
        document.generatedModel.Show(document.viewGenerated);
    }
    frame.RequestRedraw();
}

}  // namespace editor::shell
