#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/groups/closed_submesh_groups.h"
#include "editor/groups/flood_fill_triangles.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_group_table.h"
#include "tests/support/declining_prompts.h"

using namespace ::editor::groups;
using namespace ::editor::model;

namespace {

// The flood fill as first described: passes over the reached vertices in ascending order,
// each walking the triangles around a vertex, until a pass adds nothing.
void StraightFloodFill(const MeshData& mesh, int seed, const TriangleSet& allowed,
                       TriangleSet& result) {
    result.ClearAll();
    VertexSet reached;
    reached.SetBit(seed);
    bool added = true;
    while (added) {
        added = false;
        for (int v = 0; v < mesh.vertexCount; ++v) {
            if (!reached.Test(v)) {
                continue;
            }
            int cursor = -1;
            while (mesh.NextTriangleWithVertex(cursor, v)) {
                if (allowed.Test(cursor) && !result.Test(cursor)) {
                    result.SetBit(cursor);
                    int a, b, c;
                    mesh.GetTriangle(cursor, a, b, c);
                    reached.SetBit(a);
                    reached.SetBit(b);
                    reached.SetBit(c);
                    added = true;
                }
            }
        }
    }
}

TEST(FloodFillTriangles, AgreesWithRepeatedPassesOnRandomMeshes) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 30; ++trial) {
        auto mesh = std::make_unique<MeshData>();
        const int vertices = 20 + random() % 200;
        for (int v = 0; v < vertices; ++v) {
            mesh->AddVertex(Vector(v, 0, 0));
        }
        const int triangles = 10 + random() % 300;
        for (int t = 0; t < triangles; ++t) {
            mesh->AddTriangle(random() % vertices, random() % vertices, random() % vertices, 0, 0,
                              0);
        }
        TriangleSet allowed;
        for (int t = 0; t < triangles; ++t) {
            if (random() % 4 != 0) {
                allowed.SetBit(t);
            }
        }
        const int seed = random() % vertices;
        TriangleSet fast, slow;
        FloodFillTriangles(*mesh, seed, allowed, fast);
        StraightFloodFill(*mesh, seed, allowed, slow);
        EXPECT_TRUE(fast.Equals(slow)) << trial;
    }
}

// A strip of `count` triangles sharing edges, on fresh vertices.
void AddStrip(MeshData& mesh, int count) {
    const int base = mesh.vertexCount;
    for (int i = 0; i < count + 2; ++i) {
        mesh.AddVertex(Vector(base + i, i % 2, 0));
    }
    for (int i = 0; i < count; ++i) {
        mesh.AddTriangle(base + i, base + i + 1, base + i + 2, 0, 0, 0);
    }
}

TEST(FloodFillTriangles, CoincidentButDistinctVerticesDoNotConnect) {
    auto mesh = std::make_unique<MeshData>();
    AddStrip(*mesh, 1);
    AddStrip(*mesh, 1);
    mesh->vertices[3] = mesh->vertices[2];  // same place, different index
    TriangleSet all, result;
    all.SetRange(0, 2);
    EXPECT_EQ(FloodFillTriangles(*mesh, 0, all, result), 1);
    EXPECT_TRUE(result.Test(0));
}

class ClosedSubmeshes : public ::testing::Test {
  protected:
    // Answers the one question with `answer` and records the questions and the steps reported.
    struct Recording : DecliningPrompts {
        explicit Recording(ClosedSubmeshes& test) : test(test) {}
        bool AskYesNo(const std::string& q) override {
            test.questions.push_back(q);
            return test.answer;
        }
        void ReportProgress(const std::string& s) override { test.reports.push_back(s); }
        ClosedSubmeshes& test;
    };
    Recording& Prompts() { return recording; }
    Recording recording{*this};
    void SaveGroup(const std::string& name, int first, int count) {
        TriangleSet set;
        set.SetRange(first, count);
        mesh->groupTable->SaveGroup(name, &set);
    }

    std::unique_ptr<MeshData> mesh = [] {
        auto m = std::make_unique<MeshData>();
        m->groupTable = std::make_unique<TriangleGroupTable>();
        return m;
    }();
    bool answer = true;
    std::vector<std::string> questions;
    std::vector<std::string> reports;
};

