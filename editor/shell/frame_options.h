#pragma once

#include <cstdint>

#include "editor/model/forward.h"
#include "scene/input/forward.h"

namespace editor::shell {

using namespace ::scene::input;
using namespace ::editor::model;

struct WindowRect {
    int left = 50;
    int top = 50;
    int right = 350;
    int bottom = 400;
};

// The options the user switches in the editor. The settings profile keeps the first group
// between runs; the toggles last for the session.
struct FrameOptions {
    WindowRect windowRect;
    int32_t controlDevice = 0;
    bool viewSelection = true;
    bool viewHitPoint = true;
    bool liveUpdate = false;
    // The model, generated model and prop drawn with their skins.
    bool viewSkin = false;

    bool lockPosition = false;
    bool flipTextureU = false;
    bool flipTextureV = false;
    bool quickExport = false;
    // The "Bone Bindings" view: selecting a bone shows its bound triangles.
    bool bindingsView = false;
};

// Reads the profile's part of the options, each with its default when missing; the session
// toggles are left as they are.
void ReadFrameOptions(const SettingsStore& settings, FrameOptions& options);
void WriteFrameOptions(SettingsStore& settings, const FrameOptions& options);

// The document's options the profile keeps: rigid bones, normalised poses, solid model, the
// active mesh nodes, smooth joints and their blend zone.
void ReadDocumentOptions(const SettingsStore& settings, ModelDocument& document);
void WriteDocumentOptions(SettingsStore& settings, const ModelDocument& document);

}  // namespace editor::shell
