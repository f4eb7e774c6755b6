#pragma once
// The "skeleton" chunk (three vertex clusters and three joint frames per frame) and the
// "references" chunk (seven reference points per frame), both taken from the frames'
// "refskel.bin".

#include <functional>
#include <string>

#include "editor/export/flex_exporter.h"
#include "editor/model/model_document.h"

namespace editor::flexexport {

using StatusSink = std::function<void(const std::string&)>;

// False when "refskel.bin" cannot be read or holds fewer records than the header's frames, or
// when a write fails.
bool WriteSkeletonChunk(FlexExporter& exporter, const ModelDocument& document,
                        const std::string& refskelPath, const StatusSink& status);
bool WriteReferencesChunk(FlexExporter& exporter, const std::string& refskelPath,
                          const StatusSink& status);

}  // namespace editor::flexexport
