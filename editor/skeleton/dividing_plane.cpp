#include "editor/skeleton/dividing_plane.h"

#include <cstdint>
#include <memory>

#include "editor/model/model_document.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::skeleton {

using namespace ::editor::model;
using namespace ::scene;

namespace {
const Vector CORNERS[8] = {
    Vector(-32, -0.1, -32), Vector(-32, -0.1, 32), Vector(32, -0.1, 32), Vector(32, -0.1, -32),
    Vector(-32, 0.1, -32),  Vector(-32, 0.1, 32),  Vector(32, 0.1, 32),  Vector(32, 0.1, -32),
};

// Six four-sided faces, then the list's closing 0.
const uint32_t FACES[6 * 5 + 1] = {
    4, 0, 3, 2, 1, 4, 3, 7, 6, 2, 4, 4, 5, 6, 7, 4, 0, 1, 5, 4, 4, 0, 4, 7, 3, 4, 2, 6, 5, 1, 0,
};
}  // namespace

void CreateDividingPlane(ModelDocument& document) {
    auto shape = std::make_unique<C3dShape>();
    if (!shape->CreateFromFaces(CORNERS, 8, nullptr, 0, FACES, sizeof FACES / sizeof FACES[0])) {
        return;
    }
    shape->SetName(DIVIDING_PLANE_NAME);
    shape->SetPosition(Vector(0.0, 0.0, 0.0), document.scene);
    MeshPart& plane = document.dividingPlane;
    plane.SetShape(std::move(shape));
    plane.Show(document.dividingPlaneVisible != 0 ? 1 : 0);
}

}  // namespace editor::skeleton
