#include "scene/light.h"

namespace scene {

bool C3dLight::Create(C3dLightKind kind, double r, double g, double b) {
    kind_ = kind;
    created_ = true;
    return SetColor(r, g, b);
}

bool C3dLight::SetColor(double r, double g, double b) {
    color_ = C3dColor{static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
    return Succeed();
}

}  // namespace scene
