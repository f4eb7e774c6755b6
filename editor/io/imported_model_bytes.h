#pragma once
// An imported model as bytes and back, for a model read in another process: the reading side
// trusts nothing it receives, so a damaged stream is refused, never followed.

#include <cstdint>
#include <span>
#include <vector>

#include "editor/io/imported_model.h"

namespace editor::io {

std::vector<uint8_t> ImportedModelToBytes(const ImportedModel& model);
// False when the bytes are not a whole, consistent model (every index, bone and influence in
// range, counts that fit the bytes).
bool ImportedModelFromBytes(std::span<const uint8_t> bytes, ImportedModel& model);

}  // namespace editor::io
