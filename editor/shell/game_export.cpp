#include "editor/shell/game_export.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "editor/export/export_driver.h"
#include "editor/export/mesh_chunks.h"
#include "editor/io/game_skin.h"
#include "editor/shell/frame_export_host.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/ui.h"

namespace editor::shell {

using namespace ::editor::flexexport;
using namespace ::editor::io;

namespace {

namespace fs = std::filesystem;

constexpr const char* GAME_MODEL_NAME = "tris.fm";

// The skins the FlexModel names are the ones written into the player's folder.
static_assert(std::string_view(EXPORT_SKINS[0]).starts_with(GAME_PLAYER_FOLDER));
static_assert(std::string_view(EXPORT_SKINS[1]).starts_with(GAME_PLAYER_FOLDER));

bool HasSkin(CMainFrame& frame, const C3dImage* skin) {
    if (skin == nullptr) {
        frame.GetUi().ShowMessage(
            "The model has no skin to export: open it beside its skin, or choose one with "
            "\"Model Skin...\".");
    }
    return skin != nullptr;
}

bool MakeSkin(CMainFrame& frame, const C3dImage& skin, const std::string& name, M8Picture& result,
              const char* failureEnd) {
    frame.SetStatus("Quantising the skin to 256 colours...");
    if (!Trace(MakeGameSkin(skin, name, result))) {
        frame.GetUi().ShowMessage(std::string("Can't quantise the skin to 256 colours") +
                                  failureEnd);
        return false;
    }
    return true;
}

bool WriteSkin(CMainFrame& frame, const M8Picture& picture, const std::string& path,
               const char* failureEnd) {
    if (!Trace(WriteGameSkin(picture, path))) {
        frame.GetUi().ShowMessage("Can't write the game skin '" + path + "'" + failureEnd);
        return false;
    }
    return true;
}

// The folders of path that do not exist yet, deepest first, made; nothing when one cannot be.
std::optional<std::vector<fs::path>> MakeFolders(const fs::path& path) {
    std::vector<fs::path> made;
    std::error_code error;
    for (fs::path folder = path; !folder.empty() && !fs::exists(folder, error);
         folder = folder.parent_path()) {
        made.push_back(folder);
        if (folder == folder.parent_path()) {
            break;
        }
    }
    fs::create_directories(path, error);
    if (!fs::is_directory(path, error)) {
        return std::nullopt;
    }
    return made;
}

// Takes back the folders MakeFolders made, where they are still empty.
void RemoveEmptyFolders(const std::vector<fs::path>& made) {
    std::error_code error;
    for (const fs::path& folder : made) {
        if (fs::is_empty(folder, error)) {
            fs::remove(folder, error);
        }
    }
}

std::string QualityText(double psnr) {
    if (std::isinf(psnr)) {
        return "every colour kept";
    }
    char text[64];
    std::snprintf(text, sizeof text, "PSNR %.1f dB", psnr);
    return text;
}

}  // namespace

void ExportGameSkin(CMainFrame& frame, const C3dImage* skin) {
    if (!HasSkin(frame, skin)) {
        return;
    }
    frame.SetStatus("Enter a file name to save the game skin to...");
    FileDialogRequest request;
    request.filter = GAME_SKIN_FILTER;
    request.defaultExtension = "m8";
    const std::optional<std::string> path = frame.GetUi().AskSaveFile(request);
    if (!path || path->empty()) {
        return;
    }
    M8Picture picture;
    if (!MakeSkin(frame, *skin, GameSkinName(*path), picture, ".") ||
        !WriteSkin(frame, picture, *path, ".")) {
        return;
    }
    frame.SetStatus("Game skin written to '%s': %zu levels from 256 x 256, 256 colours (%s).",
                    path->c_str(), picture.levels.size(),
                    QualityText(GameSkinPsnr(*skin, picture)).c_str());
}

void ExportForGame(CMainFrame& frame, const C3dImage* skin) {
    if (!HasSkin(frame, skin)) {
        return;
    }
    frame.SetStatus("Choose the folder to put the game's files in...");
    FileDialogRequest request;
    request.title = "Export for the Game";
    const std::optional<std::string> folder = frame.GetUi().AskFolder(request);
    if (!folder || folder->empty()) {
        return;
    }
    constexpr const char* aborted = " - export aborted.";
    M8Picture picture;
    if (!MakeSkin(frame, *skin, EXPORT_SKINS[0], picture, aborted)) {
        return;
    }
    // "models/player/elf", without the separator that ends the name.
    const fs::path player = fs::path(*folder) / fs::path(GAME_PLAYER_FOLDER).parent_path();
    const std::optional<std::vector<fs::path>> made = MakeFolders(player);
    if (!made) {
        frame.GetUi().ShowMessage("Can't create the folder '" + player.string() + "'" + aborted);
        return;
    }
    ExportRequest exportRequest = FrameExportRequest(frame);
    exportRequest.outputPath = (player / GAME_MODEL_NAME).string();
    if (!RunFrameExport(frame, exportRequest)) {
        // A cancelled or failed export leaves no empty folders behind.
        RemoveEmptyFolders(*made);
        return;
    }
    for (const char* name : EXPORT_SKINS) {
        picture.name = name;
        if (!WriteSkin(frame, picture, (fs::path(*folder) / name).string(), aborted)) {
            return;
        }
    }
    frame.SetStatus("Exported for the game into '%s': %s%s, !skin.m8 and !skindmg.m8.",
                    folder->c_str(), GAME_PLAYER_FOLDER, GAME_MODEL_NAME);
}

}  // namespace editor::shell
