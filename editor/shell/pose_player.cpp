#include "editor/shell/pose_player.h"

#include <cmath>

#include "editor/model/model_document.h"
#include "editor/shell/main_frame.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_posing.h"

namespace editor::shell {

using namespace ::editor::skeleton;

bool PosePlayer::Play(std::vector<PoseRecord> poses, double posesPerSecond,
                      const std::string& path) {
    if (poses.empty() || !(posesPerSecond >= 1.0) || posesPerSecond > 100.0) {
        return false;
    }
    ModelDocument& document = frame_.Document();
    GetBoneLengths(document, lengthsBefore_);
    frame_.Posing().Capture(before_);
    poses_ = std::move(poses);
    path_ = path;
    next_ = 0;
    Ui& ui = frame_.GetUi();
    int interval = static_cast<int>(std::lround(1000.0 / posesPerSecond));
    if (ui.StartTicking(
            interval, [this] { Tick(); }, [this] { Stop(); })) {
        playing_ = true;
        frame_.SetStatus("Playing %zu poses from %s; Esc stops.", poses_.size(), path_.c_str());
        Tick();
        return true;
    }
    // No window: each pose once, in order, then the old pose again.
    for (size_t i = 0; i < poses_.size(); ++i) {
        ShowPose(i);
    }
    Restore();
    frame_.SetStatus("Played %zu poses from %s.", poses_.size(), path_.c_str());
    poses_.clear();
    return true;
}

void PosePlayer::ShowPose(size_t index) {
    const PoseRecord& pose = poses_[index];
    // The same way as "Load Pose": whatever follows an applied pose follows these too.
    frame_.Posing().Apply(pose);
    std::string text = "Pose '" + PoseName(pose) + "' (" + std::to_string(index + 1) + " of " +
                       std::to_string(poses_.size()) + ")";
    if (playing_) {
        // Ten lines a second would drown the log: the status bar alone shows each pose.
        frame_.GetUi().SetStatusText(text);
    } else {
        frame_.SetStatus("%s", text.c_str());
    }
}

void PosePlayer::Tick() {
    if (!playing_ || poses_.empty()) {
        return;
    }
    ShowPose(next_);
    next_ = (next_ + 1) % poses_.size();
}

void PosePlayer::Restore() {
    ModelDocument& document = frame_.Document();
    // Back to the old lengths and, fitted to them, the old pose, whatever the poses played
    // did to the lengths.
    uint32_t normalize = document.normalizePoses;
    document.normalizePoses = 1;
    SetBoneLengths(document, lengthsBefore_);
    frame_.Posing().Apply(before_);
    document.normalizePoses = normalize;
}

void PosePlayer::Stop() {
    if (!playing_) {
        return;
    }
    frame_.GetUi().StopTicking();
    playing_ = false;
    poses_.clear();
    Restore();
    frame_.SetStatus("Stopped playing %s.", path_.c_str());
}

void PosePlayer::Abandon() {
    if (playing_) {
        frame_.GetUi().StopTicking();
        playing_ = false;
        poses_.clear();
    }
}

}  // namespace editor::shell
