#pragma once
// Forward declarations of the scene types that other libraries name by pointer or reference.

namespace scene {

class C3dFrame;
class C3dImage;
class C3dMesh;
class C3dScene;
class C3dShape;
class C3dStage;
class C3dTexture;

}  // namespace scene
