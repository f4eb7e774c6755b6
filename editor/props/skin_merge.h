#pragma once

#include <memory>
#include <string>

#include "editor/io/forward.h"
#include "editor/model/forward.h"
#include "editor/prompts/prompts.h"
#include "scene/forward.h"

namespace editor::props {

using namespace ::scene;
using namespace ::editor::io;
using namespace ::editor::model;
using namespace ::editor::prompts;

// What composing the merged skin needs from the main frame.
class SkinMergeHost {
  public:
    virtual ~SkinMergeHost() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void SetStatus(const std::string& text) = 0;
    // Answers the open and save dialogs for the skin pictures.
    virtual Prompts* Questions() = 0;
    virtual void Redraw() = 0;
    // The skin that was just saved, for showing the model with it.
    virtual void KeepMergedSkin(std::unique_ptr<C3dImage> skin) { (void)skin; }
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
// 256 x 256 skin on the view's background, and saves it as Targa. True when it was saved.
bool MergeSkins(ModelDocument& document, SkinMergeHost& host);

// "Background...": loads a picture (asking for it), keeps it in the scene and makes it the
// background. True on success.
bool LoadBackground(C3dScene& scene, SkinMergeHost& host);

}  // namespace editor::props
