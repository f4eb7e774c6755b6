#pragma once
// The skins the view draws: the model's (the last skin "Merged Skin..." saved, else the one
// found beside the opened file, else one chosen with "Model Skin...") over the model and the
// generated model, and the prop's own (found beside its file) over the prop, while View > Skin
// is on.

#include <memory>
#include <string>

#include "editor/io/skin_lookup.h"

#include "scene/forward.h"

namespace editor::shell {

using namespace ::scene;
using namespace ::editor::io;

class CMainFrame;

class SkinDisplay {
  public:
    explicit SkinDisplay(CMainFrame& frame);
    ~SkinDisplay();

    // A file became the model / the prop: its skin is looked for beside it.
    void ModelOpened(const std::string& path);
    void PropOpened(const std::string& path);
    // The skin "Merged Skin..." saved becomes the model's.
    void UseMergedSkin(std::unique_ptr<C3dImage> skin);
    // "Model Skin...": asks for a picture and shows the model with it. False on cancel or
    // when the picture cannot be read (the old skin stays).
    bool ChooseModelSkin();
    // "Skin": on or off; on, a model without a skin says what was looked for.
    void Toggle();
    bool Shown() const;
    // "New": no skins.
    void Reset();
    // Lays the skins on the parts, or takes them off while the view is off.
    void Apply();

    const C3dImage* ModelSkin() const { return modelSkin_.get(); }
    const C3dImage* PropSkin() const { return propSkin_.get(); }

  private:
    // Looks for the file's skin; the picture, or none with the search kept for the status.
    std::unique_ptr<C3dImage> FindFor(const std::string& path, std::string& missing);
    void ReportModelSkin();
    void SetShown(bool shown);

    CMainFrame& frame_;
    std::unique_ptr<C3dImage> modelSkin_;
    std::unique_ptr<C3dImage> propSkin_;
    // Why the model has no skin, as a status line; empty when it has one or nothing was opened.
    std::string modelMissing_;
};

}  // namespace editor::shell
