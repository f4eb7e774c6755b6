#include "editor/props/skin_remap.h"

#include <algorithm>

#include "editor/model/model_document.h"
#include "editor/props/free_rect.h"
#include "editor/props/texel_scan.h"
#include "editor/props/texture_coordinates.h"

namespace editor::props {

using namespace ::editor::model;

namespace {

constexpr int MODEL_STEPS = 10;
constexpr int PROP_STEPS = 10;
// Large prop areas may shrink further, down to 20%.
constexpr int LARGE_PROP_STEPS = 16;
constexpr int LARGE_PROP_AREA = 8192;

bool RangesMeet(double lo1, double hi1, double lo2, double hi2) {
    return std::max(lo1, lo2) <= std::min(hi1, hi2);
}

// One free texel of margin on every side.
int PaddedSide(int side, double scale) {
    return static_cast<int>(side * scale) + 2;
}

bool PlaceProp(const TexelSet& texels, double scale, SkinRegion& propSide) {
    TexelRect found;
    bool turned = false;
    if (!FindFreeRect(texels, PaddedSide(propSide.width, scale), PaddedSide(propSide.height, scale),
                      found)) {
        if (!FindFreeRect(texels, PaddedSide(propSide.height, scale),
                          PaddedSide(propSide.width, scale), found)) {
            return false;
        }
        turned = true;
    }
    propSide.scaleX = propSide.scaleY = scale;
    propSide.newX = found.x + 1;
    propSide.newY = found.y + 1;
    propSide.rotated = turned ? 1 : 0;
    return true;
}

void ApplyRegion(MeshData& mesh, const SkinRegion& region, bool mayTurn) {
    TexelPoint min, max;
    TextureBounds(mesh, min, max);
    TranslateTexture(mesh, -static_cast<int>(min.u), -static_cast<int>(min.v));
    ScaleTexture(mesh, region.scaleX, region.scaleY, 0.0, 0.0);
    if (mayTurn && region.rotated) {
        RotateTexture(mesh);
    }
    TranslateTexture(mesh, region.newX, region.newY);
}

}  // namespace

void SetRegionFromBounds(const MeshData& mesh, SkinRegion& region) {
    TexelPoint min, max;
    TextureBounds(mesh, min, max);
    region.x = region.newX = static_cast<int>(min.u);
    region.y = region.newY = static_cast<int>(min.v);
    region.width = static_cast<int>(max.u - min.u + 0.5);
    region.height = static_cast<int>(max.v - min.v + 0.5);
    region.scaleX = region.scaleY = 1.0;
    region.rotated = 0;
}

bool TexturesOverlap(const MeshData& model, const MeshData& prop) {
    TexelPoint mn, mx, pn, px;
    TextureBounds(model, mn, mx);
    TextureBounds(prop, pn, px);
    if (px.u >= SKIN_SIDE || px.v >= SKIN_SIDE) {
        return true;
    }
    return RangesMeet(mn.u, mx.u, pn.u, px.u) && RangesMeet(mn.v, mx.v, pn.v, px.v);
}

double RemapStepScale(int step) {
    return 1.0 - step * 0.05;
}

int RemapSkins(ModelDocument& document, SkinRegion& modelSide, SkinRegion& propSide) {
    const int w = propSide.width, h = propSide.height;
    int propSteps = PROP_STEPS;
    if (document.mergedPropCount > 0) {
        propSteps = w * h > LARGE_PROP_AREA ? LARGE_PROP_STEPS : PROP_STEPS;
    } else if (w <= SKIN_SIDE && h <= SKIN_SIDE) {
        // The first mesh keeps its layout.
        return 1;
    }
    const TexelPoint modelOrigin{static_cast<double>(modelSide.x),
                                 static_cast<double>(modelSide.y)};
    for (int i = 0; i <= MODEL_STEPS; ++i) {
        const double modelScale = RemapStepScale(i);
        document.usedTexels.ClearAll();
        MarkTexels(document.usedTexels, document.model.mesh, modelOrigin, modelScale);
        modelSide.scaleX = modelSide.scaleY = modelScale;
        for (int j = 0; j <= propSteps; ++j) {
            if (PlaceProp(document.usedTexels, RemapStepScale(j), propSide)) {
                return 1;
            }
        }
    }
    return 0;
}

void ApplySkinRegions(MeshData& model, MeshData& prop, const SkinRegion& modelSide,
                      const SkinRegion& propSide) {
    ApplyRegion(prop, propSide, true);
    ApplyRegion(model, modelSide, false);
}

}  // namespace editor::props
