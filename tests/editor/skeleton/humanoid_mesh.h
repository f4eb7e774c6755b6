#pragma once
// Standing test characters made of boxes, in display space (+Z up, -X forward, +Y left): legs
// with feet, trunk, neck, head and two arms held at a given angle below the horizontal.

#include <string>
#include <vector>

#include "editor/skeleton/surface_samples.h"

using namespace ::editor::skeleton;

struct HumanoidShape {
    double armDrop = 0.0;        // degrees below the horizontal: 0 T-pose, 45 A-pose, 80 arms down
    int divisions = 2;           // each box face as a divisions x divisions grid
    bool wings = false;          // two tall thin panels behind the shoulders, above the head
    bool leftArmFolded = false;  // the left forearm raised back up beside the hanging upper arm
    double legShift = 0.0;       // legs and feet moved this far to +Y: hips off the chest's line
};

// The left elbow of a folded left arm.
Point3 HumanoidLeftFoldedElbow(const HumanoidShape& shape);

// The fingertip of the left arm (+Y), where the hand box ends.
Point3 HumanoidLeftFingertip(const HumanoidShape& shape);
std::vector<Triangle3> HumanoidTriangles(const HumanoidShape& shape);
// An axis-aligned box between two corners, its faces divided as given.
std::vector<Triangle3> BoxTriangles(const Point3& low, const Point3& high, int divisions);
// The triangles as Wavefront OBJ text: one vertex per corner, or welded, one per distinct point
// (the boxes' faces then join along their edges, as a modeller's mesh does).
std::string TrianglesAsObj(const std::vector<Triangle3>& triangles, bool welded = false);
