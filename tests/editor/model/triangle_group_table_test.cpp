#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/model/triangle_group_table.h"

using namespace ::editor::model;

namespace {

TriangleSet SetOf(std::initializer_list<int> bits) {
    TriangleSet set;
    for (int bit : bits) {
        set.SetBit(bit);
    }
    return set;
}

std::vector<int> BitsOf(const TriangleSet& set) {
    std::vector<int> bits;
    set.ForEachSet([&bits](int i) { bits.push_back(i); });
    return bits;
}

void FillWithGroups(TriangleGroupTable& table, int count, const std::string& prefix) {
    for (int i = 0; i < count; ++i) {
        TriangleSet set = SetOf({i});
        ASSERT_EQ(table.SaveGroup(prefix + std::to_string(i), &set), 1);
    }
}

TEST(TriangleGroupSave, AppendsNewGroupsAndReplacesExistingOnesInPlace) {
    TriangleGroupTable table;
    TriangleSet arm = SetOf({1, 2});
    TriangleSet leg = SetOf({3});
    EXPECT_EQ(table.SaveGroup("arm", &arm), 1);
    EXPECT_EQ(table.SaveGroup("leg", &leg), 1);
    EXPECT_EQ(table.GroupCount(), 2);
    EXPECT_EQ(table.FindGroup("leg"), 1);
    EXPECT_EQ(table.FindGroup("Leg"), -1);  // names are case-sensitive

    EXPECT_EQ(table.SaveGroup("arm", table.GroupSet(0)), 1);  // saving a group onto itself
    EXPECT_EQ(BitsOf(*table.GroupSet(0)), (std::vector<int>{1, 2}));

    TriangleSet newArm = SetOf({7});
    EXPECT_EQ(table.SaveGroup("arm", &newArm), 1);
    EXPECT_EQ(table.GroupCount(), 2);
    EXPECT_EQ(table.FindGroup("arm"), 0);
    EXPECT_EQ(BitsOf(*table.GroupSet(0)), (std::vector<int>{7}));
}

TEST(TriangleGroupSave, WithoutASetNewGroupsAreEmptyAndOldOnesKeepTheirTriangles) {
    TriangleGroupTable table;
    EXPECT_EQ(table.SaveGroup("empty", nullptr), 1);
    EXPECT_EQ(table.GroupSet(0)->Count(), 0);
    TriangleSet some = SetOf({4});
    table.SaveGroup("kept", &some);
    EXPECT_EQ(table.SaveGroup("kept", nullptr), 1);
    EXPECT_EQ(BitsOf(*table.GroupSet(1)), (std::vector<int>{4}));
}

TEST(TriangleGroupSave, FullTableRefusesNewNamesButStillReplaces) {
    TriangleGroupTable table;
    FillWithGroups(table, MAX_TRIANGLE_GROUPS, "g");
    TriangleSet set = SetOf({99});
    EXPECT_EQ(table.SaveGroup("new", &set), 0);
    EXPECT_EQ(table.GroupCount(), MAX_TRIANGLE_GROUPS);
    EXPECT_EQ(table.FindGroup("new"), -1);
    EXPECT_EQ(table.SaveGroup("g5", &set), 1);
    EXPECT_EQ(table.FindGroup("g5"), 5);
    EXPECT_EQ(BitsOf(*table.GroupSet(5)), (std::vector<int>{99}));
}

TEST(TriangleGroupDelete, ClosesTheGapAndEmptiesTheLastPlace) {
    TriangleGroupTable table;
    FillWithGroups(table, 3, "g");
    EXPECT_TRUE(table.DeleteGroup(0));
    EXPECT_EQ(table.GroupCount(), 2);
    EXPECT_EQ(table.GroupName(0), "g1");
    EXPECT_EQ(table.GroupName(1), "g2");
    EXPECT_EQ(BitsOf(*table.GroupSet(1)), (std::vector<int>{2}));
    EXPECT_EQ(table.GroupName(2), "");
    EXPECT_EQ(table.GroupSet(2), nullptr);
}

TEST(TriangleGroupDelete, RefusesIndicesOutOfRange) {
    TriangleGroupTable table;
    FillWithGroups(table, 2, "g");
    EXPECT_FALSE(table.DeleteGroup(-1));
    EXPECT_FALSE(table.DeleteGroup(2));
    EXPECT_FALSE(table.DeleteGroup(MAX_TRIANGLE_GROUPS));
    EXPECT_EQ(table.GroupCount(), 2);
}

TEST(TriangleGroupClear, ReleasesEverythingIncludingTheTemporaryGroup) {
    TriangleGroupTable table;
    FillWithGroups(table, 5, "g");
    table.temporaryGroup.SetBit(12);
    table.ClearGroups();
    EXPECT_EQ(table.GroupCount(), 0);
    EXPECT_EQ(table.FindGroup("g0"), -1);
    EXPECT_EQ(table.temporaryGroup.Count(), 0);
    EXPECT_EQ(table.SaveGroup("again", nullptr), 1);
    EXPECT_EQ(table.FindGroup("again"), 0);
}

TEST(TriangleGroupNames, UniqueNamePrefixesTheShortestFreeRunOfX) {
    TriangleGroupTable table;
    EXPECT_EQ(table.UniqueGroupName("arm"), "arm");
    table.SaveGroup("arm", nullptr);
    table.SaveGroup("xarm", nullptr);
    EXPECT_EQ(table.UniqueGroupName("arm"), "xxarm");
    EXPECT_EQ(table.UniqueGroupName("leg"), "leg");
    EXPECT_EQ(table.UniqueGroupName("xarm"), "xxarm");
}

TEST(TriangleGroupNames, AccessorsRefuseIndicesOutOfRange) {
    TriangleGroupTable table;
    table.SaveGroup("a", nullptr);
    EXPECT_EQ(table.GroupName(-1), "");
    EXPECT_EQ(table.GroupName(1), "");
    EXPECT_EQ(table.GroupSet(1), nullptr);
    EXPECT_EQ(table.GroupSet(-5), nullptr);
}

TEST(TriangleGroupMerge, CopiesGroupsShiftedUnderUniqueNames) {
    TriangleGroupTable table;
    TriangleSet body = SetOf({0, 1});
    table.SaveGroup("body", &body);
    TriangleGroupTable other;
    TriangleSet otherBody = SetOf({0});
    TriangleSet sword = SetOf({1, 2});
    other.SaveGroup("body", &otherBody);
    other.SaveGroup("sword", &sword);

    EXPECT_EQ(table.MergeGroups(other, 10), 1);
    ASSERT_EQ(table.GroupCount(), 3);
    EXPECT_EQ(table.GroupName(1), "xbody");
    EXPECT_EQ(BitsOf(*table.GroupSet(1)), (std::vector<int>{10}));
    EXPECT_EQ(table.GroupName(2), "sword");
    EXPECT_EQ(BitsOf(*table.GroupSet(2)), (std::vector<int>{11, 12}));
    EXPECT_EQ(BitsOf(*table.GroupSet(0)), (std::vector<int>{0, 1}));
    EXPECT_EQ(other.GroupCount(), 2);  // the source is left alone
}

TEST(TriangleGroupMerge, TooManyGroupsAreUnitedIntoOneNamedAfterTheFirst) {
    TriangleGroupTable table;
    FillWithGroups(table, 126, "g");
    TriangleGroupTable other;
    TriangleSet a = SetOf({0});
    TriangleSet b = SetOf({1});
    TriangleSet c = SetOf({5});
    other.SaveGroup("g0", &a);
    other.SaveGroup("hand", &b);
    other.SaveGroup("foot", &c);

    EXPECT_EQ(table.MergeGroups(other, 100), 1);
    ASSERT_EQ(table.GroupCount(), 127);
    EXPECT_EQ(table.GroupName(126), "xg0");
    EXPECT_EQ(BitsOf(*table.GroupSet(126)), (std::vector<int>{100, 101, 105}));
}

TEST(TriangleGroupMerge, FullTableUnitesTheMergedTrianglesWithGroupZero) {
    TriangleGroupTable table;
    FillWithGroups(table, MAX_TRIANGLE_GROUPS, "g");
    TriangleGroupTable other;
    TriangleSet a = SetOf({2});
    other.SaveGroup("prop", &a);

    EXPECT_EQ(table.MergeGroups(other, 3), 1);
    EXPECT_EQ(table.GroupCount(), MAX_TRIANGLE_GROUPS);
    EXPECT_EQ(table.GroupName(0), "g0");
    EXPECT_EQ(BitsOf(*table.GroupSet(0)), (std::vector<int>{0, 5}));
}

TEST(TriangleGroupMerge, EmptySourceChangesNothing) {
    TriangleGroupTable table;
    TriangleSet body = SetOf({3});
    table.SaveGroup("body", &body);
    TriangleGroupTable other;
    other.temporaryGroup.SetBit(1);
    EXPECT_EQ(table.MergeGroups(other, 7), 1);
    EXPECT_EQ(table.GroupCount(), 1);
    EXPECT_EQ(BitsOf(*table.GroupSet(0)), (std::vector<int>{3}));
    EXPECT_EQ(table.temporaryGroup.Count(), 0);
}

TEST(TriangleGroupMerge, BitsPushedPastTheLastTriangleAreDroppedNotLeftUnshifted) {
    TriangleGroupTable table;
    TriangleGroupTable other;
    TriangleSet stale = SetOf({1, 2040});  // 2040 is a stale bit beyond the appended triangles
    other.SaveGroup("part", &stale);
    EXPECT_EQ(table.MergeGroups(other, 10), 1);
    EXPECT_EQ(BitsOf(*table.GroupSet(0)), (std::vector<int>{11}));
    EXPECT_EQ(table.MergeGroups(other, -1), 0);
}

TEST(TriangleGroupMerge, MergingATableIntoItselfCopiesOnlyItsOldGroups) {
    TriangleGroupTable table;
    TriangleSet hand = SetOf({0, 1});
    table.SaveGroup("hand", &hand);
    EXPECT_EQ(table.MergeGroups(table, 2), 1);
    ASSERT_EQ(table.GroupCount(), 2);
    EXPECT_EQ(table.GroupName(1), "xhand");
    EXPECT_EQ(BitsOf(*table.GroupSet(1)), (std::vector<int>{2, 3}));
}

}  // namespace
