#pragma once

#include <functional>
#include <string>

#include "scene/matrix.h"

#include "scene/forward.h"

namespace scene::input {

using namespace ::scene;

// The "Transforms" property sheet's work: its three pages build a scale, rotation or
// translation matrix from typed X, Y and Z values, and its buttons combine that matrix with the
// current frame's transform before it, after it or in its place. The window shows the pages;
// this object does what their buttons ask.
class CTransformDlg {
  public:
    enum class Page { Scale, Rotate, Translate };
    enum class Placement { Before, After, Replace };

    static constexpr const char* kTitle = "Transforms";
    static constexpr const char* kNoFrameMessage = "No current frame is selected";

    // currentFrame names the frame to work on (none: no frame is selected); showMessage shows
    // a message box; closed tells the owner that the sheet went away.
    CTransformDlg(std::function<C3dFrame*()> currentFrame,
                  std::function<void(const std::string&)> showMessage,
                  std::function<void()> closed);

    static C3dMatrix BuildMatrix(Page page, double x, double y, double z);
    // A page's button; false (after the message) when no frame is current.
    bool Apply(Page page, double x, double y, double z, Placement placement);
    // The sheet was closed by the user.
    void OnClose();

  private:
    std::function<C3dFrame*()> currentFrame_;
    std::function<void(const std::string&)> showMessage_;
    std::function<void()> closed_;
};

}  // namespace scene::input
