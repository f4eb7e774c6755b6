#pragma once

#include <memory>

#include "scene/color.h"

#include "scene/forward.h"

namespace editor::model {

using namespace ::scene;

// The five colours faces are drawn in.
enum class FaceColour : int {
    Black = 0,  // hidden parts
    White,      // normal faces
    Blue,       // selected or connecting faces
    Red,
    Green,
};

constexpr int FACE_COLOUR_COUNT = 5;

// The one-colour textures faces are coloured with. The document makes them once and installs
// them for the whole run, so that every part and every command colours faces the same way.
class FaceColourTextures {
  public:
    FaceColourTextures();
    ~FaceColourTextures();
    FaceColourTextures(const FaceColourTextures&) = delete;
    FaceColourTextures& operator=(const FaceColourTextures&) = delete;

    // Makes the five textures from the program's pictures; false when one cannot be made.
    bool Create();
    // Null before Create succeeded.
    const C3dTexture* Get(FaceColour colour) const;

  private:
    std::unique_ptr<C3dTexture> textures[FACE_COLOUR_COUNT];
};

// Installs the textures used from now on (null: faces only get plain colours).
void UseFaceColourTextures(const FaceColourTextures* textures);
const FaceColourTextures* CurrentFaceColourTextures();

C3dColor FaceColourValue(FaceColour colour);
// Gives every face of shape the colour (and its texture, when installed).
void ColourShape(C3dShape& shape, FaceColour colour);
// The same for faces first..first+count-1, clipped to the faces present; false when none is.
bool ColourFaces(C3dShape& shape, int first, int count, FaceColour colour);

}  // namespace editor::model
