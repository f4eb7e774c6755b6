#pragma once

#include <functional>
#include <memory>

#include "editor/io/forward.h"
#include "editor/model/forward.h"
#include "editor/prompts/prompts.h"
#include "editor/props/merge_outcome.h"
#include "scene/forward.h"

namespace editor::props {

using namespace ::scene;
using namespace ::editor::io;
using namespace ::editor::model;
using namespace ::editor::prompts;

// Redraws the view after its background changed.
using RedrawView = std::function<void()>;

// A finished skin merge: the skin that was saved, for showing the model with it.
struct SkinMergeOutcome : MergeOutcome {
    std::unique_ptr<C3dImage> skin;
};

// The picture a merged mesh's skin is drawn from: image in 24-bit form, padded with blue to at
// least the right and bottom edge of the region it is drawn from (the loaded pixels keep their
// place). None when the image cannot be converted.
std::unique_ptr<C3dImage> PreparedSkin(std::unique_ptr<C3dImage> image, int right, int bottom);

// Replays one merge on the skin composed so far: shrinks it as the model's area was shrunk
// (a fresh blue canvas when that region is not the identity), then draws the prop's skin into
// its new place. False when the prop's region does not fit the canvas (nothing drawn).
bool ApplyMergeToCanvas(std::unique_ptr<C3dImage>& canvas, const C3dImage& propSkin,
                        const MergedProp& merge);

// A 256 x 256 canvas of plain blue; none when it cannot be made.
std::unique_ptr<C3dImage> BlueCanvas(int width = 256, int height = 256);

// "Merged Skin...": asks for each merged mesh's skin picture in merge order, composes the
// 256 x 256 skin on the view's background (redrawn after each step), and saves it as Targa.
// Done when it was saved; the view then shows the model again and wants redrawing.
SkinMergeOutcome MergeSkins(ModelDocument& document, Prompts& prompts, const RedrawView& redraw);

// "Background...": loads a picture (asking for it), keeps it in the scene and makes it the
// background. Done on success, then the view wants redrawing.
MergeOutcome LoadBackground(C3dScene& scene, Prompts& prompts);

}  // namespace editor::props
