#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "editor/model/model_document.h"
#include "editor/skeleton/pose_follower.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

// Stands in for the generated model: counts how often it was told to follow the skeleton.
class CountingFollower : public PoseFollower {
  public:
    void FollowPose(ModelDocument&) override { ++follows; }
    int follows = 0;
};

// A document whose skeleton is built, linked into a scene and posed, as at start-up.
class SkeletonFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        scene_.Create();
        document_->SetScene(&scene_);
    }
    void TearDown() override {
        UnlinkSkeleton(*document_);
        scene_.RemoveAllChildren();
    }

    void StartUp() {
        BuildSkeleton(posing_);
        LinkSkeleton(*document_, scene_);
        posing_.Apply(document_->defaultPose);
    }

    Vector JointAt(int j) const { return JointScenePosition(*document_, &document_->joints[j]); }
    PoseVec PoseJoint(int j) const { return PoseFromDisplay(JointAt(j)); }
    double Distance(int a, int b) const {
        return Vector::Subtract(JointAt(a), JointAt(b)).Length();
    }

    C3dScene scene_;
    std::unique_ptr<ModelDocument> document_ = std::make_unique<ModelDocument>();
    CountingFollower follower_;
    Posing posing_{*document_, follower_};
};
