#include "scene/texture.h"

namespace scene {

bool C3dTexture::Create(const std::string& path) {
    if (!LoadBitmapFile(path)) {
        return false;
    }
    Touch();
    return Succeed();
}

bool C3dTexture::Create(int resourceId) {
    if (!LoadBitmapResource(resourceId)) {
        return false;
    }
    Touch();
    return Succeed();
}

bool C3dTexture::SetTransparentColor(double r, double g, double b) {
    transparentColor_ =
        C3dColor{static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
    hasTransparentColor_ = true;
    Touch();
    return Succeed();
}

}  // namespace scene
