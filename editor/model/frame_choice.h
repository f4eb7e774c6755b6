#pragma once

namespace editor::model {

// The title of the editable list that asks which named frame to load, shared by the pose files
// and the Quake-family model files.
inline constexpr const char* FRAME_CHOICE_TITLE = "Type or select name of frame to load:";
// Most characters typed for a frame name of a model file.
inline constexpr int FRAME_NAME_LIMIT = 15;

}  // namespace editor::model
