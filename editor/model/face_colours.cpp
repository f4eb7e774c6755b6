#include "editor/model/face_colours.h"

#include <algorithm>
#include <cstdint>

#include "scene/shape.h"
#include "scene/texture.h"

namespace editor::model {

using namespace ::scene;

namespace {

struct ColourEntry {
    int resourceId;
    C3dColor value;
};

constexpr ColourEntry COLOUR_TABLE[FACE_COLOUR_COUNT] = {
    {C3D_RESOURCE_BLACK, {0.0f, 0.0f, 0.0f}}, {C3D_RESOURCE_WHITE, {1.0f, 1.0f, 1.0f}},
    {C3D_RESOURCE_BLUE, {0.0f, 0.0f, 1.0f}},  {C3D_RESOURCE_RED, {1.0f, 0.0f, 0.0f}},
    {C3D_RESOURCE_GREEN, {0.0f, 1.0f, 0.0f}},
};

const FaceColourTextures* installedTextures = nullptr;

int IndexOf(FaceColour colour) {
    return std::clamp(static_cast<int>(colour), 0, FACE_COLOUR_COUNT - 1);
}

const C3dTexture* InstalledTexture(FaceColour colour) {
    return installedTextures != nullptr ? installedTextures->Get(colour) : nullptr;
}

}  // namespace

FaceColourTextures::FaceColourTextures() = default;

FaceColourTextures::~FaceColourTextures() {
    if (installedTextures == this) {
        installedTextures = nullptr;
    }
}

bool FaceColourTextures::Create() {
    for (int i = 0; i < FACE_COLOUR_COUNT; ++i) {
        auto texture = std::make_unique<C3dTexture>();
        if (!texture->Create(COLOUR_TABLE[i].resourceId)) {
            return false;
        }
        textures[i] = std::move(texture);
    }
    return true;
}

const C3dTexture* FaceColourTextures::Get(FaceColour colour) const {
    return textures[IndexOf(colour)].get();
}

void UseFaceColourTextures(const FaceColourTextures* textures) {
    installedTextures = textures;
}

const FaceColourTextures* CurrentFaceColourTextures() {
    return installedTextures;
}

C3dColor FaceColourValue(FaceColour colour) {
    return COLOUR_TABLE[IndexOf(colour)].value;
}

void ColourShape(C3dShape& shape, FaceColour colour) {
    const C3dColor value = FaceColourValue(colour);
    shape.SetColor(value.r, value.g, value.b);
    shape.SetTexture(InstalledTexture(colour));
}

bool ColourFaces(C3dShape& shape, int first, int count, FaceColour colour) {
    const int64_t begin = std::max<int64_t>(first, 0);
    const int64_t end =
        std::min<int64_t>(static_cast<int64_t>(first) + count, shape.GetFaceCount());
    if (count <= 0 || begin >= end) {
        return false;
    }
    const C3dColor value = FaceColourValue(colour);
    for (int64_t face = begin; face < end; ++face) {
        shape.SetFaceColor(static_cast<int>(face), value.r, value.g, value.b);
    }
    shape.SetFaceTexture(static_cast<int>(begin), static_cast<int>(end - begin),
                         InstalledTexture(colour));
    return true;
}

}  // namespace editor::model
