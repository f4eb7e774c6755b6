#pragma once

#include <string>

#include "scene/color.h"
#include "scene/image.h"

namespace scene {

// Resource numbers of the five one-colour face textures (32 x 32 pixels each).
enum : int {
    C3D_RESOURCE_BLACK = 141,
    C3D_RESOURCE_WHITE = 142,
    C3D_RESOURCE_BLUE = 143,
    C3D_RESOURCE_RED = 144,
    C3D_RESOURCE_GREEN = 145,
};

// An image made usable on faces.
class C3dTexture : public C3dImage {
  public:
    C3dTexture() : C3dImage("3D Texture") {}

    // Loads the picture, then makes it usable as a texture.
    bool Create(const std::string& path);
    bool Create(int resourceId);
    // Decal transparency: texels of this colour are not drawn.
    bool SetTransparentColor(double r, double g, double b);
    bool HasTransparentColor() const { return hasTransparentColor_; }
    C3dColor GetTransparentColor() const { return transparentColor_; }

  private:
    C3dColor transparentColor_{0.0f, 0.0f, 0.0f};
    bool hasTransparentColor_ = false;
};

}  // namespace scene
