#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/history/history.h"

using namespace ::editor::history;

namespace {

// States of one section, each a different byte.
Snapshot State(uint8_t value, std::size_t size = 1000) {
    return Snapshot{{std::make_shared<const std::vector<uint8_t>>(size, value),
                     std::make_shared<const std::vector<uint8_t>>(size, 0)}};
}

TEST(HistoryTest, OldestStepsGoFirstPastTheLimitsAndUnchangedSectionsAreShared) {
    History steps({.maxSteps = 100, .maxBytes = 1 << 20});
    steps.Start(State(0));
    for (int i = 1; i <= 150; ++i) {
        EXPECT_TRUE(steps.Record("step " + std::to_string(i), State(static_cast<uint8_t>(i))));
    }
    EXPECT_FALSE(steps.Record("same", State(150)));
    // A derived section alone (a cache) makes no step.
    Snapshot cache = State(150);
    cache.derived = 1;
    cache.sections[1] = std::make_shared<const std::vector<uint8_t>>(1000, 7);
    Snapshot present = State(150);
    present.derived = 1;
    EXPECT_TRUE(SameState(cache, present));
    EXPECT_FALSE(SameState(cache, State(150)));
    EXPECT_EQ(steps.StepCount(), 100u);
    // 101 states share the one zero section.
    EXPECT_EQ(steps.Bytes(), 101u * 1000 + 1000);
    int undone = 0;
    while (steps.Undo() != nullptr) {
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(steps.RedoName(), "step 51");

    // A new step after undoing drops what could have been redone; the byte limit drops more.
    History small({.maxSteps = 100, .maxBytes = 10 * 1000});
    small.Start(State(0));
    for (int i = 1; i <= 20; ++i) {
        small.Record("step", State(static_cast<uint8_t>(i)));
    }
    EXPECT_LE(small.Bytes(), 10u * 1000);
    EXPECT_EQ(small.StepCount(), 8u);
    small.Undo();
    small.Record("other", State(99));
    EXPECT_FALSE(small.CanRedo());
    EXPECT_EQ(small.UndoName(), "other");
}

}  // namespace
