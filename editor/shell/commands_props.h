#pragma once

#include <optional>
#include <string>

namespace editor::shell {

class CMainFrame;
}  // namespace editor::shell
namespace editor::io {
struct ImportReport;
}  // namespace editor::io
namespace editor::shell {

// Loads a mesh file into the prop (an empty path asks for one): refused while the generated
// model is shown; offers groups for closed sub-meshes; replaces the prop's shape in the scene.
// The path on success; nothing after a refusal, a cancel or "Unable to load mesh.". A file read
// through assimp fills report (when given): its simplification and its own skeleton.
std::optional<std::string> OpenMeshAsProp(CMainFrame& frame, const std::string& path,
                                          editor::io::ImportReport* report = nullptr);

// "Open..." and the recent-file list: loads the file as the prop, lists it among the recent
// files, empties the merged-prop list and merges the prop into the model; a file with its own
// skeleton is offered its takeover. True when opened.
bool OpenModelFile(CMainFrame& frame, const std::string& path);

}  // namespace editor::shell
