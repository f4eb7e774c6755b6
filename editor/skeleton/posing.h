#pragma once
// The one way to pose a document's skeleton: built once per document together with what follows
// the skeleton, so no pose application can leave the generated model behind.

#include "editor/model/pose_record.h"

#include "editor/model/forward.h"

namespace editor::skeleton {

using namespace ::editor::model;

class PoseFollower;

class Posing {
  public:
    Posing(ModelDocument& document, PoseFollower& follower)
        : document_(document), follower_(follower) {}
    Posing(const Posing&) = delete;
    Posing& operator=(const Posing&) = delete;

    ModelDocument& Document() const { return document_; }

    // Sets the skeleton to the pose, then the generated model follows. Without normalising,
    // the bone lengths become those the pose implies; with it, the pose is fitted to the
    // current lengths.
    void Apply(const PoseRecord& record);
    // Writes the current skeleton into the record (name zeroed). With normalising, the stored
    // positions are those of the default proportions, and the skeleton takes them.
    void Capture(PoseRecord& record);
    // Table lengths, then the default pose.
    void RestoreDefaults();
    // The skeleton moved without a pose (put back part by part, or the joints' blend switched):
    // the generated model follows.
    void Follow();

  private:
    ModelDocument& document_;
    PoseFollower& follower_;
};

}  // namespace editor::skeleton
