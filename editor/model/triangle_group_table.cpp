#include "editor/model/triangle_group_table.h"

#include <new>
#include <utility>

namespace editor::model {

namespace {

const std::string noName;

// Shifts a copy of a group up by offset. Bits that would be pushed past the last triangle cannot
// belong to appended triangles (the appending mesh checked its capacity), so they are dropped
// rather than leaving the whole group unshifted on the wrong triangles.
bool ShiftedCopy(const TriangleSet& source, int offset, TriangleSet& shifted) {
    shifted = source;
    if (offset < 0) {
        return false;
    }
    shifted.ClearRange(TriangleSet::SIZE, -offset);
    return shifted.Shift(offset);
}

}  // namespace

const std::string& TriangleGroupTable::GroupName(int i) const {
    return (i >= 0 && i < groupCount) ? groupNames[i] : noName;
}

TriangleSet* TriangleGroupTable::GroupSet(int i) {
    return (i >= 0 && i < groupCount) ? groupSets[i].get() : nullptr;
}

const TriangleSet* TriangleGroupTable::GroupSet(int i) const {
    return (i >= 0 && i < groupCount) ? groupSets[i].get() : nullptr;
}

int TriangleGroupTable::FindGroup(const std::string& name) const {
    for (int i = 0; i < groupCount; ++i) {
        if (groupNames[i] == name) {
            return i;
        }
    }
    return -1;
}

int TriangleGroupTable::SaveGroup(const std::string& name, const TriangleSet* set) {
    int index = FindGroup(name);
    if (index == -1) {
        if (groupCount >= MAX_TRIANGLE_GROUPS) {
            return 0;
        }
        std::unique_ptr<TriangleSet> fresh(new (std::nothrow) TriangleSet);
        if (fresh == nullptr) {
            return 0;
        }
        index = groupCount++;
        groupSets[index] = std::move(fresh);
        groupNames[index] = name;
    }
    if (set != nullptr) {
        groupSets[index]->CopyFrom(*set);
    }
    return 1;
}

bool TriangleGroupTable::RenameGroup(int index, const std::string& name) {
    if (index < 0 || index >= groupCount) {
        return false;
    }
    groupNames[index] = name;
    return true;
}

bool TriangleGroupTable::DeleteGroup(int index) {
    if (index < 0 || index >= groupCount) {
        return false;
    }
    for (int i = index; i + 1 < groupCount; ++i) {
        groupNames[i] = std::move(groupNames[i + 1]);
        groupSets[i] = std::move(groupSets[i + 1]);
    }
    --groupCount;
    groupNames[groupCount].clear();
    groupSets[groupCount].reset();
    return true;
}

void TriangleGroupTable::ClearGroups() {
    for (int i = 0; i < MAX_TRIANGLE_GROUPS; ++i) {
        groupNames[i].clear();
        groupSets[i].reset();
    }
    temporaryGroup.ClearAll();
    groupCount = 0;
}

std::string TriangleGroupTable::UniqueGroupName(const std::string& name) const {
    std::string candidate = name;
    while (FindGroup(candidate) != -1) {
        candidate.insert(0, 1, 'x');
    }
    return candidate;
}

int TriangleGroupTable::MergeGroups(const TriangleGroupTable& other, int offset) {
    // Counted once up front so that a table merged into itself only copies its old groups.
    const int otherCount = other.groupCount;
    if (otherCount == 0) {
        return 1;
    }
    if (groupCount + otherCount > MAX_TRIANGLE_GROUPS) {
        return SaveUnitedGroups(other, offset);
    }
    int result = 1;
    for (int i = 0; i < otherCount; ++i) {
        TriangleSet shifted;
        if (!ShiftedCopy(*other.groupSets[i], offset, shifted)) {
            result = 0;
            continue;
        }
        result &= SaveGroup(UniqueGroupName(other.groupNames[i]), &shifted);
    }
    return result;
}

// Too many groups for one table: everything the other mesh grouped becomes one group.
int TriangleGroupTable::SaveUnitedGroups(const TriangleGroupTable& other, int offset) {
    TriangleSet united;
    for (int i = 0; i < other.groupCount; ++i) {
        united.Or(*other.groupSets[i]);
    }
    TriangleSet shifted;
    if (!ShiftedCopy(united, offset, shifted)) {
        return 0;
    }
    if (groupCount >= MAX_TRIANGLE_GROUPS) {
        shifted.Or(*groupSets[0]);
        return SaveGroup(groupNames[0], &shifted);
    }
    return SaveGroup(UniqueGroupName(other.groupNames[0]), &shifted);
}

}  // namespace editor::model
