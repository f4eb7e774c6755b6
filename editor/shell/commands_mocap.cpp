// Motion capture: "Import Motion Capture..." turns a BVH clip into a pose file for the player
// skeleton at the current bone lengths; "Play Poses..." plays a pose file on the skeleton.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "bytes/whole_file.h"
#include "editor/io/assimp_model_reader.h"
#include "editor/mocap/assimp_clip.h"
#include "editor/mocap/mocap_import.h"
#include "editor/model/file_messages.h"
#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/motion_capture_conversion.h"
#include "editor/shell/outcome_message.h"
#include "editor/shell/pose_player.h"
#include "editor/skeleton/pose_file.h"
#include "editor/skeleton/skeleton_files.h"
#include "editor/skeleton/skeleton_posing.h"

namespace editor::shell {

using namespace ::bytes;
using namespace ::editor::io;
using namespace ::editor::mocap;
using namespace ::editor::model;
using namespace ::editor::skeleton;

namespace {

// BVH clips first, then every animated scene format assimp reads (FBX, glTF, Collada, ...).
std::string MotionCaptureFilter() {
    const std::string others = AssimpPatterns({".bvh"});
    return "Motion Capture Clips (*.bvh;" + others + ")|*.bvh;" + others +
           "|BVH Clips (*.bvh)|*.bvh|Animated Scene Files (" + others + ")|" + others +
           "|All Files (*.*)|*.*||";
}

// A file of several animations asks which one; a BVH clip is one. Nothing after a cancel or
// when the file cannot be read (then said).
std::optional<std::string> ChooseTake(Ui& ui, const std::string& clip) {
    if (IsBvhPath(clip)) {
        return std::string();
    }
    std::vector<std::string> takes;
    if (Status listed = ListClipTakes(clip, takes); !listed) {
        ui.ShowMessage("'" + clip + "': " + listed.Reason() + ".");
        return std::nullopt;
    }
    if (takes.size() == 1) {
        return takes.front();
    }
    const std::optional<int> chosen = ui.AskListChoice(
        {.title = "Which animation of '" + std::filesystem::path(clip).filename().string() +
                  "' to convert?",
         .items = takes,
         .initialIndex = 0});
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(takes.size())) {
        return std::nullopt;
    }
    return takes[static_cast<std::size_t>(*chosen)];
}
constexpr const char* PLAY_RATE_TITLE = "Poses per second (1 to 100)";

FileDialogRequest FileRequest(const char* title, const char* extension, const std::string& filter) {
    FileDialogRequest request;
    request.title = title;
    request.defaultExtension = extension;
    request.filter = filter;
    request.flags = kHideReadOnly | kFileMustExist;
    return request;
}

struct MotionCaptureArea {
    explicit MotionCaptureArea(CMainFrame& frame) : frame(frame), player(frame) {}

    void Import() {
        Ui& ui = frame.GetUi();
        frame.SetStatus("Enter the motion-capture clip (BVH, FBX, glTF, ...) to convert...");
        std::optional<std::string> clip =
            ui.AskOpenFile(FileRequest("Import Motion Capture", "bvh", MotionCaptureFilter()));
        if (!clip) {
            return;
        }
        const std::optional<std::string> take = ChooseTake(ui, *clip);
        if (!take) {
            return;
        }
        MotionCaptureChoice choice = lastChoice;
        choice.baseName = BaseNameFromPath(*clip);
        choice.take = *take;
        if (!ui.AskMotionCapture(choice, MAX_POSE_NAME_LENGTH - 1)) {
            return;
        }
        lastChoice = choice;
        frame.SetStatus("Enter a file name to save the poses to...");
        FileDialogRequest save = FileRequest("Save Poses", "spz", POSE_FILE_FILTER);
        save.flags = kHideReadOnly;
        std::optional<std::string> target = ui.AskSaveFile(save);
        if (!target) {
            return;
        }
        if (FileExists(*target) && !ui.AskYesNo("OK to overwrite '" + *target + "'?")) {
            return;
        }
        Convert(*clip, choice, *target);
    }

    void Convert(const std::string& clip, const MotionCaptureChoice& choice,
                 const std::string& target) {
        ModelDocument& document = frame.Document();
        BoneLengths lengths;
        GetBoneLengths(document, lengths);
        size_t reported = 0;
        auto progress = [this, &reported](size_t done, size_t total) {
            // A status line for every tenth of the work is enough to see it move.
            if (done * 10 / total != reported * 10 / total || done == total) {
                frame.SetStatus("Converting motion capture: pose %zu of %zu...", done, total);
            }
            reported = done;
        };
        frame.SetStatus("Reading %s...", clip.c_str());
        const Result<size_t> poses = ConvertMotionCaptureFile(
            clip, target, choice, lengths, document.normalizePoses != 0, progress);
        if (!Succeeded(frame.GetUi(), poses)) {
            return;
        }
        frame.SetStatus("Converted '%s' into %zu poses in %s.", clip.c_str(), *poses,
                        target.c_str());
    }

    void PlayPoses() {
        if (player.IsPlaying()) {
            player.Stop();
            return;
        }
        Ui& ui = frame.GetUi();
        frame.SetStatus("Enter a pose file to play...");
        std::optional<std::string> path =
            ui.AskOpenFile(FileRequest("Play Poses", "spz", POSE_FILE_FILTER));
        if (!path) {
            return;
        }
        std::vector<PoseRecord> poses;
        if (!ReadPoses(*path, poses)) {
            return;
        }
        TextRequest rateRequest;
        rateRequest.title = PLAY_RATE_TITLE;
        rateRequest.initialText = lastRate;
        rateRequest.maxLength = 6;
        std::optional<std::string> rate = ui.AskText(rateRequest);
        if (!rate) {
            return;
        }
        char* end = nullptr;
        double perSecond = std::strtod(rate->c_str(), &end);
        if (end == rate->c_str() || *end != '\0' || !player.Play(poses, perSecond, *path)) {
            ui.ShowMessage("The rate must be a number of poses per second from 1 to 100.");
            return;
        }
        lastRate = *rate;
    }

    bool ReadPoses(const std::string& path, std::vector<PoseRecord>& poses) {
        std::vector<uint8_t> bytes;
        if (Status read = ReadWholeFile(path, bytes); !read) {
            frame.GetUi().ShowMessage(read.Kind() == Failure::CantOpen
                                          ? CantOpenMessage(path)
                                          : "Can't read pose data from '" + path + "'.");
            return false;
        }
        if (!ParsePoseFile(bytes, poses)) {
            frame.GetUi().ShowMessage("Incorrect pose format in '" + path + "'.");
            return false;
        }
        return true;
    }

    CMainFrame& frame;
    PosePlayer player;
    MotionCaptureChoice lastChoice;
    std::string lastRate = "10";
};

}  // namespace

void RegisterMotionCaptureCommands(CMainFrame& frame, CommandRouter& router) {
    auto area = std::make_shared<MotionCaptureArea>(frame);
    CommandHandler import;
    import.run = [area] { area->Import();
};
router.Bind(ID_FILE_IMPORT_MOTION_CAPTURE, std::move(import));
BindToggle(
    router, ID_SKELETON_PLAY_POSES, [area] { area->PlayPoses(); },
    [area] { return area->player.IsPlaying(); });
// The skeleton leaves the scene on "New" and on closing: playing ends with it.
frame.Hooks().depopulateScene.push_back([area] { area->player.Abandon(); });
}  // namespace editor::shell

}  // namespace editor::shell
