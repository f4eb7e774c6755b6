// The program's built-in pictures: the five one-colour face textures, made in code.
#include <vector>

#include "scene/image.h"
#include "scene/texture.h"

namespace scene {

namespace {

inline constexpr int COLOUR_TEXTURE_SIDE = 32;

struct ColourResource {
    int id;
    uint8_t red, green, blue;
};

constexpr ColourResource COLOUR_RESOURCES[] = {
    {C3D_RESOURCE_BLACK, 0, 0, 0},   {C3D_RESOURCE_WHITE, 255, 255, 255},
    {C3D_RESOURCE_BLUE, 0, 0, 255},  {C3D_RESOURCE_RED, 255, 0, 0},
    {C3D_RESOURCE_GREEN, 0, 255, 0},
};

}  // namespace

bool C3dImage::LoadBitmapResource(int id) {
    for (const ColourResource& resource : COLOUR_RESOURCES) {
        if (resource.id != id) {
            continue;
        }
        BitmapInfoHeader header;
        header.width = COLOUR_TEXTURE_SIDE;
        header.height = COLOUR_TEXTURE_SIDE;
        header.bitCount = 24;
        int pitch = PitchFor(header.width, header.bitCount);
        std::vector<uint8_t> pixels(size_t(pitch) * header.height);
        for (int y = 0; y < header.height; ++y) {
            for (int x = 0; x < header.width; ++x) {
                uint8_t* p = &pixels[size_t(y) * pitch + size_t(x) * 3];
                p[0] = resource.blue;
                p[1] = resource.green;
                p[2] = resource.red;
            }
        }
        if (!Create(header, nullptr, pixels.data())) {
            return false;
        }
        SetName("Image resource");
        return Succeed();
    }
    return Fail(C3D_E_NOTFOUND);
}

}  // namespace scene
