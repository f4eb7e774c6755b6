#include "editor/props/merge_notes.h"

#include <cstdio>

#include "editor/model/skin_region.h"
#include "editor/props/texture_coordinates.h"

namespace editor::props {

using namespace ::editor::model;

namespace {

std::string SkinNote(const char* format, const MeshData& mesh, const SkinRegion& region) {
    TexelPoint min, max;
    TextureBounds(mesh, min, max);
    char text[256];
    std::snprintf(text, sizeof text, format, static_cast<int>(max.u - min.u),
                  static_cast<int>(max.v - min.v), static_cast<int>(min.u), static_cast<int>(min.v),
                  ScalePercent(region.scaleX), region.newX, region.newY);
    return text;
}

}  // namespace

int ScalePercent(double scale) {
    return static_cast<int>(scale * 100.0);
}

std::string ModelSkinNote(const MeshData& model, const SkinRegion& modelSide) {
    return SkinNote(
        "NOTE: Model skin was %dx%d at upper left (%d,%d); will be %d%% of this size at "
        "(%d,%d).\n",
        model, modelSide);
}

std::string PropSkinNote(const MeshData& prop, const SkinRegion& propSide) {
    if (propSide.rotated) {
        return SkinNote(
            "NOTE: Prop skin was %dx%d at upper left (%d,%d); will be %d%% of this size and "
            "rotated 90 degrees (swap x,y / flip x) at (%d,%d).\n",
            prop, propSide);
    }
    return SkinNote(
        "NOTE: Prop skin was %dx%d at upper left (%d,%d); will be %d%% of this size at "
        "(%d,%d).\n",
        prop, propSide);
}

}  // namespace editor::props
