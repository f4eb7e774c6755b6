#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/groups/classify_by_plane.h"
#include "editor/model/mesh_data.h"

using namespace ::editor::groups;
using namespace ::editor::model;

namespace {

// Heights of a triangle's corners above the plane z = 0 and the part it belongs to.
struct SideCase {
    double a, b, c;
    const char* part;
};

TEST(ClassifyByPlane, EachTriangleGoesToOnePart) {
    const SideCase cases[] = {
        {1, 2, 3, "front"},
        {0, 1, 1, "front"},  // one corner on the plane, the others in front
        {0, 0, 1, "front"},
        {-1, -2, -3, "back"},
        {0, 0, -1, "back"},
        {-1, 1, 1, "straddling"},
        {0, -1, 1, "straddling"},
        {0, 0, 0, "straddling"},                   // lying in the plane
        {0.0000005, -0.0000005, 0, "straddling"},  // within the tolerance of the plane
        {0.000002, 0, 0, "front"},                 // just beyond the tolerance
    };
    auto mesh = std::make_unique<MeshData>();
    for (const SideCase& test : cases) {
        const int first = mesh->vertexCount;
        mesh->AddVertex(Vector(0, 0, test.a));
        mesh->AddVertex(Vector(1, 0, test.b));
        mesh->AddVertex(Vector(0, 1, test.c));
        mesh->AddTriangle(first, first + 1, first + 2, 0, 0, 0);
    }
    TriangleSet all;
    all.SetRange(0, mesh->TriangleCount() + 5);  // bits beyond the mesh are left out
    const PlaneSides sides = ClassifyByPlane(*mesh, all, Vector(0, 0, 0), Vector(0, 0, 1));
    for (int t = 0; t < static_cast<int>(std::size(cases)); ++t) {
        const std::string part = sides.front.Test(t)        ? "front"
                                 : sides.back.Test(t)       ? "back"
                                 : sides.straddling.Test(t) ? "straddling"
                                                            : "none";
        EXPECT_EQ(part, cases[t].part) << "triangle " << t;
        EXPECT_EQ(sides.front.Test(t) + sides.back.Test(t) + sides.straddling.Test(t), 1);
    }
    EXPECT_EQ(sides.front.Count() + sides.back.Count() + sides.straddling.Count(),
              static_cast<int>(std::size(cases)));
}

}  // namespace
