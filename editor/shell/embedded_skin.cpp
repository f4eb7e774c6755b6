#include "editor/shell/embedded_skin.h"

#include <memory>
#include <utility>

#include "editor/shell/main_frame.h"
#include "scene/image.h"

namespace editor::shell {

using namespace ::scene;

bool UseEmbeddedSkin(CMainFrame& frame, const ImportReport& report) {
    if (report.embeddedSkin.empty() || !frame.Hooks().mergedSkinSaved) {
        return false;
    }
    auto skin = std::make_unique<C3dImage>("Embedded skin");
    if (!skin->DecodePicture(report.embeddedSkin)) {
        frame.SetStatus("The picture inside the file cannot be read.");
        return false;
    }
    frame.Hooks().mergedSkinSaved(std::move(skin));
    frame.SetStatus("Skin: the picture inside the file.");
    return true;
}

}  // namespace editor::shell
