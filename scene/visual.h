#pragma once

#include <string>

#include "scene/object.h"

namespace scene {

// Anything that carries a name (frames, shapes, images, textures).
class C3dVisual : public C3dObject {
  public:
    C3dVisual() = default;
    explicit C3dVisual(std::string name) : name_(std::move(name)) {}

    const std::string& GetName() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

  private:
    std::string name_ = "3D Visual";
};

}  // namespace scene
