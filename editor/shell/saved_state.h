#pragma once

#include <cstdint>
#include <string>

#include "editor/model/forward.h"

namespace editor::shell {

using namespace ::editor::model;

// What the model looked like when it was last opened or saved, and under which file name: the
// window's title names the file and marks changes since, and "New", "Open", a recent file and
// closing ask to save them. Everything "Save" writes counts: the model's geometry and where its
// shape stands in the scene.
class SavedState {
  public:
    // The document as it is now is the file at path (empty: no file).
    void MarkSaved(const ModelDocument& document, std::string path);
    bool HasChanges(const ModelDocument& document) const;
    const std::string& Path() const { return path_; }
    // The file's name without its folder; empty without a file.
    std::string FileName() const;

  private:
    std::string path_;
    std::uint64_t fingerprint_ = 0;
};

// A digest of what "Save" would write for the document.
std::uint64_t ModelFingerprint(const ModelDocument& document);

}  // namespace editor::shell
