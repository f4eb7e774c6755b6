#pragma once

#include <cstdint>

namespace scene {

// Result codes kept by every scene object after each operation.
enum : int32_t {
    C3D_OK = 0,
    C3D_E_FAIL = -1,
    C3D_E_BADVALUE = -2,
    C3D_E_BADFILE = -3,
    C3D_E_NOTFOUND = -4,
};

// Root of the scene classes: operations report success as a boolean and keep the detailed
// result code for callers that want to know why.
class C3dObject {
  public:
    virtual ~C3dObject() = default;

    int32_t GetResult() const { return result_; }

  protected:
    bool Succeed() {
        result_ = C3D_OK;
        return true;
    }
    bool Fail(int32_t code = C3D_E_FAIL) {
        result_ = code;
        return false;
    }

  private:
    int32_t result_ = C3D_OK;
};

}  // namespace scene
