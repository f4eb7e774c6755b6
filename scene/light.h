#pragma once

#include "scene/color.h"
#include "scene/frame.h"

namespace scene {

enum class C3dLightKind { Ambient, Point, Spot, Directional, ParallelPoint };

// A light attached to its own frame; directional and spot lights shine along the frame's z.
class C3dLight : public C3dFrame {
  public:
    bool Create(C3dLightKind kind, double r, double g, double b);
    bool SetColor(double r, double g, double b);
    C3dColor GetColor() const { return color_; }
    C3dLightKind GetKind() const { return kind_; }
    bool IsCreated() const { return created_; }

  private:
    C3dLightKind kind_ = C3dLightKind::Ambient;
    C3dColor color_;
    bool created_ = false;
};

class C3dAmbLight : public C3dLight {
  public:
    C3dAmbLight() { Create(C3dLightKind::Ambient, 1.0, 1.0, 1.0); }
};

class C3dDirLight : public C3dLight {
  public:
    C3dDirLight() { Create(C3dLightKind::Directional, 1.0, 1.0, 1.0); }
};

class C3dParPtLight : public C3dLight {
  public:
    C3dParPtLight() { Create(C3dLightKind::ParallelPoint, 1.0, 1.0, 1.0); }
};

class C3dPtLight : public C3dLight {
  public:
    C3dPtLight() { Create(C3dLightKind::Point, 1.0, 1.0, 1.0); }
};

class C3dSpotLight : public C3dLight {
  public:
    C3dSpotLight() { Create(C3dLightKind::Spot, 1.0, 1.0, 1.0); }
};

}  // namespace scene
