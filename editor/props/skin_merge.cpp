#include "editor/props/skin_merge.h"

#include <algorithm>

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
constexpr const char* MERGE_ABORTED_STATUS = "Prop merge aborted";

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
std::unique_ptr<C3dImage> AskForSkin(const std::string& meshName, SkinMergeHost& host) {
    host.SetStatus(WithName("Please select the skin for mesh '", meshName, "'."));
    auto image = std::make_unique<C3dImage>();
    if (!LoadImageFile(*image, "", host.Questions())) {
        return nullptr;
    }
    return image;
}

bool ComposeAll(const ModelDocument& document, std::unique_ptr<C3dImage>& canvas, C3dScene* scene,
                SkinMergeHost& host) {
    for (int i = 0; i < document.mergedPropCount; ++i) {
        const MergedProp& merge = document.mergedProps[i];
        const SkinRegion& prop = merge.propRegion;
        std::unique_ptr<C3dImage> skin = AskForSkin(prop.meshName, host);
        if (skin != nullptr) {
            skin = PreparedSkin(std::move(skin), prop.x + prop.width, prop.y + prop.height);
        }
        if (skin == nullptr) {
            host.SetStatus(WithName("No skin for '", prop.meshName, "' - skin merge aborted."));
            return false;
        }
        if (!ApplyMergeToCanvas(canvas, *skin, merge)) {
            // Left out rather than drawn outside the skin; the log keeps the line.
            host.SetStatus(WithName("Skin of '", prop.meshName,
                                    "' does not fit the merged skin - not drawn."));
        }
        if (scene != nullptr) {
            scene->SetBackgroundImage(canvas.get());
        }
        host.Redraw();
    }
    return true;
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

bool MergeSkins(ModelDocument& document, SkinMergeHost& host) {
    if (document.model.shape == nullptr) {
        host.ShowMessage("Please import a player model first.");
        host.SetStatus(MERGE_ABORTED_STATUS);
        return false;
    }
    C3dScene* scene = document.scene;
    std::unique_ptr<C3dImage> canvas;
    bool saved = false;
    {
        HiddenParts hidden(document);
        canvas = BlueCanvas(CANVAS_SIDE, CANVAS_SIDE);
        if (canvas == nullptr) {
            host.SetStatus("Unable to save file - skin merge aborted.");
            return false;
        }
        if (scene != nullptr) {
            scene->SetBackgroundImage(canvas.get());
        }
        host.Redraw();
        if (ComposeAll(document, canvas, scene, host)) {
            host.SetStatus("Please select a file name to save the merged skin.");
            saved = SaveTgaFile(*canvas, "", host.Questions()) != 0;
            if (!saved) {
                host.SetStatus("Unable to save file - skin merge aborted.");
            }
        }
        // The canvas goes away: the view must not keep showing it.
        if (scene != nullptr) {
            scene->SetBackgroundImage(nullptr);
        }
    }
    if (saved && scene != nullptr) {
        scene->SetBackgroundColor(0.0, 0.0, 0.0);
    }
    if (saved) {
        host.KeepMergedSkin(std::move(canvas));
    }
    host.Redraw();
    if (saved) {
        host.SetStatus("Ready.");
    }
    return saved;
}

bool LoadBackground(C3dScene& scene, SkinMergeHost& host) {
    host.SetStatus("Please select the background image.");
    auto image = std::make_unique<C3dImage>();
    if (!LoadImageFile(*image, "", host.Questions())) {
        host.SetStatus("Background image load failed.");
        return false;
    }
    image = TrueColour(std::move(image));
    if (image == nullptr) {
        host.SetStatus("Background image load failed.");
        return false;
    }
    C3dImage* kept = image.release();
    scene.AddImage(kept);
    scene.SetBackgroundImage(kept);
    host.Redraw();
    return true;
}

}  // namespace editor::props
