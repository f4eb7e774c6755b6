#pragma once

namespace scene {

// An RGB colour with components 0..1.
struct C3dColor {
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;

    bool operator==(const C3dColor& other) const = default;
};

}  // namespace scene
