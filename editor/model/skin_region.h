#pragma once

#include <cstdint>
#include <string>

namespace editor::model {

// Where a rectangle of a mesh's own skin went in the merged skin, and how it was scaled or turned.
struct SkinRegion {
    int32_t x = 0;  // left column in the mesh's own skin
    int32_t y = 0;  // top row
    int32_t width = 0;
    int32_t height = 0;
    int32_t newX = 0;  // upper-left corner in the merged skin
    int32_t newY = 0;
    double scaleX = 1.0;
    double scaleY = 1.0;
    uint32_t rotated = 0;  // turned by 90 degrees ("swap x,y / flip x")
    std::string meshName;  // empty on the model side

    void Reset() { *this = SkinRegion(); }
    bool IsIdentity() const { return newX == x && newY == y && scaleX == 1.0 && scaleY == 1.0; }
};

// One merge of a prop into the model: the model's region and the prop's region.
struct MergedProp {
    SkinRegion modelRegion;
    SkinRegion propRegion;

    void Reset() {
        modelRegion.Reset();
        propRegion.Reset();
    }
};

}  // namespace editor::model
