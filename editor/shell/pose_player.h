#pragma once

#include <string>
#include <vector>

#include "editor/model/pose_record.h"
#include "editor/skeleton/pose_math.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;

class CMainFrame;

// "Play Poses": applies the poses of a file one after another, looping, from the window's
// ticks, and puts the pose from before back when stopped. Without a window to tick in, each
// pose is applied once in order and the old pose comes back at the end.
class PosePlayer {
  public:
    explicit PosePlayer(CMainFrame& frame) : frame_(frame) {}

    bool IsPlaying() const { return playing_; }
    // Starts with the first pose; false (and nothing changed) for an empty list or a rate
    // outside 1..100 poses per second.
    bool Play(std::vector<PoseRecord> poses, double posesPerSecond, const std::string& path);
    // Applies the next pose, wrapping round at the end.
    void Tick();
    // Ends playing and puts the earlier pose and bone lengths back.
    void Stop();
    // Ends playing without touching the skeleton (the scene is being taken apart).
    void Abandon();

  private:
    void ShowPose(size_t index);
    void Restore();

    CMainFrame& frame_;
    std::vector<PoseRecord> poses_;
    std::string path_;
    size_t next_ = 0;
    bool playing_ = false;
    PoseRecord before_;
    BoneLengths lengthsBefore_ = {};
};

}  // namespace editor::shell
