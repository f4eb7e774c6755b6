#include "scene/input/transform_dialog.h"

#include "scene/frame.h"

namespace scene::input {

using namespace ::scene;

CTransformDlg::CTransformDlg(std::function<C3dFrame*()> currentFrame,
                             std::function<void(const std::string&)> showMessage,
                             std::function<void()> closed)
    : currentFrame_(std::move(currentFrame)),
      showMessage_(std::move(showMessage)),
      closed_(std::move(closed)) {}

C3dMatrix CTransformDlg::BuildMatrix(Page page, double x, double y, double z) {
    C3dMatrix matrix;
    switch (page) {
        case Page::Scale:
            matrix.Scale(x, y, z);
            break;
        case Page::Rotate:
            matrix.Rotate(x, y, z);
            break;
        case Page::Translate:
            matrix.Translate(x, y, z);
            break;
    }
    return matrix;
}

bool CTransformDlg::Apply(Page page, double x, double y, double z, Placement placement) {
    C3dFrame* frame = currentFrame_ ? currentFrame_() : nullptr;
    if (frame == nullptr) {
        if (showMessage_) {
            showMessage_(kNoFrameMessage);
        }
        return false;
    }
    static constexpr C3dCombine kCombine[] = {C3dCombine::Before, C3dCombine::After,
                                              C3dCombine::Replace};
    return frame->SetTransform(BuildMatrix(page, x, y, z), kCombine[static_cast<int>(placement)]);
}

void CTransformDlg::OnClose() {
    // The owner usually deletes the sheet in this callback: call a copy, touch nothing after.
    std::function<void()> closed = closed_;
    if (closed) {
        closed();
    }
}

}  // namespace scene::input
