#include "editor/props/skin_merge.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "editor/io/image_file.h"
#include "editor/model/model_document.h"
#include "scene/image.h"
#include "scene/scene.h"

namespace editor::props {

using namespace ::editor::io;
using namespace ::editor::model;
using namespace ::scene;

namespace {

constexpr int CANVAS_SIDE = 256;
constexpr const char* SAVE_FAILED_STATUS = "Unable to save file - skin merge aborted.";

std::unique_ptr<C3dImage> TrueColour(std::unique_ptr<C3dImage> image) {
    if (image == nullptr || Is24Bit(*image)) {
        return image;
    }
    return ToTrueColour(*image);
}

void CopyCorner(C3dImage& destination, const C3dImage& source, int width, int height) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t r, g, b;
            GetPixel(source, x, y, r, g, b);
            SetPixel(destination, x, y, r, g, b);
        }
    }
}

// The model and the dividing plane are drawn black in wireframe while the skin is composed on
// the background, and get their flags back afterwards.
class HiddenParts {
  public:
    explicit HiddenParts(ModelDocument& document)
        : model_(document.model),
          plane_(document.dividingPlane),
          modelVisible_(model_.visible),
          planeVisible_(plane_.visible) {
        model_.Show(0);
        plane_.Show(0);
    }
    ~HiddenParts() {
        model_.Show(modelVisible_);
        plane_.Show(planeVisible_);
    }

  private:
    MeshPart& model_;
    MeshPart& plane_;
    uint32_t modelVisible_;
    uint32_t planeVisible_;
};

std::string WithName(const char* before, const std::string& name, const char* after) {
    return std::string(before) + name + after;
}

// Loads the skin of one merged mesh; none when cancelled or unreadable.
std::unique_ptr<C3dImage> AskForSkin(const std::string& meshName, Prompts& prompts) {
    prompts.ReportProgress(WithName("Please select the skin for mesh '", meshName, "'."));
    auto image = std::make_unique<C3dImage>();
    if (!LoadImageFile(*image, "", &prompts)) {
        return nullptr;
    }
    return image;
}

// The status line of a composition that stopped; none when every skin was drawn.
std::optional<std::string> ComposeAll(const ModelDocument& document,
                                      std::unique_ptr<C3dImage>& canvas, C3dScene* scene,
                                      Prompts& prompts, const RedrawView& redraw) {
    for (int i = 0; i < document.mergedPropCount; ++i) {
        const MergedProp& merge = document.mergedProps[i];
        const SkinRegion& prop = merge.propRegion;
        std::unique_ptr<C3dImage> skin = AskForSkin(prop.meshName, prompts);
        if (skin != nullptr) {
            skin = PreparedSkin(std::move(skin), prop.x + prop.width, prop.y + prop.height);
        }
        if (skin == nullptr) {
            return WithName("No skin for '", prop.meshName, "' - skin merge aborted.");
        }
        if (!ApplyMergeToCanvas(canvas, *skin, merge)) {
            // Left out rather than drawn outside the skin; the log keeps the line.
            prompts.ReportProgress(WithName("Skin of '", prop.meshName,
                                            "' does not fit the merged skin - not drawn."));
        }
        if (scene != nullptr) {
            scene->SetBackgroundImage(canvas.get());
        }
        redraw();
    }
    return std::nullopt;
}

}  // namespace

std::unique_ptr<C3dImage> BlueCanvas(int width, int height) {
    auto canvas = std::make_unique<C3dImage>();
    if (!CreateFilled(*canvas, width, height, 0, 0, 255)) {
        return nullptr;
    }
    return canvas;
}

std::unique_ptr<C3dImage> PreparedSkin(std::unique_ptr<C3dImage> image, int right, int bottom) {
    image = TrueColour(std::move(image));
    if (image == nullptr || (image->GetWidth() >= right && image->GetHeight() >= bottom)) {
        return image;
    }
    auto padded = BlueCanvas(right, bottom);
    if (padded) {
        CopyCorner(*padded, *image, std::min(image->GetWidth(), right),
                   std::min(image->GetHeight(), bottom));
    }
    return padded;
}

bool ApplyMergeToCanvas(std::unique_ptr<C3dImage>& canvas, const C3dImage& propSkin,
                        const MergedProp& merge) {
    if (!merge.modelRegion.IsIdentity()) {
        if (auto shrunk = BlueCanvas()) {
            CopyRegion(*shrunk, *canvas, merge.modelRegion);
            canvas = std::move(shrunk);
        }
    }
    return CopyRegion(*canvas, propSkin, merge.propRegion) != 0;
}

SkinMergeOutcome MergeSkins(ModelDocument& document, Prompts& prompts, const RedrawView& redraw) {
    SkinMergeOutcome outcome;
    if (document.model.shape == nullptr) {
        outcome.messages.emplace_back("Please import a player model first.");
        outcome.status = MERGE_ABORTED_STATUS;
        return outcome;
    }
    C3dScene* scene = document.scene;
    std::unique_ptr<C3dImage> canvas;
    {
        HiddenParts hidden(document);
        canvas = BlueCanvas(CANVAS_SIDE, CANVAS_SIDE);
        if (canvas == nullptr) {
            outcome.status = SAVE_FAILED_STATUS;
            return outcome;
        }
        if (scene != nullptr) {
            scene->SetBackgroundImage(canvas.get());
        }
        redraw();
        if (auto stopped = ComposeAll(document, canvas, scene, prompts, redraw)) {
            outcome.status = *stopped;
        } else {
            prompts.ReportProgress("Please select a file name to save the merged skin.");
            outcome.done = SaveTgaFile(*canvas, "", &prompts) != 0;
            if (!outcome.done) {
                outcome.status = SAVE_FAILED_STATUS;
            }
        }
        // The canvas goes away: the view must not keep showing it.
        if (scene != nullptr) {
            scene->SetBackgroundImage(nullptr);
        }
    }
    if (outcome.done) {
        if (scene != nullptr) {
            scene->SetBackgroundColor(0.0, 0.0, 0.0);
        }
        outcome.skin = std::move(canvas);
        outcome.status = "Ready.";
    }
    return outcome;
}

MergeOutcome LoadBackground(C3dScene& scene, Prompts& prompts) {
    const MergeOutcome failed{
        .done = false, .messages = {}, .status = "Background image load failed."};
    prompts.ReportProgress("Please select the background image.");
    auto image = std::make_unique<C3dImage>();
    if (!LoadImageFile(*image, "", &prompts)) {
        return failed;
    }
    image = TrueColour(std::move(image));
    if (image == nullptr) {
        return failed;
    }
    C3dImage* kept = image.release();
    scene.AddImage(kept);
    scene.SetBackgroundImage(kept);
    return {.done = true, .messages = {}, .status = {}};
}

}  // namespace editor::props
