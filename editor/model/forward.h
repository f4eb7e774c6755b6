#pragma once
// Forward declarations of the editor::model types that other libraries name by pointer or
// reference.

namespace editor::model {

class BonePart;
class JointPart;
struct MergedProp;
class MeshData;
class MeshPart;
class ModelDocument;
struct SkinRegion;

}  // namespace editor::model
