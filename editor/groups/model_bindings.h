#pragma once
// The bindings of the document's bones: guessing them for the model as it stands in the scene,
// and reading and writing them as binding files.

#include <string>

#include "bytes/result.h"
#include "editor/groups/binding_file.h"
#include "editor/groups/bone_guess.h"
#include "editor/model/forward.h"

namespace editor::groups {

using namespace ::bytes;
using namespace ::editor::model;

inline constexpr const char* NO_MESH_TO_ASSIGN_MESSAGE = "No imported mesh to assign.";
inline constexpr const char* READ_BACK_FAILED_MESSAGE =
    "Internal error - too many triangles or vertices";
inline constexpr const char* BINDINGS_CLIPPED_WARNING =
    "WARNING: More triangles than model in bindings file - extra ignored!";

// The joints where the scene shows them and the eligible bones.
GuessSkeleton SkeletonForGuess(const ModelDocument& document);

BoneBindings CurrentBindings(const ModelDocument& document);
void SetBindings(ModelDocument& document, const BoneBindings& bindings);

enum class GuessOutcome { Guessed, NoModel, ReadBackFailed };
// Reads the model back from its shape in scene coordinates and guesses the bindings of the
// eligible bones from the temporary group.
GuessOutcome GuessModelBindings(ModelDocument& document, const GrowthStatus& status);

// Loads a binding file into the bones, clipped to the model's triangles: true when bits had to
// go. Nothing changes unless the whole file could be read; a failure is refused with the text
// the user is to see.
Result<bool> LoadBindingFile(ModelDocument& document, const std::string& path);
// Writes the bones' bindings beside path and renames the file over it.
Status SaveBindingFile(const ModelDocument& document, const std::string& path);

}  // namespace editor::groups
