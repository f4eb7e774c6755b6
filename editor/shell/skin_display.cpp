#include "editor/shell/skin_display.h"

#include <filesystem>
#include <utility>

#include "editor/io/skin_picture.h"
#include "editor/model/model_document.h"
#include "editor/shell/frame_prompts.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/settings_names.h"
#include "scene/image.h"

namespace editor::shell {

using namespace ::editor::io;
using namespace ::editor::model;
using namespace ::scene;

namespace {

// The status line holds 255 characters; the list of names gets what the words leave.
constexpr std::size_t STATUS_LIMIT = 255;

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

SkinDisplay::SkinDisplay(CMainFrame& frame) : frame_(frame) {}

SkinDisplay::~SkinDisplay() = default;

std::unique_ptr<C3dImage> SkinDisplay::FindFor(const std::string& path, std::string& missing) {
    const SkinSearch search = FindSkinPicture(path);
    missing.clear();
    if (!search.found) {
        const std::string head = "No skin for '" + FileName(path) + "': looked beside it for ";
        missing = head + LookedForText(search.lookedFor, STATUS_LIMIT - head.size());
        return nullptr;
    }
    auto skin = LoadSkinPicture(*search.found, nullptr);
    if (skin == nullptr) {
        missing = "The skin '" + *search.found + "' cannot be read.";
    }
    return skin;
}

void SkinDisplay::ModelOpened(const std::string& path) {
    modelSkin_ = FindFor(path, modelMissing_);
    propSkin_.reset();
    Apply();
    ReportModelSkin();
}

void SkinDisplay::PropOpened(const std::string& path) {
    std::string missing;
    propSkin_ = FindFor(path, missing);
    Apply();
    if (Shown() && !missing.empty()) {
        frame_.SetStatus("%s", missing.c_str());
    }
}

void SkinDisplay::UseMergedSkin(std::unique_ptr<C3dImage> skin) {
    if (skin == nullptr) {
        return;
    }
    modelSkin_ = std::move(skin);
    modelMissing_.clear();
    Apply();
}

bool SkinDisplay::ChooseModelSkin() {
    FramePrompts questions(frame_);
    std::string chosen;
    auto skin = LoadSkinPicture(std::string(), &questions, &chosen);
    if (skin == nullptr) {
        if (!questions.Cancelled()) {
            frame_.SetStatus("Unable to read the skin '%s'.", chosen.c_str());
        }
        return false;
    }
    modelSkin_ = std::move(skin);
    modelMissing_.clear();
    SetShown(true);
    frame_.SetStatus("Skin: %s", chosen.c_str());
    return true;
}

void SkinDisplay::Toggle() {
    SetShown(!Shown());
    ReportModelSkin();
}

void SkinDisplay::SetShown(bool shown) {
    // Written at once, so that "New", which reads the settings again, keeps it.
    frame_.options.viewSkin = shown;
    frame_.Settings().WriteInt(settings::kOptions, settings::kViewSkin, shown ? 1 : 0);
    Apply();
}

bool SkinDisplay::Shown() const {
    return frame_.options.viewSkin;
}

void SkinDisplay::Reset() {
    modelSkin_.reset();
    propSkin_.reset();
    modelMissing_.clear();
    Apply();
}

void SkinDisplay::Apply() {
    ModelDocument& document = frame_.Document();
    const C3dImage* model = Shown() ? modelSkin_.get() : nullptr;
    document.model.SetSkin(model);
    document.generatedModel.SetSkin(model);
    document.prop.SetSkin(Shown() ? propSkin_.get() : nullptr);
    frame_.RequestRedraw();
}

void SkinDisplay::ReportModelSkin() {
    if (Shown() && modelSkin_ == nullptr && !modelMissing_.empty()) {
        frame_.SetStatus("%s", modelMissing_.c_str());
    }
}

}  // namespace editor::shell
