#pragma once

#include <memory>
#include <string>

#include "editor/model/capacities.h"
#include "editor/model/fixed_bit_sets.h"

namespace editor::model {

// The named triangle groups of one mesh, plus the temporary group (the working selection).
// Groups are kept packed in creation order; names are unique and compared case-sensitively.
// Groups may overlap freely.
class TriangleGroupTable {
  public:
    TriangleGroupTable() = default;
    TriangleGroupTable(const TriangleGroupTable&) = delete;
    TriangleGroupTable& operator=(const TriangleGroupTable&) = delete;

    int GroupCount() const { return groupCount; }
    // The name of group i; empty outside 0..GroupCount()-1.
    const std::string& GroupName(int i) const;
    // The set of group i; null outside 0..GroupCount()-1.
    TriangleSet* GroupSet(int i);
    const TriangleSet* GroupSet(int i) const;

    // Index of the group called name, or -1.
    int FindGroup(const std::string& name) const;
    // Replaces the group called name in place, or appends a new one. With a set its bits are
    // copied in; without one a new group stays empty and a replaced group keeps its triangles.
    // Returns 1, or 0 when the table is full (or the new set cannot be allocated).
    int SaveGroup(const std::string& name, const TriangleSet* set);
    // Removes group index and closes the gap; nothing happens for an index out of range.
    bool DeleteGroup(int index);
    // Releases every group and clears the temporary group.
    void ClearGroups();
    // name itself when unused, else the shortest "x..x" + name that no group uses.
    std::string UniqueGroupName(const std::string& name) const;
    // Carries the groups of other over after its triangles were appended behind this mesh's
    // first offset triangles. Returns 0 when the groups could not be carried over (shifted past
    // the last triangle, or the table could not take them).
    int MergeGroups(const TriangleGroupTable& other, int offset);

    TriangleSet temporaryGroup;

  private:
    int SaveUnitedGroups(const TriangleGroupTable& other, int offset);

    int groupCount = 0;
    std::string groupNames[MAX_TRIANGLE_GROUPS];
    std::unique_ptr<TriangleSet> groupSets[MAX_TRIANGLE_GROUPS];
};

}  // namespace editor::model