TEST_F(ClosedSubmeshes, AGroupOfTwoPiecesGetsTwoGroupsAfterOneQuestion) {
    AddStrip(*mesh, 3);
    AddStrip(*mesh, 2);
    SaveGroup("default", 0, 5);
    EXPECT_EQ(OfferClosedSubmeshGroups(*mesh, Prompts()), 2);
    EXPECT_EQ(questions, std::vector<std::string>{CLOSED_SUBMESH_QUESTION});
    const TriangleGroupTable& table = *mesh->groupTable;
    ASSERT_EQ(table.GroupCount(), 3);
    EXPECT_EQ(table.GroupName(1), "defaultAA");
    EXPECT_EQ(table.GroupName(2), "defaultAB");
    EXPECT_EQ(table.GroupSet(1)->Count(), 3);
    EXPECT_TRUE(table.GroupSet(2)->Test(3));
    EXPECT_EQ(table.GroupSet(2)->Count(), 2);
    EXPECT_EQ(reports[0], "Added group 'defaultAA' - part of 'default'.");
}

TEST_F(ClosedSubmeshes, PiecesWithTheirOwnGroupAreLeftAlone) {
    AddStrip(*mesh, 3);
    AddStrip(*mesh, 2);
    SaveGroup("body", 0, 3);
    SaveGroup("sword", 3, 2);
    EXPECT_EQ(OfferClosedSubmeshGroups(*mesh, Prompts()), 0);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(mesh->groupTable->GroupCount(), 2);
}

TEST_F(ClosedSubmeshes, TheSmallestHolderNamesTheGroupAndLaterWinsTies) {
    AddStrip(*mesh, 2);
    AddStrip(*mesh, 2);
    AddStrip(*mesh, 2);
    SaveGroup("all", 0, 6);
    SaveGroup("left", 0, 4);
    SaveGroup("front", 0, 4);
    answer = true;
    OfferClosedSubmeshGroups(*mesh, Prompts());
    const TriangleGroupTable& table = *mesh->groupTable;
    // "all": piece 0..1 lies in left and front (4 each; front is later), piece 4..5 only in all.
    EXPECT_EQ(table.GroupName(3), "frontAA");
    EXPECT_EQ(table.GroupName(4), "frontAB");
    EXPECT_EQ(table.GroupName(5), "allAC");
    EXPECT_EQ(questions.size(), 1u);
}

TEST_F(ClosedSubmeshes, NoEndsTheWholeOffer) {
    AddStrip(*mesh, 1);
    AddStrip(*mesh, 1);
    SaveGroup("default", 0, 2);
    answer = false;
    EXPECT_EQ(OfferClosedSubmeshGroups(*mesh, Prompts()), 0);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(mesh->groupTable->GroupCount(), 1);
}

TEST_F(ClosedSubmeshes, AFullTableIsReportedNotClaimedAsAdded) {
    AddStrip(*mesh, 1);
    AddStrip(*mesh, 1);
    SaveGroup("default", 0, 2);
    for (int g = 1; g < MAX_TRIANGLE_GROUPS; ++g) {
        SaveGroup("g" + std::to_string(g), 0, 0);
    }
    EXPECT_EQ(OfferClosedSubmeshGroups(*mesh, Prompts()), 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Unable to add group 'defaultAA' - too many groups.");
}

TEST_F(ClosedSubmeshes, WithoutATableNothingHappens) {
    mesh->groupTable.reset();
    AddStrip(*mesh, 1);
    EXPECT_EQ(OfferClosedSubmeshGroups(*mesh, Prompts()), 0);
    EXPECT_TRUE(questions.empty());
}

TEST(ClosedSubmeshSuffix, SecondLetterRunsFromAToY) {
    EXPECT_EQ(ClosedSubmeshSuffix(0), "AA");
    EXPECT_EQ(ClosedSubmeshSuffix(1), "AB");
    EXPECT_EQ(ClosedSubmeshSuffix(24), "AY");
    EXPECT_EQ(ClosedSubmeshSuffix(25), "BA");
    EXPECT_EQ(ClosedSubmeshSuffix(127), "FC");
}

}  // namespace
